#include "support/meter_fixture.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "alarm/alarm_state.h"
#include "link/port_names.h"
#include "link/qt_serial_line.h"
#include "link/rs232.h"
#include "meter/display_poll.h"
#include "meter/meter_state.h"
#include "panel/panel.h"

MeterFixture::MeterFixture(bool fast, const std::string& linkPath) {
    Rs232::ResetForTests();
    Rs232::setQuitAction([this] { ++quits_; });
    Meter::MeterReading = core::MeterReading{};
    Alarm::ResetAlarmLimits();
    sim::MeterSim::Options options;
    options.fast = fast;
    options.linkPath = linkPath;
    meter_ = std::make_unique<sim::MeterSim>(options);
    if (!meter_->start()) qFatal("simulated meter did not start: %s", meter_->errorString().c_str());
    serial::setDeviceForPort(1, QString::fromStdString(linkPath.empty() ? meter_->devicePath()
                                                                          : linkPath));
}

MeterFixture::~MeterFixture() {
    if (panel_) {
        panel_->close();
        delete panel_.data();
    }
    QList<QPointer<QWidget>> windows;
    for (QWidget* w : QApplication::topLevelWidgets()) windows.append(w);
    for (const QPointer<QWidget>& w : windows) delete w.data();
    Rs232::setQuitAction(nullptr);
    Rs232::ResetForTests();
    serial::clearPortDevices();
    meter_->stop();
}

bool MeterFixture::startPanel() {
    Rs232::CommPortNumber = 1;
    panel_ = new panel::Panel(new serial::QtSerialLine);
    panel_->show();
    return panel_->Form_Load();
}

void MeterFixture::whenLinkLost(std::function<void()> action) {
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = QObject::connect(panel_->displayPoll(), &meter::DisplayPoll::linkLost,
                                   [connection, action] {
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
    QLabel* label = panel_ ? panel_->label(labelName) : nullptr;
    return label ? label->text() : QStringLiteral("<missing>");
}

bool MeterFixture::visible(const char* labelName) const {
    QLabel* label = panel_ ? panel_->label(labelName) : nullptr;
    return label && label->isVisible();
}
