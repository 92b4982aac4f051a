#include "files/record_list_window.h"

#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>

#include "files/file_transfer.h"
#include "files/files.h"
#include "files/record_grid.h"
#include "ui/accessible_name.h"
#include "ui/twips.h"
#include "ui/window_placement.h"

namespace files {

RecordListWindow::RecordListWindow(Files& files, const QString& name, QSize clientTwips,
                                   QRect gridTwips)
    : files_(files), client_(new QWidget(this)), grid_(nullptr) {
    ui::setWidgetName(this, name);
    setWindowTitle(name);
    setAttribute(Qt::WA_DeleteOnClose);
    setCentralWidget(client_);

    // The grid keeps its place and size; the windows do not lay out on resizing.
    grid_ = new RecordGrid(client_);
    grid_->setGeometry(QRect(ui::twipsPoint(gridTwips.left(), gridTwips.top(), this),
                             ui::twipsToPixels(gridTwips.width(), gridTwips.height(), this)));
    grid_->setUpRecordColumns();

    const QSize client = ui::twipsToPixels(clientTwips.width(), clientTwips.height(), this);
    resize(client.width(), client.height() + menuBar()->sizeHint().height());
}

void RecordListWindow::unloadOnce() {
    if (unloaded_) return;
    unloaded_ = true;
    Form_Unload();
}

void RecordListWindow::closeEvent(QCloseEvent* event) {
    unloadOnce();
    event->accept();
}

QAction* RecordListWindow::addMenuCommand(const QString& text, const QString& name) {
    QAction* action = menuBar()->addAction(text);
    action->setObjectName(name);
    return action;
}

void RecordListWindow::addSaveCsvCommand() {
    connect(addMenuCommand(QStringLiteral("Save As CSV\u2026"), QStringLiteral("MnuSaveCsv")),
            &QAction::triggered, this, [this] { files::SaveGridAsCsv(files_, this, grid_); });
}

QMenu* RecordListWindow::addPlotMenu(const QString& name) {
    QMenu* menu = ui::named(menuBar()->addMenu(QStringLiteral("Plot")), name);
    menu->menuAction()->setObjectName(name);
    QAction* phMv = menu->addAction(QStringLiteral("pH / mV"));
    phMv->setObjectName(QStringLiteral("MnupHmV"));
    QAction* temperature = menu->addAction(QStringLiteral("Temperature"));
    temperature->setObjectName(QStringLiteral("MnuTemp"));
    connect(phMv, &QAction::triggered, this, &RecordListWindow::MnupHmV_Click);
    connect(temperature, &QAction::triggered, this, &RecordListWindow::MnuTemp_Click);
    return menu;
}

void RecordListWindow::MnupHmV_Click() {
    requestPlot(files::ListPlotKind::PhMv);
}

void RecordListWindow::MnuTemp_Click() {
    requestPlot(files::ListPlotKind::Temperature);
}

void RecordListWindow::requestPlot(files::ListPlotKind kind) {
    if (!plotAvailable()) return;
    emit files_.events().plotRequested(this, grid_, kind);
}

}  // namespace files
