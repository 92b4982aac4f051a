// The Alarm dialog: switches, limits, validation and the unit keys it presses on "OK".
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <optional>

#include "alarm/alarm.h"
#include "alarm/alarm_dialog.h"
#include "app/session.h"
#include "link/rs232.h"
#include "meter/display_poll.h"
#include "support/fake_dialogs.h"
#include "support/meter_fixture.h"

using alarms::AlarmDialog;

Q_DECLARE_METATYPE(core::AlarmLimits)

namespace {

const QStringList kBoxes = {"Ckp", "Ckm", "CkC", "CkF"};
const QStringList kTexts = {"TpH", "TpL", "TmH", "TmL", "TCH", "TCL", "TFH", "TFL"};
// The limit widgets of each box, in the order of kBoxes.
const QList<QStringList> kGroups = {{"PpH", "PpL", "TpH", "TpL"},
                                    {"PmH", "PmL", "TmH", "TmL"},
                                    {"PCH", "PCL", "TCH", "TCL"},
                                    {"PFH", "PFL", "TFH", "TFL"}};

// Key codes of the "F" frames the meter received, in order.
QList<int> keyFrames(const sim::MeterSim& meter) {
    QList<int> keys;
    for (const auto& frame : meter.receivedFrames())
        if (frame.size() == 2 && frame[0] == 0x46) keys.append(frame[1]);
    return keys;
}

bool waitClosed(QPointer<AlarmDialog>& dialog) {
    return QTest::qWaitFor([&] { return dialog.isNull(); }, 6000);
}

}  // namespace

class TestAlarm : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        // Every test answers the message boxes, so that a wrong refusal fails instead of waiting.
        dialogs_.emplace();
        session_.emplace();
        alarm_ = &session_->alarm();
    }

    void cleanup() {
        QList<QPointer<QWidget>> windows;
        for (QWidget* w : QApplication::topLevelWidgets()) windows.append(w);
        for (const QPointer<QWidget>& w : windows) delete w.data();
        alarm_ = nullptr;
        session_.reset();
        dialogs_.reset();
    }

    void openingShowsTheStoredSettings_data() {
        QTest::addColumn<core::AlarmLimits>("stored");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("ticked");
        QTest::newRow("start values")
            << core::AlarmLimits{}
            << QStringList{"14", "0", "2000", "-2000", "220", "0", "220", "0"} << QStringList{};
        core::AlarmLimits on;
        on.MvHigh = 250.5;
        on.MvLow = -0.25;
        on.MvAlarmOn = true;
        on.FAlarmOn = true;
        QTest::newRow("mV and 'F on")
            << on << QStringList{"14", "0", "250.5", "-0.25", "220", "0", "220", "0"}
            << QStringList{"Ckm", "CkF"};
        core::AlarmLimits both;
        both.PhAlarmOn = both.MvAlarmOn = true;  // cannot arise; the first of a pair wins
        QTest::newRow("both of a pair on")
            << both << QStringList{"14", "0", "2000", "-2000", "220", "0", "220", "0"}
            << QStringList{"Ckp"};
    }

    void openingShowsTheStoredSettings() {
        QFETCH(core::AlarmLimits, stored);
        QFETCH(QStringList, texts);
        QFETCH(QStringList, ticked);
        alarm_->AlarmLimits = stored;
        AlarmDialog* d = alarm_->show(nullptr);
        QCOMPARE(d->objectName(), QString("Alarm"));
        QCOMPARE(d->windowTitle(), QString("Alarm"));
        QVERIFY(d->isWindow() && !d->isModal() && d->testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(alarm_->show(nullptr), d);  // one instance
        for (int i = 0; i < kTexts.size(); ++i) QCOMPARE(edit(kTexts[i])->text(), texts[i]);
        for (int i = 0; i < kBoxes.size(); ++i) {
            const bool on = ticked.contains(kBoxes[i]);
            QCOMPARE(box(kBoxes[i])->isChecked(), on);
            QCOMPARE(flagOf(kBoxes[i]), on);
            for (const QString& name : kGroups[i])
                QVERIFY2(child<QWidget>(name)->isVisible() == on, qPrintable(name));
        }
    }

    void everyNamedWidgetCarriesItsName() {
        AlarmDialog* d = alarm_->show(nullptr);
        QCOMPARE(d->accessibleDescription(), QString("Alarm"));
        QStringList names = kBoxes + QStringList{"FFunction", "CmdOK"};
        for (const QStringList& group : kGroups) names += group;
        for (const QString& name : names) {
            auto* w = child<QWidget>(name);
            QVERIFY2(w && w->accessibleDescription() == name, qPrintable(name));
        }
        QCOMPARE(box("CkF")->text(), QString("Fahrenheit"));
        QCOMPARE(child<QLabel>("PCL")->text(), QString("Low"));
        QVERIFY(child<QPushButton>("CmdOK")->isDefault());
    }

    void limitsAreShownAsPlainDecimalText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("shown");
        QTest::newRow("whole") << 14.0 << "14";
        QTest::newRow("negative") << -2000.0 << "-2000";
        QTest::newRow("fraction") << 6.5 << "6.5";
        QTest::newRow("inexact binary") << 0.1 << "0.1";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("large, no exponent") << 1e20 << "100000000000000000000";
    }

    // Whatever the locale, and an unchanged box stores back exactly the value it showed.
    void limitsAreShownAsPlainDecimalText() {
        QFETCH(double, value);
        QFETCH(QString, shown);
        const QLocale previous;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        alarm_->AlarmLimits.PhHigh = value;
        alarm_->AlarmLimits.PhLow = -1e6;
        QPointer<AlarmDialog> d = alarm_->show(nullptr);
        QLocale::setDefault(previous);
        QCOMPARE(edit("TpH")->text(), shown);
        d->CmdOk_Click();
        QVERIFY(waitClosed(d));
        QCOMPARE(alarm_->AlarmLimits.PhHigh, value);
    }

    void partnerBoxesExcludeEachOther_data() {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QStringList>("ticked");
        QTest::newRow("mV then pH") << QStringList{"Ckm", "Ckp"} << QStringList{"Ckp"};
        QTest::newRow("pH then mV") << QStringList{"Ckp", "Ckm"} << QStringList{"Ckm"};
        QTest::newRow("'F then 'C") << QStringList{"CkF", "CkC"} << QStringList{"CkC"};
        QTest::newRow("'C then 'F") << QStringList{"CkC", "CkF"} << QStringList{"CkF"};
        QTest::newRow("one of each pair") << QStringList{"Ckp", "CkF"} << QStringList{"Ckp", "CkF"};
        QTest::newRow("tick and untick") << QStringList{"Ckp", "Ckp"} << QStringList{};
        QTest::newRow("back to the first")
            << QStringList{"Ckp", "Ckm", "Ckp"} << QStringList{"Ckp"};
    }

    // The switches follow the boxes at once, before any "OK".
    void partnerBoxesExcludeEachOther() {
        QFETCH(QStringList, clicks);
        QFETCH(QStringList, ticked);
        alarm_->show(nullptr);
        for (const QString& name : clicks) box(name)->click();
        for (int i = 0; i < kBoxes.size(); ++i) {
            const bool on = ticked.contains(kBoxes[i]);
            QCOMPARE(box(kBoxes[i])->isChecked(), on);
            QCOMPARE(flagOf(kBoxes[i]), on);
            for (const QString& name : kGroups[i])
                QVERIFY2(child<QWidget>(name)->isVisible() == on, qPrintable(name));
        }
        QCOMPARE(alarm_->AlarmLimits.PhHigh, 14.0);  // limits wait for "OK"
    }

    // Typed entries are kept only by "OK": re-ticking refills them, the close box drops them
    // (but not the switches).
    void unsavedEntriesAreDropped() {
        QPointer<AlarmDialog> d = alarm_->show(nullptr);
        box("Ckp")->click();
        edit("TpH")->clear();
        QTest::keyClicks(edit("TpH"), "8");
        box("Ckp")->click();
        box("Ckp")->click();
        QCOMPARE(edit("TpH")->text(), QString("14"));
        QTest::keyClicks(edit("TpL"), "5");
        d->close();
        QVERIFY(waitClosed(d));
        QCOMPARE(alarm_->AlarmLimits.PhLow, 0.0);
        QVERIFY(alarm_->AlarmLimits.PhAlarmOn);
        alarm_->show(nullptr);
        QCOMPARE(edit("TpL")->text(), QString("0"));
        QVERIFY(box("Ckp")->isChecked() && edit("TpL")->isVisible());
    }

    void invalidEntriesAreRefused_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "TpH"
                               << "";
        QTest::newRow("empty, hidden group") << "TFL"
                                             << "";
        QTest::newRow("blanks") << "TmH"
                                << "   ";
        QTest::newRow("letters") << "TmH"
                                 << "abc";
        QTest::newRow("number then letters") << "TCL"
                                             << "12abc";
        QTest::newRow("overflow") << "TpL"
                                  << "1e999";
        QTest::newRow("NaN") << "TCH"
                             << "NaN";
        QTest::newRow("decimal comma") << "TpH"
                                       << "7,5";
        QTest::newRow("low equals high") << "TpL"
                                         << "14";
        QTest::newRow("low equals high, hidden group") << "TFL"
                                                       << "220";
        QTest::newRow("low above high") << "TmL"
                                        << "2500";
        QTest::newRow("high below low") << "TCH"
                                        << "-1";
    }

    // One message, nothing stored, the dialog stays open with the entry, the poll runs again.
    void invalidEntriesAreRefused() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        const QList<FakeDialogs::Message>& messages = dialogs_->messages;
        AlarmDialog* d = alarm_->show(nullptr);
        box("Ckp")->click();
        edit("TpH")->setText("9");  // a valid change that must not be stored either
        edit(name)->setText(text);
        const core::AlarmLimits before = alarm_->AlarmLimits;
        QTest::mouseClick(child<QPushButton>("CmdOK"), Qt::LeftButton);
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].text, QString("Invalid settings, try again!"));
        QCOMPARE(messages[0].icon, ui::Dialogs::Icon::Critical);
        QCOMPARE(messages[0].buttons, ui::Dialogs::Buttons::Ok);
        QVERIFY(alarm_->AlarmLimits == before);
        QTest::qWait(50);
        QCOMPARE(alarm_->find(), d);
        QVERIFY(d->isVisible());
        QCOMPARE(edit(name)->text(), text);
    }

    void acceptedEntriesAreStoredAsNumbers() {
        QPointer<AlarmDialog> d = alarm_->show(nullptr);
        edit("TpH")->setText(" 9.5 ");
        edit("TpL")->setText("+7");
        edit("TmL")->setText("-150.25");
        edit("TCL")->setText(".5");
        edit("TFH")->setText("300");  // hidden groups are stored too
        QTest::mouseClick(child<QPushButton>("CmdOK"), Qt::LeftButton);
        QVERIFY(waitClosed(d));
        QVERIFY(dialogs_->messages.isEmpty());
        core::AlarmLimits expected;
        expected.PhHigh = 9.5;
        expected.PhLow = 7;
        expected.MvLow = -150.25;
        expected.CLow = 0.5;
        expected.FHigh = 300;
        QVERIFY(alarm_->AlarmLimits == expected);
    }

    void okPressesTheKeysOfTheWatchedUnits_data() {
        QTest::addColumn<QStringList>("ticks");
        QTest::addColumn<QList<int>>("keys");
        QTest::newRow("pH and 'C") << QStringList{"Ckp", "CkC"} << QList<int>{0xDD, 0xDE};
        QTest::newRow("mV and 'F") << QStringList{"CkF", "Ckm"} << QList<int>{0xDB, 0xBE};
        QTest::newRow("'F only") << QStringList{"CkF"} << QList<int>{0xBE};
        QTest::newRow("none") << QStringList{} << QList<int>{};
    }

    void okPressesTheKeysOfTheWatchedUnits() {
        QFETCH(QStringList, ticks);
        QFETCH(QList<int>, keys);
        MeterFixture f;
        QVERIFY(f.startPanel());
        use(f);
        QVERIFY(f.waitFor([&] { return f.panel()->displayPoll()->ticks() >= 1; }, 3000));
        QPointer<AlarmDialog> d = alarm_->show(f.panel());
        for (const QString& name : ticks) box(name)->click();
        edit("TmH")->setText("450");
        f.meter().clearReceived();
        QTest::mouseClick(child<QPushButton>("CmdOK"), Qt::LeftButton);
        QVERIFY(waitClosed(d));
        QCOMPARE(keyFrames(f.meter()), keys);
        // Each key is followed by a pause of a second, with the display poll held off.
        if (keys.size() == 2) {
            const auto bytes = f.meter().received();
            QList<std::chrono::steady_clock::time_point> at;
            for (const auto& b : bytes) {
                if (b.value == 0x46) at.append(b.time);
                QVERIFY2(at.size() != 1 || b.value != 0x20, "poll between the keys");
            }
            const auto gap = std::chrono::duration_cast<std::chrono::milliseconds>(at[1] - at[0]);
            QVERIFY2(gap.count() >= 950 && gap.count() < 1400,
                     qPrintable(QString::number(gap.count())));
        }
        QVERIFY(f.panel()->timer1()->isActive());
        QCOMPARE(alarm_->AlarmLimits.MvHigh, 450.0);
        for (const QString& name : kBoxes) QCOMPARE(flagOf(name), ticks.contains(name));
    }

    // A second "OK" during the pauses presses nothing more; closing the window meanwhile does
    // not cut the key sequence short.
    void keySequenceRunsOnceToItsEnd() {
        MeterFixture f;
        QVERIFY(f.startPanel());
        use(f);
        QPointer<AlarmDialog> d = alarm_->show(f.panel());
        box("Ckm")->click();
        box("CkC")->click();
        f.meter().clearReceived();
        MeterFixture::after(300, [&] {
            if (d) d->CmdOk_Click();
        });
        MeterFixture::after(1300, [&] {
            if (d) d->close();
        });
        d->CmdOk_Click();
        QVERIFY(waitClosed(d));
        QCOMPARE(keyFrames(f.meter()), (QList<int>{0xDB, 0xDE}));
        QVERIFY(f.panel()->timer1()->isActive());
    }

    // The whole road: a watched pH above its high limit makes OVER blink on the panel.
    void phAboveTheHighLimitMakesOverBlink() {
        MeterFixture f;
        f.meter().withModel([](sim::MeterModel& m) {
            m.setFixedPh(7.5);
            return 0;
        });
        QVERIFY(f.startPanel());
        use(f);
        QVERIFY(f.waitFor([&] { return f.text("LblUpValue") == "7.500"; }, 3000));
        QPointer<AlarmDialog> d = alarm_->show(f.panel());
        box("Ckp")->click();
        edit("TpH")->setText("7");
        edit("TpL")->setText("6");
        QTest::mouseClick(child<QPushButton>("CmdOK"), Qt::LeftButton);
        QVERIFY(waitClosed(d));
        meter::DisplayPoll* poll = f.panel()->displayPoll();
        QList<bool> over;
        bool underSeen = false;
        for (int i = 0; i < 6; ++i) {
            const int tick = poll->ticks();
            QVERIFY(f.waitFor([&] { return poll->ticks() > tick; }, 3000));
            over.append(f.visible("LblUOver"));
            underSeen = underSeen || f.visible("LblUUnder");
        }
        for (int i = 1; i < over.size(); ++i) QVERIFY2(over[i] != over[i - 1], "not blinking");
        QVERIFY(!underSeen);
        QVERIFY(alarm_->AlarmLimits.PhAlarmOn);
    }

  private:
    // From now on the Alarm is that of the meter fixture's session, not the test's own.
    void use(MeterFixture& f) { alarm_ = &f.session()->alarm(); }

    template <class W>
    W* child(const QString& name) {
        AlarmDialog* d = alarm_->find();
        return d ? d->findChild<W*>(name) : nullptr;
    }
    QLineEdit* edit(const QString& name) { return child<QLineEdit>(name); }
    QCheckBox* box(const QString& name) { return child<QCheckBox>(name); }
    bool flagOf(const QString& boxName) {
        const core::AlarmLimits& l = alarm_->AlarmLimits;
        const bool flags[] = {l.PhAlarmOn, l.MvAlarmOn, l.CAlarmOn, l.FAlarmOn};
        return flags[kBoxes.indexOf(boxName)];
    }

    std::optional<FakeDialogs> dialogs_;
    std::optional<app::Session> session_;
    alarms::Alarm* alarm_ = nullptr;
};

QTEST_MAIN(TestAlarm)
#include "test_alarm.moc"
