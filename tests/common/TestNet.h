// Addresses of the private test network and the guard that keeps every test
// that sends datagrams inside it.
#pragma once

#include <QString>

namespace TestNet {
// scripts/test puts these on the loopback device of a private network
// namespace and sets LEDZ_TEST_NETNS=1 there.
inline const QString kPcIp = QStringLiteral("192.168.1.10");
inline const QString kDeviceIp1 = QStringLiteral("192.168.1.20");
inline const QString kDeviceIp2 = QStringLiteral("192.168.1.21");
inline const QString kDeviceIp3 = QStringLiteral("192.168.1.22");

// True inside the namespace that scripts/test makes: the marker is set and
// the PC's test address is local. Tests that open sockets skip otherwise.
bool InPrivateNetwork();
}  // namespace TestNet

#define REQUIRE_PRIVATE_NETWORK()                                                        \
    do {                                                                                 \
        if (!TestNet::InPrivateNetwork())                                                \
            QSKIP("needs the private network namespace of scripts/test (LEDZ_TEST_NETNS)"); \
    } while (0)
