#pragma once

#include <QString>

class QObject;
class QWidget;

namespace ui {

// Gives `widget` its name as object name and as accessible description, so that
// accessibility tools and automated UI checks find it. Returns the widget.
template <class W>
W* named(W* widget, const QString& name);

void setWidgetName(QWidget* widget, const QString& name);

template <class W>
W* named(W* widget, const QString& name) {
    setWidgetName(widget, name);
    return widget;
}

}  // namespace ui
