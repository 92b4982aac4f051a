#include "support/meter_fixture.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "app/panel_start.h"
#include "app/simulated_meter.h"
#include "link/port_names.h"
#include "meter/display_poll.h"
#include "meter/readout.h"
#include "panel/panel.h"

MeterFixture::MeterFixture(bool fast, const std::string& linkPath) {
    sim::MeterSim::Options options;
    options.fast = fast;
    options.linkPath = linkPath;
    QString error;
    meter_ = app::StartSimulatedMeter(options, &error);
    if (!meter_) qFatal("simulated meter did not start: %s", qPrintable(error));
    ports_ = app::PortsWithMeter(*meter_);
    if (!linkPath.empty()) ports_->setComDevice(1, QString::fromStdString(linkPath));
}

MeterFixture::~MeterFixture() {
    if (panel::Panel* shown = panel()) {
        // The program ends without its questions about a running recording or download.
        shown->setCloseCheck(nullptr);
        shown->setDownloadRunning(false);
        shown->close();
    }
    session_.reset();
    QList<QPointer<QWidget>> windows;
    for (QWidget* w : QApplication::topLevelWidgets()) windows.append(w);
    for (const QPointer<QWidget>& w : windows) delete w.data();
    meter_->stop();
}

bool MeterFixture::startPanel() {
    session_ = app::StartPanel(1, {}, ports_, quitCounter());
    return session_ != nullptr;
}

void MeterFixture::whenLinkLost(std::function<void()> action) {
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection =
        QObject::connect(&session_->readout(), &meter::Readout::linkLost, [connection, action] {
            QObject::disconnect(*connection);
            action();
        });
}

void MeterFixture::after(int ms, std::function<void()> action) {
    QTimer::singleShot(ms, std::move(action));
}

bool MeterFixture::waitFor(const std::function<bool()>& done, int timeoutMs) {
    return QTest::qWaitFor(done, timeoutMs);
}

QString MeterFixture::text(const char* labelName) const {
    QLabel* label = panel() ? panel()->label(labelName) : nullptr;
    return label ? label->text() : QStringLiteral("<missing>");
}

bool MeterFixture::visible(const char* labelName) const {
    QLabel* label = panel() ? panel()->label(labelName) : nullptr;
    return label && label->isVisible();
}
