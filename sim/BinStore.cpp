#include "sim/BinStore.h"

#include "sim/SettingTable.h"

#include <QFile>
#include <QSaveFile>

#include <memory>

namespace sim {

Instrument::Bins BinStore::load(const ModelInfo &model, QStringList *warnings) const
{
    Instrument::Bins bins;
    bins.fill(InstrumentState::factoryDefaults(model));
    QFile file(m_path);
    if (!file.exists())
        return bins;
    if (!file.open(QIODevice::ReadOnly)) {
        if (warnings)
            *warnings << QStringLiteral("cannot read %1: %2").arg(m_path, file.errorString());
        return bins;
    }

    // Each bin is rebuilt by a fresh interpreter replaying its lines, so the file passes the
    // same checks as the serial line does.
    std::unique_ptr<Instrument> scratch;
    int bin = 0;
    int lineNumber = 0;
    auto finishBin = [&] {
        if (scratch && bin >= 1)
            bins[static_cast<std::size_t>(bin)] = scratch->state();
        scratch.reset();
    };
    while (!file.atEnd()) {
        ++lineNumber;
        const QByteArray line = file.readLine().trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (line.startsWith("[bin ") && line.endsWith(']')) {
            finishBin();
            bool ok = false;
            const int n = line.mid(5, line.size() - 6).toInt(&ok);
            bin = ok && n >= 1 && n <= Instrument::kBinCount ? n : 0;
            if (bin == 0 && warnings)
                *warnings << QStringLiteral("%1:%2: no such bin").arg(m_path).arg(lineNumber);
            else
                scratch = std::make_unique<Instrument>(model);
            continue;
        }
        if (!scratch)
            continue;
        if (scratch->handleLine(line) != Instrument::okReply() && warnings)
            *warnings << QStringLiteral("%1:%2: not taken: %3")
                             .arg(m_path)
                             .arg(lineNumber)
                             .arg(QString::fromLatin1(line));
    }
    finishBin();
    return bins;
}

bool BinStore::save(const Instrument::Bins &bins, const ModelInfo &model, QString *error) const
{
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    QByteArray text = "# pulsegen-sim storage bins, model " + model.name.toByteArray() + '\n';
    for (int n = 1; n <= Instrument::kBinCount; ++n) {
        text += "[bin " + QByteArray::number(n) + "]\n";
        for (const QByteArray &line : settingLines(bins[static_cast<std::size_t>(n)], model))
            text += line + '\n';
    }
    file.write(text);
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace sim
