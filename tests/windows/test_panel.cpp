// The program's windows from the port choice to the live panel, offscreen.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTest>

#include "link/port_names.h"
#include "link/port_window.h"
#include "link/qt_serial_line.h"
#include "link/rs232.h"
#include "meter/display_poll.h"
#include "panel/panel.h"
#include "support/fake_dialogs.h"
#include "support/meter_fixture.h"

class TestPanel : public QObject {
    Q_OBJECT

private slots:
    void portWindowChoosesComOneAndThePanelShowsTheReading() {
        MeterFixture f;
        f.meter().withModel([](sim::MeterModel& m) {
            m.setFixedPh(7.5);
            m.setFixedTemperature(25.3);
            return 0;
        });
        panel::Panel* shown = nullptr;
        auto* port = new serial::Port([&] {
            shown = new panel::Panel(new serial::QtSerialLine);
            shown->show();
            shown->Form_Load();
        });
        port->show();
        QCOMPARE(port->windowTitle(), QString("Commport Selection"));
        auto* ports = port->findChild<QComboBox*>("Ports");
        QCOMPARE(ports->count(), 8);
        QCOMPARE(ports->itemText(7), QString("COM8"));
        QTest::mouseClick(port->findChild<QPushButton*>("CmdOK"), Qt::LeftButton);
        QVERIFY(shown);
        QCOMPARE(Rs232::CommPortNumber, 1);
        QCOMPARE(shown->windowTitle(), QString("Panel V7.0"));
        QVERIFY(f.waitFor([&] { return shown->label("LblUpValue")->text() == "7.500"; }, 3000));
        QCOMPARE(shown->label("LblUpUnit")->text(), QString("pH"));
        QCOMPARE(shown->label("LblDownLeftValue")->text(), QString("25.3"));
        QCOMPARE(shown->label("Lblfc")->text(), QString("'C"));
        QCOMPARE(shown->label("LblComm")->text(), QString("Com1"));
        QCOMPARE(shown->label("LblSample")->text(), QString("2 sec"));
        shown->close();
        QCOMPARE(f.quitRequests(), 1);
        delete shown;
    }

    void enterTakesTheChosenPort() {
        MeterFixture f;
        serial::setDeviceForPort(8, QString::fromStdString(f.meter().devicePath()));
        panel::Panel* shown = nullptr;
        auto* port = new serial::Port([&] {
            shown = new panel::Panel(new serial::QtSerialLine);
            shown->show();
            QVERIFY(shown->Form_Load());
        });
        port->show();
        QVERIFY(QTest::qWaitForWindowExposed(port));
        auto* ports = port->findChild<QComboBox*>("Ports");
        ports->setCurrentIndex(7);
        QVERIFY(port->findChild<QLabel*>("LblDevice")->text().contains(
            QString::fromStdString(f.meter().devicePath())));
        ports->setFocus();
        QTest::keyClick(ports, Qt::Key_Return);
        QVERIFY(shown);
        QCOMPARE(Rs232::CommPortNumber, 8);
        QCOMPARE(shown->label("LblComm")->text(), QString("Com8"));
        shown->close();
        delete shown;
    }

    void lowerCaseEntryLeavesNoPortAndTheProgramEndsWithOneMessage() {
        MeterFixture f;
        FakeDialogs dialogs;
        int panels = 0;
        auto* port = new serial::Port([&] {
            ++panels;
            auto* p = new panel::Panel(new serial::QtSerialLine);
            p->show();
            QVERIFY(!p->Form_Load());
        });
        port->show();
        port->findChild<QComboBox*>("Ports")->setEditText("com3");
        QTest::mouseClick(port->findChild<QPushButton*>("CmdOK"), Qt::LeftButton);
        QCOMPARE(panels, 1);
        QCOMPARE(Rs232::CommPortNumber, 0);
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].text, QString("No device found, try again!"));
        QCOMPARE(f.quitRequests(), 1);
    }

    void missingDeviceEndsTheProgramWithOneMessage() {
        MeterFixture f;
        FakeDialogs dialogs;
        serial::setDeviceForPort(4, "/nonexistent/serial-device");
        Rs232::CommPortNumber = 4;
        auto* p = new panel::Panel(new serial::QtSerialLine);
        p->show();
        QVERIFY(!p->Form_Load());
        QTest::qWait(600);
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(f.quitRequests(), 1);
        QVERIFY(!p->timer1()->isActive());
    }

    void silenceShowsNoComAndAnswersBringTheLinkBack() {
        MeterFixture f;
        QVERIFY(f.startPanel());
        QVERIFY(f.waitFor([&] { return f.panel()->displayPoll()->ticks() >= 1; }, 3000));
        QElapsedTimer silentFor;
        qint64 lostAfterMs = -1;
        bool buttonsOff = false;
        f.whenLinkLost([&] {
            lostAfterMs = silentFor.elapsed();
            buttonsOff = true;
            for (const char* name : {"CmdPsingle", "CmdPmul", "CmdPtempG", "CmdPpHG"})
                buttonsOff = buttonsOff && !f.panel()->button(name)->isEnabled();
            buttonsOff = buttonsOff && !f.visible("Lbl232") && f.text("LblComm") == "No Com";
            MeterFixture::after(500, [&] { f.meter().setSilent(false); });
        });
        silentFor.start();
        f.meter().setSilent(true);
        QVERIFY(f.waitFor([&] { return lostAfterMs >= 0 && f.text("LblComm") == "Com1"; }, 8000));
        QVERIFY(buttonsOff);
        // About ten unanswered polls of 0.2 s, plus the tick that was running.
        QVERIFY2(lostAfterMs >= 1500 && lostAfterMs < 3500, qPrintable(QString::number(lostAfterMs)));
        QVERIFY(f.panel()->button("CmdPpHG")->isEnabled());
        QVERIFY(f.visible("Lbl232"));
    }

    void lostLinkClosesSecondaryWindowsButNotAlarm() {
        MeterFixture f;
        QVERIFY(f.startPanel());
        auto* list = new QWidget;
        list->setObjectName("RealTimeList");
        list->show();
        auto* alarm = new QWidget;
        alarm->setObjectName("Alarm");
        alarm->show();
        bool listClosed = false;
        bool alarmOpen = false;
        f.whenLinkLost([&] {
            listClosed = !list->isVisible();
            alarmOpen = alarm->isVisible();
            f.meter().setSilent(false);
        });
        f.meter().setSilent(true);
        QVERIFY(f.waitFor([&] { return alarmOpen && f.text("LblComm") == "Com1"; }, 8000));
        QVERIFY(listClosed);
        delete list;
        delete alarm;
    }

    void closingThePanelDuringLostLinkEndsAtOnce() {
        MeterFixture f;
        QVERIFY(f.startPanel());
        f.whenLinkLost([&] { MeterFixture::after(100, [&] { f.panel()->close(); }); });
        f.meter().setSilent(true);
        QVERIFY(f.waitFor([&] { return f.quitRequests() == 1; }, 8000));
        QVERIFY(Rs232::ShuttingDown());
        // The panel is destroyed once the probe it was closed in has returned.
        QVERIFY(f.waitFor([&] { return f.panel() == nullptr; }, 2000));
    }

    void everyNamedWidgetCarriesItsName() {
        MeterFixture f;
        QVERIFY(f.startPanel());
        const QStringList names = {
            "LblUpValue", "LblUpUnit", "LblDownLeftValue", "LblDownRightValue", "LblAuto",
            "Lblfc",      "LblA",      "LblM",             "LblR",              "LblCal",
            "LblUOver",   "LblUUnder", "LblDOver",         "LblDUnder",         "LblBt",
            "LblAdj",     "LblTest",   "LblDate",          "Lbl232",            "LblPole",
            "LblComm",    "RecordingLbl", "LblCount",      "SampleLbl",         "LblSample",
            "FileLbl",    "LblFile",   "Label1",           "Lcd1",              "Lcd4"};
        for (const QString& name : names) {
            QLabel* l = f.panel()->label(name);
            QVERIFY2(l, qPrintable(name));
            QCOMPARE(l->accessibleDescription(), name);
        }
        const QStringList buttons = {"CmdPopen", "CmdPlist",   "CmdPpHG",      "CmdPtempG",
                                     "CmdPSample", "CmdPsingle", "CmdPmul",    "CmdPsavestop",
                                     "SSCommand1", "MnuSystem",  "CmdRead",    "CmdTest10",
                                     "CmdpH",    "CmdmV",      "CmdC",         "CmdF",
                                     "CmdMem",   "CmdCal",     "CmdToggle",    "CmdEnter",
                                     "CmdLeft",  "CmdRight",   "CmdUp",        "CmdDown"};
        for (const QString& name : buttons) QVERIFY2(f.panel()->button(name), qPrintable(name));
        QCOMPARE(f.panel()->button("CmdPsingle")->text(), QString("Single Rec"));
        QCOMPARE(f.panel()->label("Label1")->text(), QString("pH / ORP / Temperature Meter"));
    }
};

QTEST_MAIN(TestPanel)
#include "test_panel.moc"
