#include "ui/trace_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include "ui/accessible_name.h"
#include "ui/dialogs.h"
#include "ui/trace_image.h"
#include "ui/trace_view.h"
#include "ui/twips.h"
#include "ui/window_placement.h"

namespace ui {

TraceWindow::TraceWindow(const QString& name, const QString& caption, QSize clientTwips,
                         QSizeF designTwips)
    : view_(new TraceView(designTwips, this)),
      limit_(menuBar()->addAction(QStringLiteral("Limit"))) {
    setWidgetName(this, name);
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);
    setCentralWidget(view_);
    setWidgetName(view_, QStringLiteral("Picture"));

    limit_->setObjectName(QStringLiteral("MnuLimit"));
    connect(limit_, &QAction::triggered, this, &TraceWindow::limitRequested);
    QMenu* printMenu =
        named(menuBar()->addMenu(QStringLiteral("Print")), QStringLiteral("MnuPrintMenu"));
    printMenu->menuAction()->setObjectName(QStringLiteral("MnuPrintMenu"));
    QAction* print = printMenu->addAction(QStringLiteral("Print"));
    print->setObjectName(QStringLiteral("MnuPrint"));
    connect(print, &QAction::triggered, this, &TraceWindow::MnuPrint_Click);
    QAction* saveImage = printMenu->addAction(QStringLiteral("Save Image\u2026"));
    saveImage->setObjectName(QStringLiteral("MnuSaveImage"));
    connect(saveImage, &QAction::triggered, this, &TraceWindow::MnuSaveImage_Click);

    const QSize client = twipsToPixels(clientTwips.width(), clientTwips.height(), this);
    resize(client.width(), client.height() + menuBar()->sizeHint().height());
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

void TraceWindow::MnuSaveImage_Click() {
    // The dialogs wait in nested event loops; the window may close meanwhile (a lost link).
    const QPointer<TraceWindow> self(this);
    QString filter;
    const QString chosen = dialogs().saveFileNameAndFilter(this, QStringLiteral("Save Image"),
                                                           imageFileFilter(), &filter);
    if (!self || chosen.isEmpty()) return;
    const QStringList titles = imageTitleLines();
    const QSize size =
        dialogs().imageSize(this, QStringLiteral("Image Size"),
                            defaultImageSize(*view_, static_cast<int>(titles.size())));
    if (!self || size.isEmpty()) return;

    const ImageTarget target = imageTargetFor(chosen, filter);
    QString error;
    if (saveTraceImage(*view_, titles, size, target, &error)) return;
    dialogs().message(
        this, QStringLiteral("Save Image"),
        QStringLiteral("The picture could not be saved to\n%1\n\n%2").arg(target.path, error),
        Dialogs::Icon::Warning, Dialogs::Buttons::Ok);
}

QStringList TraceWindow::imageTitleLines() const {
    return {windowTitle()};
}

QMenu* TraceWindow::makeLimitMenu() {
    QMenu* menu = named(new QMenu(QStringLiteral("Limit"), this), QStringLiteral("MnuLimitMenu"));
    menu->menuAction()->setObjectName(QStringLiteral("MnuLimitMenu"));
    menuBar()->insertMenu(limit_, menu);
    menuBar()->removeAction(limit_);
    limit_->setText(QStringLiteral("Range\u2026"));
    menu->addAction(limit_);
    return menu;
}

void TraceWindow::unloadOnce() {
    if (unloaded_) return;
    unloaded_ = true;
    Form_Unload();
}

void TraceWindow::closeEvent(QCloseEvent* event) {
    unloadOnce();
    event->accept();
}

}  // namespace ui
