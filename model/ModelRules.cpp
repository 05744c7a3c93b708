#include "model/ModelRules.h"

namespace model {

int InstrumentSeriesOf(const QString &modelNumber)
{
    static const struct {
        QLatin1String name;
        int series;
    } order[] = {
        {QLatin1String("HRA"), SeriesHRA},
        {QLatin1String("HRB"), SeriesHRB},
        {QLatin1String("HLA"), SeriesHLA},
        {QLatin1String("VDX"), SeriesVDX},
    };
    for (const auto &entry : order) {
        if (modelNumber.contains(entry.name, Qt::CaseSensitive))
            return entry.series;
    }
    return SeriesUnknown;
}

int ChannelCountOf(const QString &modelNumber)
{
    static const struct {
        QLatin1String model;
        int channels;
    } rows[] = {
        {QLatin1String("HRA2"), 2},  {QLatin1String("HLA2"), 2},  {QLatin1String("VDX-2"), 2},
        {QLatin1String("HRA4"), 4},  {QLatin1String("HLA4"), 4},  {QLatin1String("HRB4"), 4},
        {QLatin1String("VDX-4"), 4}, {QLatin1String("HRA8"), 8},  {QLatin1String("HLA8"), 8},
        {QLatin1String("HRB8"), 8},  {QLatin1String("VDX-8"), 8},
    };
    for (const auto &row : rows) {
        if (modelNumber == row.model)
            return row.channels;
    }
    return 8;
}

QString CompanyNameOf(const QString &companyCode)
{
    if (companyCode == QLatin1String("VN"))
        return QStringLiteral("Veltrano");
    if (companyCode == QLatin1String("DRK"))
        return QStringLiteral("Dravik");
    return QStringLiteral("Unknown");
}

const QStringList &acceptedModels()
{
    static const QStringList models = {
        QStringLiteral("HRA2"),  QStringLiteral("HRA4"),  QStringLiteral("HRA8"),
        QStringLiteral("HRB4"),  QStringLiteral("HRB8"),  QStringLiteral("HLA2"),
        QStringLiteral("HLA4"),  QStringLiteral("HLA8"),  QStringLiteral("VDX-2"),
        QStringLiteral("VDX-4"), QStringLiteral("VDX-8"),
    };
    return models;
}

bool isAcceptedModel(const QString &modelNumber)
{
    return acceptedModels().contains(modelNumber, Qt::CaseSensitive);
}

} // namespace model
