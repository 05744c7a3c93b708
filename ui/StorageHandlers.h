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

    void Save1Click() { SaveToBin(1); }
    void Save2Click() { SaveToBin(2); }
    void Save3Click() { SaveToBin(3); }
    void Save4Click() { SaveToBin(4); }
    void Save5Click() { SaveToBin(5); }
    void Save6Click() { SaveToBin(6); }
    void Save7Click() { SaveToBin(7); }
    void Save8Click() { SaveToBin(8); }
    void Save9Click() { SaveToBin(9); }
    void Save10Click() { SaveToBin(10); }
    void Save11Click() { SaveToBin(11); }
    void Save12Click() { SaveToBin(12); }
    void Default01Click() { RestoreFromBin(control::StorageBins::DefaultBin); }
    void Restore1Click() { RestoreFromBin(1); }
    void Restore2Click() { RestoreFromBin(2); }
    void Restore3Click() { RestoreFromBin(3); }
    void Restore4Click() { RestoreFromBin(4); }
    void Restore5Click() { RestoreFromBin(5); }
    void Restore6Click() { RestoreFromBin(6); }
    void Restore7Click() { RestoreFromBin(7); }
    void Restore8Click() { RestoreFromBin(8); }
    void Restore9Click() { RestoreFromBin(9); }
    void Restore10Click() { RestoreFromBin(10); }
    void Restore11Click() { RestoreFromBin(11); }
    void Restore12Click() { RestoreFromBin(12); }

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
