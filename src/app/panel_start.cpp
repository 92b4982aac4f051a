#include "app/panel_start.h"

#include "link/port_lister.h"

namespace app {

std::unique_ptr<Session> StartPanel(int number, const QString& device,
                                    std::shared_ptr<const serial::PortLister> lister,
                                    std::function<void()> ended) {
    auto session = std::make_unique<Session>(number, device, std::move(lister));
    if (ended) QObject::connect(session.get(), &Session::ended, std::move(ended));
    if (!session->startPanel()) return nullptr;
    return session;
}

}  // namespace app
