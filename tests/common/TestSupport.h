// Small helpers that several test executables share.
#pragma once

class MiddleHandler;

namespace TestSupport {
// Threads of this process, from /proc: tests count the ones a transport
// starts and check that closing it joins them again.
int ThreadCount();
// Expects the next line that a transport logs for a Boost.Asio error.
void ExpectAsioError();
// Processes events until both send queues are empty (every frame
// acknowledged or given up); false when timeoutMs passes first.
bool WaitSenderIdle(MiddleHandler* handler, int timeoutMs = 5000);
}  // namespace TestSupport
