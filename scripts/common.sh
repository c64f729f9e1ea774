# Sourced by scripts/test, demo, bench, run and netns: the private test
# network's addresses and the build they share.
#
# The one list of test addresses. scripts/netns puts them on the loopback
# device of its namespace (each /24); CMake reads the LEDZ_*_IP lines below
# into the tests' TestNet.h (tests/common/TestNet.h.in), so keep each one on a
# line of its own in this form.
LEDZ_PC_IP=192.168.1.10
LEDZ_DEVICE1_IP=192.168.1.20
LEDZ_DEVICE2_IP=192.168.1.21
LEDZ_DEVICE3_IP=192.168.1.22
LEDZ_FOREIGN_IP=192.168.1.30
LEDZ_TEST_ADDRESSES=("$LEDZ_PC_IP" "$LEDZ_DEVICE1_IP" "$LEDZ_DEVICE2_IP" "$LEDZ_DEVICE3_IP"
                     "$LEDZ_FOREIGN_IP")

LEDZ_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
LEDZ_BUILD_DIR=${LEDZ_BUILD_DIR:-$LEDZ_ROOT/build}
LEDZ_JOBS=$(nproc 2>/dev/null || echo 2)

# Installs what is missing, configures and builds the given targets (all
# when none) into $LEDZ_BUILD_DIR.
ledz_build() {
  bash "$LEDZ_ROOT/scripts/setup"
  cmake -S "$LEDZ_ROOT" -B "$LEDZ_BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  if [ $# -gt 0 ]; then
    cmake --build "$LEDZ_BUILD_DIR" -j "$LEDZ_JOBS" --target "$@"
  else
    cmake --build "$LEDZ_BUILD_DIR" -j "$LEDZ_JOBS"
  fi
}

# Runs a command inside a private network namespace (scripts/netns).
ledz_netns() {
  bash "$LEDZ_ROOT/scripts/netns" "$@"
}
