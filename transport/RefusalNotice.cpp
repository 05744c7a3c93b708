#include "transport/RefusalNotice.h"

#include "transport/TVNComPort.h"
#include "transport/UserDialogs.h"

#include <algorithm>
#include <utility>

namespace transport {

RefusalNotice::RefusalNotice(TVNComPort &port, UserDialogs *tellAtOnce)
    : m_port(port), m_previous(std::exchange(port.OnRefused, {}))
{
    m_port.OnRefused = [this, tellAtOnce](const PortRefusal &refusal) {
        // A port retried or re-opened is still one port to the user.
        const bool known =
            std::any_of(m_refusals.cbegin(), m_refusals.cend(),
                        [&](const PortRefusal &r) { return r.port == refusal.port; });
        if (known)
            return;
        m_refusals << refusal;
        if (tellAtOnce)
            tellAtOnce->message(UserDialogs::Kind::Information, RefusalMessage({refusal}),
                                {UserDialogs::Button::Ok});
    };
}

RefusalNotice::~RefusalNotice()
{
    m_port.OnRefused = std::move(m_previous);
}

void RefusalNotice::tell(UserDialogs *dialogs) const
{
    if (!dialogs || m_refusals.isEmpty())
        return;
    dialogs->message(UserDialogs::Kind::Information, RefusalMessage(m_refusals),
                     {UserDialogs::Button::Ok});
}

} // namespace transport
