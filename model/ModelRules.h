#pragma once

#include <QString>
#include <QStringList>

namespace model {

// The instrument series the program branches on; 0 before the first read-back, in demo mode
// and for any model string that names no known series.
enum Series : int { SeriesUnknown = 0, SeriesHRA = 1, SeriesHRB = 2, SeriesHLA = 3, SeriesVDX = 4 };

// The series whose name occurs anywhere in the model string, tested in the order HRA, HRB,
// HLA, VDX (case-sensitive). A model string the instrument pads or prefixes still counts.
int InstrumentSeriesOf(const QString &modelNumber);

// 2, 4 or 8 for the known model strings (compared whole, case-sensitive); 8 for any other
// text, the empty one included.
int ChannelCountOf(const QString &modelNumber);

// The maker's display name for a company code: "Veltrano", "Dravik" or "Unknown".
QString CompanyNameOf(const QString &companyCode);

// The models discovery accepts, exactly as the identification reply spells them.
const QStringList &acceptedModels();
bool isAcceptedModel(const QString &modelNumber);

} // namespace model
