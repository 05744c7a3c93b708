#include "sim/InstrumentState.h"

namespace sim {

InstrumentState InstrumentState::factoryDefaults(const ModelInfo &model)
{
    InstrumentState s;
    for (int i = 0; i < static_cast<int>(s.channels.size()); ++i)
        s.channels[static_cast<std::size_t>(i)].mux = i < model.channels ? (qint64{1} << i) : 0;
    return s;
}

} // namespace sim
