#pragma once

#include "model/ChannelSettings.h"
#include "model/InstrumentIdentity.h"
#include "model/SeriesLimits.h"
#include "model/SystemSettings.h"

#include <QString>
#include <QStringList>

namespace model {

// The records and flags that live for the whole run. The main window owns the one instance;
// the handlers, the read-back and the start-up read and write it there.
struct ProgramState {
    model::InstrumentIdentity InstrumentIdentity;
    // Derived from the identity at every read-back that talks to an instrument; 0 until then
    // and in demo mode.
    int InstrumentSeries = 0;
    int ChannelCount = 0;
    QString CompanyName;

    model::SeriesLimits SeriesLimits;
    model::SystemSettings SystemSettings;
    model::ChannelSettings ChannelSettings;

    bool DemoMode = false;
    bool SystemRunning = false;

    QString UserName;
    QString StartTimeStamp;

    // The lines of the last read-back; also the settings file format.
    QStringList SettingsList;
};

} // namespace model
