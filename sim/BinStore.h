#pragma once

#include "sim/Instrument.h"

#include <QString>
#include <QStringList>

namespace sim {

// Keeps the storage bins in a text file so that they outlive the process, as the bins of a
// real instrument outlive a power cycle. Each bin is stored as the command lines that
// recreate it, under a "[bin N]" line.
class BinStore {
public:
    explicit BinStore(QString path) : m_path(std::move(path)) {}

    // Bins from the file; a bin or line the file lacks or the model rejects stays at the
    // factory defaults, with a note in `warnings`. A missing file is no error.
    Instrument::Bins load(const ModelInfo &model, QStringList *warnings) const;
    // Replaces the file as a whole, so a crash never leaves half a file.
    bool save(const Instrument::Bins &bins, const ModelInfo &model, QString *error) const;

    const QString &path() const { return m_path; }

private:
    QString m_path;
};

} // namespace sim
