#pragma once

#include "transport/PortAccess.h"

#include <QList>

#include <functional>

namespace transport {

class TVNComPort;
class UserDialogs;

// Gathers the ports that refuse to open while it lives, so the user can be told which ports
// were kept from the program and why. Installs itself as the port's OnRefused and puts the
// previous one back when it ends.
class RefusalNotice {
public:
    // With `tellAtOnce`, each newly refused port is explained there as it is met, before any
    // question the failed open itself asks.
    explicit RefusalNotice(TVNComPort &port, UserDialogs *tellAtOnce = nullptr);
    ~RefusalNotice();
    RefusalNotice(const RefusalNotice &) = delete;
    RefusalNotice &operator=(const RefusalNotice &) = delete;

    const QList<PortRefusal> &refusals() const { return m_refusals; }

    // One information box naming every gathered port with its remedy; nothing when there is
    // none or no one to tell.
    void tell(UserDialogs *dialogs) const;

private:
    TVNComPort &m_port;
    std::function<void(const PortRefusal &)> m_previous;
    QList<PortRefusal> m_refusals;
};

} // namespace transport
