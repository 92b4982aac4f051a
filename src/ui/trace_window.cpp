#include "ui/trace_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPointer>

#include "ui/accessible_name.h"
#include "ui/dialogs.h"
#include "ui/trace_view.h"
#include "ui/twips.h"

namespace ui {

TraceWindow::TraceWindow(const QString& name, const QString& caption, QSize clientTwips,
                         QSizeF designTwips)
    : view_(new TraceView(designTwips, this)) {
    setWidgetName(this, name);
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);
    setCentralWidget(view_);
    setWidgetName(view_, QStringLiteral("Picture"));

    QAction* limit = menuBar()->addAction(QStringLiteral("Limit"));
    limit->setObjectName(QStringLiteral("MnuLimit"));
    connect(limit, &QAction::triggered, this, &TraceWindow::limitRequested);
    QAction* print = menuBar()->addAction(QStringLiteral("Print"));
    print->setObjectName(QStringLiteral("MnuPrint"));
    connect(print, &QAction::triggered, this, &TraceWindow::MnuPrint_Click);

    const QSize client = twipsToPixels(clientTwips.width(), clientTwips.height(), this);
    resize(client.width(), client.height() + menuBar()->sizeHint().height());
    move(0, 0);
}

QWidget* TraceWindow::findOpen(const QString& name) {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == name) return window;
    return nullptr;
}

void TraceWindow::MnuPrint_Click() {
    QString error;
    // The window may be closed while the printer's dialog stands.
    const QPointer<TraceWindow> self(this);
    if (dialogs().printWidget(this, view_, &error) || !self) return;
    dialogs().message(this, QStringLiteral("Print"),
                      QStringLiteral("The picture could not be printed.\n\n%1").arg(error),
                      Dialogs::Icon::Warning, Dialogs::Buttons::Ok);
}

void TraceWindow::unloadOnce() {
    if (unloaded_) return;
    unloaded_ = true;
    Form_Unload();
}

void TraceWindow::closeEvent(QCloseEvent* event) {
    unloadOnce();
    // A closed window is gone for everyone who looks it up by name, even before it is destroyed.
    setObjectName(QString());
    event->accept();
}

}  // namespace ui
