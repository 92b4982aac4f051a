// The program's windows from the port choice to the live panel, offscreen.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "alarm/alarm.h"
#include "alarm/alarm_dialog.h"
#include "app/panel_start.h"
#include "files/files.h"
#include "files/list_commands.h"
#include "files/real_time_list.h"
#include "link/port_names.h"
#include "link/port_window.h"
#include "link/rs232.h"
#include "link/serial_line.h"
#include "meter/display_poll.h"
#include "meter/readout.h"
#include "panel/field_sizes.h"
#include "panel/panel.h"
#include "panel/segment_display.h"
#include "recording/recorder.h"
#include "support/fake_dialogs.h"
#include "support/fake_port_lister.h"
#include "support/meter_fixture.h"

class TestPanel : public QObject {
    Q_OBJECT

    // The sessions the Port window started, kept until the test ends.
    static inline std::vector<std::unique_ptr<app::Session>> sessions;
    static panel::Panel* keep(std::unique_ptr<app::Session> session) {
        if (!session) return nullptr;
        sessions.push_back(std::move(session));
        return sessions.back()->panel();
    }

  private slots:
    void cleanup() { sessions.clear(); }

    // Shows the Port window (listing no ports of this computer) with the program's own wiring:
    // the choice starts the panel.
    static serial::Port* showPortWindow(MeterFixture& f, QPointer<panel::Panel>* shown) {
        // No ports of this computer; COMn opens what it opens for the fixture's panel.
        auto listed = std::make_shared<FakePortLister>();
        listed->setComPorts(f.ports()->comPorts());
        auto* port = new serial::Port(nullptr, listed);
        QObject::connect(port, &serial::Port::portChosen, port, [&f, shown](int number) {
            *shown = keep(app::StartPanel(number, {}, f.ports(), f.quitCounter()));
        });
        QObject::connect(port, &serial::Port::deviceChosen, port,
                         [&f, shown](const QString& device) {
                             *shown = keep(app::StartPanel(0, device, f.ports(), f.quitCounter()));
                         });
        port->show();
        return port;
    }

    void portWindowChoosesComOneAndThePanelShowsTheReading() {
        MeterFixture f;
        f.meter().withModel([](sim::MeterModel& m) {
            m.setFixedPh(7.5);
            m.setFixedTemperature(25.3);
            return 0;
        });
        QPointer<panel::Panel> shown;
        serial::Port* port = showPortWindow(f, &shown);
        QCOMPARE(port->windowTitle(), QString("Commport Selection"));
        auto* ports = port->findChild<QComboBox*>("Ports");
        QCOMPARE(ports->count(), 8);
        QCOMPARE(ports->itemText(7), QString("COM8"));
        QTest::mouseClick(port->findChild<QPushButton*>("CmdOK"), Qt::LeftButton);
        QVERIFY(shown);
        QCOMPARE(shown->comm1()->portNumber(), 1);
        QCOMPARE(shown->windowTitle(), QString("Panel V7.0"));
        // Shown exactly while recording.
        QVERIFY(!shown->label("RecordingLbl")->isVisible());
        QVERIFY(f.waitFor([&] { return shown->label("LblUpValue")->text() == "7.500"; }, 3000));
        QCOMPARE(shown->label("LblUpUnit")->text(), QString("pH"));
        QCOMPARE(shown->label("LblDownLeftValue")->text(), QString("25.3"));
        QCOMPARE(shown->label("Lblfc")->text(), QString("'C"));
        QCOMPARE(shown->label("LblComm")->text(), QString("Com1"));
        QCOMPARE(shown->label("LblSample")->text(), QString("2 sec"));
        shown->close();
        QCOMPARE(f.quitRequests(), 1);
        delete shown.data();
    }

    void enterTakesTheChosenPort() {
        MeterFixture f;
        f.ports()->setComDevice(8, QString::fromStdString(f.meter().devicePath()));
        QPointer<panel::Panel> shown;
        serial::Port* port = showPortWindow(f, &shown);
        QVERIFY(QTest::qWaitForWindowExposed(port));
        auto* ports = port->findChild<QComboBox*>("Ports");
        ports->setCurrentIndex(7);
        QVERIFY(port->findChild<QLabel*>("LblDevice")
                    ->text()
                    .contains(QString::fromStdString(f.meter().devicePath())));
        ports->setFocus();
        QTest::keyClick(ports, Qt::Key_Return);
        QVERIFY(shown);
        QCOMPARE(shown->comm1()->portNumber(), 8);
        QCOMPARE(shown->label("LblComm")->text(), QString("Com8"));
        shown->close();
        delete shown.data();
    }

    // Not a COM entry: the text is opened as a device, which does not exist.
    void lowerCaseEntryLeavesNoPortNumberAndFailsWithOneMessage() {
        MeterFixture f;
        FakeDialogs dialogs;
        QPointer<panel::Panel> shown;
        bool panelSeen = false;
        serial::Port* port = showPortWindow(f, &shown);
        // The start-up runs before the panel is shown: the user sees only the message.
        dialogs.onMessage = [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                panelSeen = panelSeen || (w->objectName() == "Panel" && w->isVisible());
        };
        port->findChild<QComboBox*>("Ports")->setEditText("com3");
        QTest::mouseClick(port->findChild<QPushButton*>("CmdOK"), Qt::LeftButton);
        QVERIFY(!shown);
        QCOMPARE(port->commPortNumber(), 0);
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].text,
                 QString("No device found, try again!\n\nDevice: /dev/com3\n"
                         "There is no such device."));
        QVERIFY(!panelSeen);
        QCOMPARE(f.quitRequests(), 1);
    }

    void missingDeviceEndsTheProgramWithOneMessage() {
        MeterFixture f;
        FakeDialogs dialogs;
        f.ports()->setComDevice(4, "/nonexistent/serial-device");
        QVERIFY(!app::StartPanel(4, {}, f.ports(), f.quitCounter()));
        QTest::qWait(600);
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.messages[0].text.contains("/nonexistent/serial-device"));
        QCOMPARE(f.quitRequests(), 1);
    }

    void silenceShowsNoComAndAnswersBringTheLinkBack() {
        MeterFixture f;
        QVERIFY(f.startPanel());
        QVERIFY(f.waitFor([&] { return f.panel()->displayPoll()->ticks() >= 1; }, 3000));
        QElapsedTimer silentFor;
        qint64 lostAfterMs = -1;
        bool buttonsOff = false;
        bool blankDisplay = true;
        f.meter().withModel([](sim::MeterModel& m) {
            m.setLowBattery(true);
            return 0;
        });
        QVERIFY(f.waitFor([&] { return f.visible("LblBt"); }, 3000));
        f.whenLinkLost([&] {
            lostAfterMs = silentFor.elapsed();
            buttonsOff = true;
            for (const char* name : {"CmdPsingle", "CmdPmul", "CmdPtempG", "CmdPpHG"})
                buttonsOff = buttonsOff && !f.panel()->button(name)->isEnabled();
            buttonsOff = buttonsOff && !f.visible("Lbl232") && f.text("LblComm") == "No Com";
            // Nothing on the display reads as an alarm, a flat battery or a unit.
            for (const char* mark :
                 {"LblA", "LblM", "LblR", "LblCal", "LblAdj", "LblTest", "LblDate", "LblBt",
                  "LblUOver", "LblUUnder", "LblDOver", "LblDUnder", "LblAuto"})
                blankDisplay = blankDisplay && !f.visible(mark);
            for (const char* field : {"LblUpValue", "LblUpUnit", "LblDownLeftValue", "Lblfc"})
                blankDisplay = blankDisplay && f.text(field).isEmpty();
            MeterFixture::after(500, [&] { f.meter().setSilent(false); });
        });
        silentFor.start();
        f.meter().setSilent(true);
        QVERIFY(f.waitFor([&] { return lostAfterMs >= 0 && f.text("LblComm") == "Com1"; }, 8000));
        QVERIFY(buttonsOff);
        QVERIFY(blankDisplay);
        // About ten unanswered polls of 0.2 s, plus the tick that was running.
        QVERIFY2(lostAfterMs >= 1500, qPrintable(QString::number(lostAfterMs)));
        QVERIFY(f.panel()->button("CmdPpHG")->isEnabled());
        QVERIFY(f.visible("Lbl232"));
    }

    void lostLinkClosesSecondaryWindowsButNotAlarm() {
        MeterFixture f;
        QVERIFY(f.startPanel());
        files::OpenLiveList(f.session()->files());
        QPointer<QWidget> list = f.session()->files().findRealTimeList();
        QPointer<QWidget> alarm = f.session()->alarm().show(f.panel());
        bool listClosed = false;
        bool alarmOpen = false;
        f.whenLinkLost([&] {
            listClosed = !list || !list->isVisible();
            alarmOpen = alarm && alarm->isVisible();
            f.meter().setSilent(false);
        });
        f.meter().setSilent(true);
        QVERIFY(f.waitFor([&] { return alarmOpen && f.text("LblComm") == "Com1"; }, 8000));
        QVERIFY(listClosed);
        QVERIFY(!f.session()->files().liveListOpen());
    }

    void closingThePanelDuringLostLinkEndsAtOnce() {
        MeterFixture f;
        QVERIFY(f.startPanel());
        f.whenLinkLost([&] { MeterFixture::after(100, [&] { f.panel()->close(); }); });
        f.meter().setSilent(true);
        QVERIFY(f.waitFor([&] { return f.quitRequests() == 1; }, 8000));
        QVERIFY(f.session()->ending());
        // The panel is destroyed once the wait it was closed in has returned.
        QVERIFY(f.waitFor([&] { return f.panel() == nullptr; }, 2000));
    }

    void aNewStartBeginsFromTheStartValuesOfEveryModule() {
        {
            MeterFixture f;
            QVERIFY(f.startPanel());
            QVERIFY(f.waitFor([&] { return f.panel()->displayPoll()->ticks() >= 1; }, 3000));
            f.session()->alarm().AlarmLimits.PhHigh = 9;
            f.session()->alarm().AlarmLimits.PhAlarmOn = true;
            f.session()->files().LiveListCount = 12;
            f.session()->files().DataFileName = "run1.dat";
            f.session()->recorder().RecordingCount = 3;
            f.panel()->close();
        }
        MeterFixture f;
        QVERIFY(f.startPanel());
        QCOMPARE(f.session()->alarm().AlarmLimits, core::AlarmLimits{});
        QCOMPARE(f.session()->files().LiveListCount, 0L);
        QVERIFY(f.session()->files().DataFileName.isEmpty());
        QCOMPARE(f.session()->recorder().RecordingCount, 0L);
        QVERIFY(!f.session()->ending());
        QVERIFY(!f.session()->readout().isLinkLost());
        QVERIFY(f.waitFor([&] { return f.panel()->displayPoll()->ticks() >= 1; }, 3000));
    }

    // Two panels at once, each on its own meter: what one shows, keeps, opens or loses never
    // reaches the other, and the first one ending leaves the second running.
    void aSecondPanelSharesNothingWithTheFirst() {
        MeterFixture first;
        MeterFixture second;
        const auto fixPh = [](MeterFixture& f, double ph) {
            f.meter().withModel([ph](sim::MeterModel& m) {
                m.setFixedPh(ph);
                return 0;
            });
        };
        fixPh(first, 7.5);
        fixPh(second, 4.25);
        QVERIFY(first.startPanel());
        files::OpenLiveList(first.session()->files());
        first.session()->alarm().show(first.panel());
        first.session()->alarm().AlarmLimits.PhAlarmOn = true;
        first.session()->files().DataFileName = "first.dat";

        QVERIFY(second.startPanel());
        app::Session& one = *first.session();
        app::Session& two = *second.session();
        QVERIFY(first.waitFor([&] { return first.text("LblUpValue") == "7.500"; }, 3000));
        QVERIFY(second.waitFor([&] { return second.text("LblUpValue") == "4.250"; }, 3000));
        QCOMPARE(first.text("LblUpValue"), QString("7.500"));
        QVERIFY(!two.files().findRealTimeList() && !two.alarm().find());
        QCOMPARE(two.alarm().AlarmLimits, core::AlarmLimits{});
        QVERIFY(two.files().DataFileName.isEmpty());

        // The first meter goes silent: only its panel shows "No Com" and closes its list.
        files::OpenLiveList(two.files());
        first.meter().setSilent(true);
        QVERIFY(first.waitFor([&] { return one.readout().isLinkLost(); }, 8000));
        QVERIFY(!one.files().findRealTimeList());
        QVERIFY(!two.readout().isLinkLost());
        QVERIFY(two.files().findRealTimeList());
        const int ticks = second.panel()->displayPoll()->ticks();

        first.panel()->close();
        QVERIFY(first.waitFor([&] { return first.panel() == nullptr; }, 2000));
        QCOMPARE(first.quitRequests(), 1);
        QCOMPARE(second.quitRequests(), 0);
        QVERIFY(
            second.waitFor([&] { return second.panel()->displayPoll()->ticks() > ticks; }, 3000));
        QVERIFY(two.files().findRealTimeList());
        QCOMPARE(second.text("LblUpValue"), QString("4.250"));
    }

    void everyDisplayFieldFitsTheWidestTextItShows() {
        MeterFixture f;
        QVERIFY(f.startPanel());
        const panel::Panel::Controls& c = f.panel()->controls();
        const QList<QPair<QLabel*, QStringList>> fields = {
            {c.LblUpValue, panel::widestUpperValues()},
            {c.LblDownLeftValue, panel::widestLowerValues()},
            {c.LblDownRightValue, panel::widestSmallValues()},
            {c.LblUpUnit, panel::mainUnits()},
            {c.Lblfc, panel::temperatureUnits()},
            {c.LblAuto, panel::compensationTexts()}};
        for (const auto& [field, texts] : fields) {
            for (const QString& text : texts) {
                const QSize needed = panel::sizeNeededFor(field, text);
                QVERIFY2(needed.width() <= field->width() && needed.height() <= field->height(),
                         qPrintable(field->objectName() + ": " + text));
            }
        }
    }

    void everyNamedWidgetCarriesItsName() {
        MeterFixture f;
        QVERIFY(f.startPanel());
        const QStringList names = {"LblUpValue",
                                   "LblUpUnit",
                                   "LblDownLeftValue",
                                   "LblDownRightValue",
                                   "LblAuto",
                                   "Lblfc",
                                   "LblA",
                                   "LblM",
                                   "LblR",
                                   "LblCal",
                                   "LblUOver",
                                   "LblUUnder",
                                   "LblDOver",
                                   "LblDUnder",
                                   "LblBt",
                                   "LblAdj",
                                   "LblTest",
                                   "LblDate",
                                   "Lbl232",
                                   "LblPole",
                                   "LblComm",
                                   "RecordingLbl",
                                   "LblCount",
                                   "SampleLbl",
                                   "LblSample",
                                   "FileLbl",
                                   "LblFile",
                                   "Label1",
                                   "Lcd1",
                                   "Lcd4"};
        for (const QString& name : names) {
            QLabel* l = f.panel()->label(name);
            QVERIFY2(l, qPrintable(name));
            QCOMPARE(l->accessibleDescription(), name);
        }
        const QStringList buttons = {
            "CmdPopen",   "CmdPlist",  "CmdPpHG",      "CmdPtempG",  "CmdPSample",
            "CmdPsingle", "CmdPmul",   "CmdPsavestop", "SSCommand1", "MnuSystem",
            "CmdRead",    "CmdTest10", "CmdPort",      "CmdpH",      "CmdmV",
            "CmdC",       "CmdF",      "CmdMem",       "CmdCal",     "CmdToggle",
            "CmdEnter",   "CmdLeft",   "CmdRight",     "CmdUp",      "CmdDown"};
        for (const QString& name : buttons) QVERIFY2(f.panel()->button(name), qPrintable(name));
        QCOMPARE(f.panel()->button("CmdPsingle")->text(), QString("Single Rec"));
        QCOMPARE(f.panel()->label("Label1")->text(), QString("pH / ORP / Temperature Meter"));
    }
};

QTEST_MAIN(TestPanel)
#include "test_panel.moc"
