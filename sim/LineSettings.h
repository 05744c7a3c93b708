#pragma once

#include <QtGlobal>

namespace sim {

// What the other end of a pseudo-terminal has set its line to.
struct LineSettings {
    qint32 inputSpeed = 0;  // bit/s
    qint32 outputSpeed = 0; // bit/s
    bool eightDataBits = false;
    bool parity = false;
};

// Reads the settings of the terminal `fd` through the kernel's numeric speed fields, which
// also hold speeds set as custom rates. False when `fd` is no terminal.
bool readLineSettings(int fd, LineSettings *out);

} // namespace sim
