#pragma once

#include <csignal>

class QProcess;

namespace testsupport {

// Makes a process the test is about to start end with the test: its owner ends it on the way
// out, and should the test process die without running its destructors (a crash, a time-out
// kill), the system sends the child `signal`. Call before QProcess::start.
void EndWithThisProcess(QProcess &process, int signal = SIGTERM);

} // namespace testsupport
