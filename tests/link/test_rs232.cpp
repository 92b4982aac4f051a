// The transactions on the meter's line against the simulated meter over a real pseudo-terminal.
#include <QElapsedTimer>
#include <QTest>
#include <memory>
#include <optional>

#include "link/qt_serial_line.h"
#include "link/rs232.h"
#include "link/transaction_queue.h"
#include "support/meter_fixture.h"

namespace {

using Frames = std::vector<std::vector<uint8_t>>;
using serial::Ending;
using serial::Next;
using serial::Transaction;

int countFrames(const Frames& frames, std::vector<uint8_t> wanted) {
    int n = 0;
    for (const auto& f : frames) n += f == wanted ? 1 : 0;
    return n;
}

// Every ending a chain was told, in order.
struct Endings {
    QList<Ending> told;
    serial::Finished record() {
        return [this](const Ending& e) { told.append(e); };
    }
};

}  // namespace

class TestRs232 : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<MeterFixture> fixture;
    std::unique_ptr<serial::QtSerialLine> line;
    std::unique_ptr<serial::TransactionQueue> queue;

    sim::MeterSim& meter() { return fixture->meter(); }

    void setInterval(int seconds) {
        meter().withModel([seconds](sim::MeterModel& m) {
            m.setInterval(seconds);
            return 0;
        });
    }

    // Runs a request for the logging interval and waits for its ending.
    std::optional<std::uint8_t> request(Endings& endings, int timeoutMs = 3000) {
        std::optional<std::uint8_t> reply;
        queue->submit(
            nullptr,
            serial::Request(0x52,
                            [&reply](std::optional<std::uint8_t> b) {
                                reply = b;
                                return Next::end(b ? Ending::done() : Ending::failed("silent"));
                            }),
            endings.record());
        MeterFixture::waitFor([&] { return !endings.told.isEmpty(); }, timeoutMs);
        return reply;
    }

  private slots:
    void init() {
        fixture = std::make_unique<MeterFixture>(true);
        line = std::make_unique<serial::QtSerialLine>(nullptr, fixture->ports());
        line->setPortNumber(1);
        QVERIFY(line->setSettings("9600,n,8,1"));
        QVERIFY2(line->open(), qPrintable(line->errorText()));
        queue = std::make_unique<serial::TransactionQueue>(line.get());
    }

    void cleanup() {
        queue.reset();
        line.reset();
        fixture.reset();
    }

    void requestResendsEverySecondUntilASlowAnswer() {
        meter().setReplyDelay(2.5);
        setInterval(30);
        meter().clearReceived();
        Endings endings;
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(request(endings, 6000).value_or(0), 30);
        QVERIFY(clock.elapsed() >= 2400);
        QCOMPARE(countFrames(meter().receivedFrames(), {0x52, 0x52}), 3);
    }

    void requestTakesTheFirstByteAndStaleBytesAreFlushedFirst() {
        meter().sendGarbage({0x99, 0x98, 0x97});
        QVERIFY(MeterFixture::waitFor([&] { return line->bytesWaiting() >= 3; }, 2000));
        meter().setExtraBytes(5);
        setInterval(40);
        Endings endings;
        QCOMPARE(request(endings).value_or(0), 40);
        QVERIFY(endings.told.first().isDone());
    }

    void requestGivesUpAfterTenSilentSeconds() {
        meter().setSilent(true);
        meter().clearReceived();
        Endings endings;
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!request(endings, 15000));
        QVERIFY(clock.elapsed() >= 9900);
        QCOMPARE(endings.told.size(), 1);
        QCOMPARE(endings.told.first().kind, Ending::Kind::Failed);
        const int sent = countFrames(meter().receivedFrames(), {0x52, 0x52});
        QVERIFY2(sent >= 10 && sent <= 11, qPrintable(QString::number(sent)));
    }

    // Asked while the line is held, in this order: they reach the meter in this order, each
    // once, and the submit calls return before any of them ran.
    void queuedTransactionsRunInTheOrderAsked() {
        meter().clearReceived();
        Endings endings;
        queue->submit(nullptr, Transaction::pause(300), endings.record());
        const std::vector<std::uint8_t> codes = {0xE1, 0xE2, 0xE3, 0xE4};
        for (std::uint8_t code : codes) queue->submit(nullptr, serial::Key(code), endings.record());
        QVERIFY(queue->busy());
        QCOMPARE(queue->waiting(), codes.size());
        QVERIFY(meter().receivedFrames().empty());
        QVERIFY(MeterFixture::waitFor([&] { return endings.told.size() == 5; }, 3000));
        QVERIFY(meter().waitForReceived(2 * codes.size(), std::chrono::milliseconds(2000)));
        Frames keys;
        for (const auto& f : meter().receivedFrames())
            if (f.size() == 2 && f[0] == 0x46) keys.push_back(f);
        QCOMPARE(keys.size(), codes.size());
        for (std::size_t i = 0; i < codes.size(); ++i)
            QCOMPARE(keys[i], (std::vector<uint8_t>{0x46, codes[i]}));
        QVERIFY(queue->idle());
    }

    // Done, nothing, failure, a dropped owner and the end of the program: each chain is told
    // exactly one ending, and the queue goes on after each.
    void everyChainEndsExactlyOnce() {
        Endings done, nothing, failed, ownerGone, chained, stopped;
        auto owner = std::make_unique<QObject>();
        queue->submit(nullptr, Transaction::pause(50), done.record());
        Transaction none = Transaction::pause(10);
        none.then = [](const serial::Answer&) { return Next::end(Ending::nothing("none")); };
        queue->submit(nullptr, none, nothing.record());
        // Nine bytes judged at the end of 0.2 s, and the meter sends garbage instead.
        Transaction poll;
        poll.frame = QByteArray(1, 'Z');
        poll.expect = Transaction::Expect::ExactlyAtEnd;
        poll.count = 9;
        poll.windowMs = 200;
        poll.attempts = 2;
        queue->submit(nullptr, poll, failed.record());
        queue->submit(owner.get(), Transaction::pause(10), ownerGone.record());
        owner.reset();
        // A chain of three pauses ends once, with the last one's ending.
        Transaction first = Transaction::pause(10);
        first.then = [](const serial::Answer&) {
            Transaction second = Transaction::pause(10);
            second.then = [](const serial::Answer&) { return Next::then(Transaction::pause(10)); };
            return Next::then(second);
        };
        queue->submit(nullptr, first, chained.record());
        QVERIFY(MeterFixture::waitFor([&] { return !chained.told.isEmpty(); }, 3000));

        queue->submit(nullptr, Transaction::pause(500), stopped.record());
        queue->submit(nullptr, Transaction::pause(500), stopped.record());
        queue->stop();
        queue->submit(nullptr, Transaction::pause(10), stopped.record());
        QTest::qWait(100);

        for (Endings* e : {&done, &nothing, &failed, &ownerGone, &chained})
            QCOMPARE(e->told.size(), 1);
        QCOMPARE(done.told[0].kind, Ending::Kind::Done);
        QCOMPARE(nothing.told[0].kind, Ending::Kind::Nothing);
        QCOMPARE(failed.told[0].kind, Ending::Kind::Failed);
        QCOMPARE(ownerGone.told[0].kind, Ending::Kind::Dropped);
        QCOMPARE(chained.told[0].kind, Ending::Kind::Done);
        QCOMPARE(stopped.told.size(), 3);
        for (const Ending& e : stopped.told) QCOMPARE(e.kind, Ending::Kind::Dropped);
    }

    // A dump the meter stops sending, and a hang-up in the middle of an answer: the
    // transaction gives up at its deadline with what came, and the next one runs.
    void silenceAndHangUpEndTheRunningTransaction() {
        meter().setSilent(true);
        Transaction clock;
        clock.frame = QByteArray(1, 'C');
        clock.expect = Transaction::Expect::AtLeast;
        clock.count = 6;
        clock.silenceMs = 300;
        std::optional<serial::Answer> answer;
        clock.then = [&answer](const serial::Answer& a) {
            answer = a;
            return Next::end(a.complete ? Ending::done() : Ending::failed("silent"));
        };
        Endings first, next;
        queue->submit(nullptr, clock, first.record());
        QTimer::singleShot(100, [this] { meter().hangUp(); });
        queue->submit(nullptr, serial::Key(0xED), next.record());
        QVERIFY(MeterFixture::waitFor([&] { return !next.told.isEmpty(); }, 3000));
        QVERIFY(answer && !answer->complete);
        QCOMPARE(first.told.size(), 1);
        QCOMPARE(first.told[0].kind, Ending::Kind::Failed);
        QCOMPARE(next.told.size(), 1);
    }
};

QTEST_MAIN(TestRs232)
#include "test_rs232.moc"
