#pragma once

#include "model/TokenTables.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

// The instrument's command language as the program speaks it: every setting with its command
// header, argument format and query, and the line the settings file carries for it.
namespace model {

enum class ArgFormat {
    Period,        // fixed point, 9 decimals
    Time,          // fixed point, 11 decimals: channel delay and width
    Volts,         // fixed point, 2 decimals
    Count,         // signed decimal integer, rounded half to even
    UnsignedCount, // unsigned decimal integer up to 4294967295, rounded half to even
    Token,         // a word of the setting's token table
    Mask,          // decimal value of a channel bit mask
    Flag,          // "1" or "0"
    OnOff,         // "ON" or "OFF"
};

enum class SystemSetting {
    Period,
    PulseMode,
    BurstCount,
    DutyOnCount,
    DutyOffCount,
    TriggerMode,
    TriggerEdge,
    TriggerLevel,
    GateMode,
    GateLogic,
    GateLevel,
    AutoStart,
    RunState,
    ShotCounterEnable,
    InputClockSource, // all series but HRB
    OutputClock,      // all series but HRB
    InputClockMode,   // HRB
    InputClockRate,   // HRB
    InputClockLevel,  // HRB
    InputClockOption, // HRB
    HrbOutputClock,   // HRB
};

struct SystemCommand {
    SystemSetting setting;
    QString command; // header with its trailing blank; the argument follows
    QString query;   // header without "?"
    ArgFormat format;
    std::optional<TokenTable> table;
    QString lineHeader; // the settings line's header with its blank; empty when there is none
};

const SystemCommand &systemCommand(SystemSetting setting);

enum class ChannelSetting {
    Enable,
    Delay,
    Width,
    Mode,
    BurstCount,
    DutyOnCount,
    DutyOffCount,
    SyncSource,
    Polarity,
    WaitCount,
    GateMode,
    Amplitude,
    OutputMode,
    Mux,
};

struct ChannelCommand {
    ChannelSetting setting;
    QString path; // keyword path after ":PULS" and the channel number, e.g. ":DEL"
    ArgFormat format;
    std::optional<TokenTable> table;
};

const ChannelCommand &channelCommand(ChannelSetting setting);

// The order in which the read-back queries and the settings file lists the settings.
const QList<SystemSetting> &systemReadBackOrder();
// The clock settings a series reads back, in order (none for HLA and an unknown series).
QList<SystemSetting> clockReadBackOrder(int series);
const QList<ChannelSetting> &channelReadBackOrder();

// The argument text of a value in a format. Token formats take the list position (for the sync
// source: the channel number); a position outside the table gives an empty argument, and the
// command then goes out as its header alone.
QString formatArgument(ArgFormat format, std::optional<TokenTable> table, double value);

// Complete command lines (without CR LF).
QString buildCommand(SystemSetting setting, double value);
QString buildChannelCommand(ChannelSetting setting, int channel, double value);

QString queryOf(SystemSetting setting);
QString channelHeader(int channel); // ":PULS" + n
QString channelCommandHeader(ChannelSetting setting, int channel);
QString channelQueryOf(ChannelSetting setting, int channel);

// Settings-file lines: the header followed by the value already written in its notation. A
// setting the file does not carry (the run state) gives an empty text.
QString settingsLine(SystemSetting setting, const QString &valueText);
QString channelSettingsLine(ChannelSetting setting, int channel, const QString &valueText);

// Commands and queries outside the setting tables.
QString identificationQuery();  // "*IDN"
QString saveCommand(int bin);   // "*SAV " + bin, bins 1 to 12
QString recallCommand(int bin); // "*RCL " + bin, bins 0 to 12
QString calibrationTypeQuery(); // always names channel 1
const QStringList &calibrationTypes();
QString shotCountQuery(int series); // VDX has its own form
QString shotCounterClearCommand(int series);

// Multiplexer mask: bit k stands for channel k+1. Only the channels an instrument has count:
// bits 0 and 1 always, 2 and 3 with more than 2 channels, 4 to 7 with more than 4.
unsigned muxUsableBits(int channelCount);
int muxMaskFromChecks(const std::array<bool, 8> &checked, int channelCount);
std::array<bool, 8> muxChecksFromMask(int mask, int channelCount);

} // namespace model
