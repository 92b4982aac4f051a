#include "ui/accessible_name.h"

#include <QWidget>

namespace ui {

void setWidgetName(QWidget* widget, const QString& name) {
    widget->setObjectName(name);
    widget->setAccessibleDescription(name);
}

}  // namespace ui
