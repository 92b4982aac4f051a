#pragma once

#include <QObject>

class QWidget;

namespace serial {

// What the link tells the rest of the program. The display poll announces a lost and a restored
// link.
class LinkEvents : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

  signals:
    // The meter stopped answering ("No Com"); windows that need the meter close themselves.
    void linkLost();
    // The meter answers again.
    void linkRestored();
};

LinkEvents& events();

// Makes `window` close itself when the link is lost (if it is visible then).
void closeOnLinkLost(QWidget* window);

}  // namespace serial
