// The program's serial operations against the simulated meter over a real pseudo-terminal.
#include <QElapsedTimer>
#include <QTest>
#include <optional>

#include "link/exchange.h"
#include "link/qt_serial_line.h"
#include "link/rs232.h"
#include "support/meter_fixture.h"

namespace {

using Frames = std::vector<std::vector<uint8_t>>;

int countFrames(const Frames& frames, std::vector<uint8_t> wanted) {
    int n = 0;
    for (const auto& f : frames) n += f == wanted ? 1 : 0;
    return n;
}

}  // namespace

class TestRs232 : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<MeterFixture> fixture;
    std::unique_ptr<serial::QtSerialLine> line;
    // The operations run inside an exchange, which holds the line.
    std::optional<Rs232::Exchange> exchange;

    void openLine() {
        line = std::make_unique<serial::QtSerialLine>();
        line->setPortNumber(1);
        QVERIFY(line->setSettings("9600,n,8,1"));
        QVERIFY2(line->open(), qPrintable(line->errorText()));
        Rs232::State.Comm1 = line.get();
    }

  private slots:
    void init() {
        fixture = std::make_unique<MeterFixture>(true);
        openLine();
        exchange.emplace();
    }

    void cleanup() {
        exchange.reset();
        Rs232::State.Comm1 = nullptr;
        line.reset();
        fixture.reset();
    }

    void sendCommandResendsEverySecondUntilASlowAnswer() {
        fixture->meter().setReplyDelay(2.5);
        fixture->meter().withModel([](sim::MeterModel& m) {
            m.setInterval(30);
            return 0;
        });
        fixture->meter().clearReceived();
        QElapsedTimer clock;
        clock.start();
        QVERIFY(Rs232::SendCommand(0x52));
        QCOMPARE(Rs232::State.LastReplyByte.value_or(0), 30);
        QVERIFY(clock.elapsed() >= 2400);
        QCOMPARE(countFrames(fixture->meter().receivedFrames(), {0x52, 0x52}), 3);
    }

    void multiByteReplyLeavesItsFirstByteAndEmptiesTheBuffer() {
        fixture->meter().setExtraBytes(5);
        fixture->meter().withModel([](sim::MeterModel& m) {
            m.setInterval(12);
            return 0;
        });
        QVERIFY(Rs232::SendCommand(0x52));
        QCOMPARE(Rs232::State.LastReplyByte.value_or(0), 12);
        QTest::qWait(100);
        // Whatever of the reply arrived after the read is gone at the next flush.
        Rs232::Flush();
        QCOMPARE(Rs232::InBufferCount(), 0);
    }

    void staleBytesAreFlushedBeforeANewFrame() {
        fixture->meter().sendGarbage({0x99, 0x98, 0x97});
        QVERIFY(MeterFixture::waitFor([] { return Rs232::InBufferCount() >= 3; }, 2000));
        fixture->meter().withModel([](sim::MeterModel& m) {
            m.setInterval(40);
            return 0;
        });
        QVERIFY(Rs232::SendCommand(0x52));
        QCOMPARE(Rs232::State.LastReplyByte.value_or(0), 40);
    }

    void sendCommandGivesUpAfterTenSilentSeconds() {
        fixture->meter().setSilent(true);
        Rs232::State.LastReplyByte = 7;
        fixture->meter().clearReceived();
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!Rs232::SendCommand(0x50));
        QVERIFY(clock.elapsed() >= 9900);
        QCOMPARE(Rs232::State.LastReplyByte.value_or(0), 7);
        const int sent = countFrames(fixture->meter().receivedFrames(), {0x52, 0x50});
        QVERIFY2(sent >= 10 && sent <= 11, qPrintable(QString::number(sent)));
    }

    void sendKeyFlushesAndWritesTheKeyFrame() {
        fixture->meter().clearReceived();
        Rs232::SendKey(237);
        Rs232::SendKey(237);
        QVERIFY(fixture->meter().waitForReceived(4, std::chrono::milliseconds(2000)));
        QCOMPARE(countFrames(fixture->meter().receivedFrames(), {0x46, 0xED}), 2);
    }

    void delayWaitsOnTheMonotonicClockWithoutSpinning() {
        QElapsedTimer clock;
        clock.start();
        const std::clock_t cpuBefore = std::clock();
        Rs232::Delay(0.5);
        const double cpuSeconds = double(std::clock() - cpuBefore) / CLOCKS_PER_SEC;
        QVERIFY(clock.elapsed() >= 490);
        // A spinning wait would use the whole half second.
        QVERIFY2(cpuSeconds < 0.25, qPrintable(QString::number(cpuSeconds)));
    }
};

QTEST_MAIN(TestRs232)
#include "test_rs232.moc"
