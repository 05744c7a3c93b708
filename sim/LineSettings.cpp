#include "sim/LineSettings.h"

// The kernel's own termios2 carries the speeds as numbers; it clashes with <termios.h>, which
// is why this file includes nothing else.
#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace sim {

bool readLineSettings(int fd, LineSettings *out)
{
    struct termios2 tio {};
    if (::ioctl(fd, TCGETS2, &tio) != 0)
        return false;
    out->inputSpeed = static_cast<qint32>(tio.c_ispeed);
    out->outputSpeed = static_cast<qint32>(tio.c_ospeed);
    out->eightDataBits = (tio.c_cflag & CSIZE) == CS8;
    out->parity = (tio.c_cflag & PARENB) != 0;
    return true;
}

} // namespace sim
