#include "ChildProcess.h"

#include <QProcess>

#include <sys/prctl.h>
#include <unistd.h>

namespace testsupport {

void EndWithThisProcess(QProcess &process, int signal)
{
    const pid_t test = ::getpid();
    process.setChildProcessModifier([test, signal] {
        ::prctl(PR_SET_PDEATHSIG, signal);
        // The test may already have died between the fork and the line above.
        if (::getppid() != test)
            ::_exit(1);
    });
}

} // namespace testsupport
