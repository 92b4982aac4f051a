#include "link/link_events.h"

#include <QWidget>

namespace serial {

LinkEvents& events() {
    static LinkEvents hub;
    return hub;
}

void closeOnLinkLost(QWidget* window) {
    QObject::connect(&events(), &LinkEvents::linkLost, window, [window] {
        if (window->isVisible()) window->close();
    });
}

}  // namespace serial
