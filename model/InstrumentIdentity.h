#pragma once

#include <QString>

#include <cstdint>

namespace model {

// What the identification reply told us about the connected instrument. All texts are the
// instrument's ASCII; every field stays empty / 0 when no identification was read (manual port
// choice, demo mode).
struct InstrumentIdentity {
    QString CompanyCode; // e.g. "VN"
    QString ModelNumber; // e.g. "HRA8"
    QString FirmwareVersion;
    QString FpgaVersion;
    std::int32_t SerialNumber = 0;
};

} // namespace model
