#pragma once

#include "control/SettingsFiles.h"
#include "control/StorageBins.h"
#include "ui/FormDialogs.h"

#include <chrono>

namespace ui {

class TMainForm;

// The "Storage" menu: the instrument's twelve bins and its defaults, and settings files on
// the PC.
class StorageHandlers {
public:
    // A file command chosen while an exchange waits for its reply (a poll, a task pass) is
    // run again after this long, once the line is free: its read-back would otherwise meet a
    // busy port and read every setting as empty.
    static constexpr std::chrono::milliseconds LineBusyRetry{20};

    explicit StorageHandlers(TMainForm &form);

    void SaveToBin(int bin);
    // Recalls are done by the task timer's next pass, between polls and before any queued
    // command.
    void RestoreFromBin(int bin);

    void SaveToFile1Click();
    void RestoreSettingsFromFile1Click();

    // What the last file command came to; nothing while it waits for the line.
    std::optional<control::SettingsFiles::Outcome> LastFileOutcome() const { return m_last; }

private:
    bool lineBusy() const;
    // Runs the file command now, or again later when the line is busy.
    void whenLineFree(void (StorageHandlers::*handler)(),
                      control::SettingsFiles::Outcome (control::SettingsFiles::*command)());
    control::SettingsFiles::Hooks fileHooks();

    TMainForm &m_form;
    FormDialogs m_dialogs;
    control::StorageBins m_bins;
    control::SettingsFiles m_files;
    std::optional<control::SettingsFiles::Outcome> m_last;
};

} // namespace ui
