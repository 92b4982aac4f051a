// The simulator served on a real pty, talked to the way the program does: plain open(),
// read() and write() on the device path.
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "sim/meter_sim.h"

namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<uint8_t>;
using SteadyClock = std::chrono::steady_clock;
namespace fs = std::filesystem;

// The program's end of the line.
class Port {
  public:
    explicit Port(const std::string& path)
        : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) {}
    ~Port() { close(); }
    Port(const Port&) = delete;
    Port& operator=(const Port&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    void close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

    // Writes everything, waiting for room in the pty's buffer when needed.
    void send(const Bytes& bytes) {
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
            if (n > 0) {
                done += static_cast<size_t>(n);
                continue;
            }
            ASSERT_TRUE(n < 0 && errno == EAGAIN) << std::strerror(errno);
            pollfd p{fd_, POLLOUT, 0};
            ASSERT_EQ(::poll(&p, 1, 2000), 1) << "the meter stopped reading";
        }
    }

    // Reads until `n` bytes came or `timeout` passed.
    Bytes read(size_t n, std::chrono::milliseconds timeout = 1000ms) {
        Bytes out;
        const auto end = SteadyClock::now() + timeout;
        while (out.size() < n) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - SteadyClock::now());
            if (left.count() <= 0) break;
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
            uint8_t buf[512];
            const ssize_t got = ::read(fd_, buf, std::min(sizeof buf, n - out.size()));
            if (got <= 0) break;
            out.insert(out.end(), buf, buf + got);
        }
        return out;
    }

    // Everything that arrives until the line has been quiet for `quiet`.
    Bytes readUntilQuiet(std::chrono::milliseconds quiet = 80ms) {
        Bytes out;
        for (;;) {
            Bytes more = read(4096, quiet);
            if (more.empty()) return out;
            out.insert(out.end(), more.begin(), more.end());
        }
    }

  private:
    int fd_;
};

sim::MeterSim::Options fastOptions() {
    sim::MeterSim::Options o;
    o.fast = true;
    return o;
}

class Served : public testing::Test {
  protected:
    void serve(sim::MeterSim::Options options = fastOptions()) {
        sim_ = std::make_unique<sim::MeterSim>(options);
        sim_->withModel([](sim::MeterModel& m) {
            m.setFixedPh(7.012);
            m.setFixedTemperature(25.34);
        });
        ASSERT_TRUE(sim_->start()) << sim_->errorString();
        port_ = std::make_unique<Port>(sim_->devicePath());
        ASSERT_TRUE(port_->isOpen());
    }
    void TearDown() override {
        port_.reset();
        sim_.reset();
    }

    const Bytes kPhFrame = {
        0x00,
        0x12,
        0x70,
        0x34,
        0x25,
        0xEE,
        sim::status_a::kIsPh | sim::status_a::kIsCelsius | sim::status_a::kAutoSteady,
        0x00,
        0x00};
    std::unique_ptr<sim::MeterSim> sim_;
    std::unique_ptr<Port> port_;
};

double secondsSince(SteadyClock::time_point t) {
    return std::chrono::duration<double>(SteadyClock::now() - t).count();
}

TEST_F(Served, PollIsAnsweredAtLineSpeed) {
    serve(sim::MeterSim::Options{});  // paced at 9600 baud
    const auto t0 = SteadyClock::now();
    port_->send({' '});
    EXPECT_EQ(port_->read(9), kPhFrame);
    EXPECT_GE(secondsSince(t0), 8 * sim::MeterSim::kByteSeconds * 0.9);
    EXPECT_TRUE(port_->read(1, 60ms).empty()) << "nothing more, in particular no echo";
    EXPECT_EQ(sim_->bytesSent(), 9u);
}

TEST_F(Served, PortIsRawAt9600) {
    serve();
    termios t{};
    ASSERT_EQ(::tcgetattr(port_->fd(), &t), 0);
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(t.c_iflag & (ICRNL | IXON | ISTRIP), 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(t.c_cflag & (PARENB | CSTOPB), 0u);
    EXPECT_EQ(::cfgetospeed(&t), static_cast<speed_t>(B9600));
}

TEST_F(Served, BytesWrittenBeforeTheProgramOpensArriveUnaltered) {
    serve();
    port_->close();
    const Bytes raw = {0x0D, 0x0A, 0x03, 0x7F, 0x11, 0x13, 0x04, 0x1A, 0xFF};
    sim_->sendGarbage(raw);
    ASSERT_TRUE(sim_->waitForSent(raw.size(), 1000ms));
    Port later(sim_->devicePath());
    EXPECT_EQ(later.read(raw.size()), raw);
    EXPECT_TRUE(later.read(1, 50ms).empty());
    EXPECT_TRUE(sim_->received().empty()) << "nothing echoed back to the meter";
}

TEST_F(Served, ModelChangesShowInTheNextAnswer) {
    serve();
    sim_->withModel([](sim::MeterModel& m) { m.setFixedMv(-123.4); });
    port_->send({' '});
    const Bytes f = port_->read(9);
    ASSERT_EQ(f.size(), 9u);
    EXPECT_EQ(f[1], 0x34);
    EXPECT_EQ(f[2], 0x12);
    EXPECT_TRUE(f[6] & sim::status_a::kIsNegative);
    port_->send({'F', sim::key::kMem, 'R', 0x20});
    EXPECT_EQ(port_->read(1), Bytes{1});
    EXPECT_EQ(sim_->withModel([](sim::MeterModel& m) { return m.singleRecords().size(); }), 1u);
}

TEST_F(Served, SilentMeterReceivesButNeverAnswers) {
    serve();
    sim_->setSilent(true);
    port_->send({' ', 'C'});
    EXPECT_TRUE(port_->read(1, 250ms).empty());
    EXPECT_EQ(sim_->receivedBytes(), (Bytes{' ', 'C'}));
    sim_->setSilent(false);
    port_->send({' '});
    EXPECT_EQ(port_->read(9), kPhFrame);
}

TEST_F(Served, SilenceForEndsByItself) {
    serve();
    const auto t0 = SteadyClock::now();
    sim_->silenceFor(0.3);
    port_->send({' '});
    EXPECT_TRUE(port_->read(1, 200ms).empty());
    std::this_thread::sleep_until(t0 + 350ms);
    port_->send({' '});
    EXPECT_EQ(port_->read(9), kPhFrame);
}

TEST_F(Served, ReplyDelay) {
    serve();
    sim_->setReplyDelay(0.3);
    const auto t0 = SteadyClock::now();
    port_->send({' '});
    const Bytes first = port_->read(1);
    EXPECT_GE(secondsSince(t0), 0.29);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(port_->read(8).size(), 8u);
}

TEST_F(Served, WrongLengthDisplayFrames) {
    for (int length : {8, 10, 1}) {
        SCOPED_TRACE(length);
        serve();
        sim_->sendWrongLengthFrames(2, length);
        port_->send({'R', 0x52});
        EXPECT_EQ(port_->readUntilQuiet(), Bytes{10}) << "other answers keep their length";
        for (int i = 0; i < 2; ++i) {
            port_->send({' '});
            EXPECT_EQ(port_->readUntilQuiet().size(), static_cast<size_t>(length));
        }
        port_->send({' '});
        EXPECT_EQ(port_->readUntilQuiet(), kPhFrame) << "back to normal after the count";
    }
}

TEST_F(Served, ExtraBytesAfterEveryAnswer) {
    serve();
    sim_->setExtraBytes(3);
    port_->send({' '});
    Bytes expected = kPhFrame;
    expected.insert(expected.end(), {0, 0, 0});
    EXPECT_EQ(port_->readUntilQuiet(), expected);
    port_->send({'R', 0x52});
    EXPECT_EQ(port_->readUntilQuiet(), (Bytes{10, 0, 0, 0}));
}

TEST_F(Served, RandomChunksKeepContentAndOrder) {
    serve();
    const Bytes dump = sim_->withModel([](sim::MeterModel& m) {
        for (int i = 0; i < 20; ++i) {
            m.addSingleRecord({sim::Sample{sim::MainUnit::Ph, 4.0 + i * 0.1}, sim::DateTime{}});
        }
        return m.singleDump();
    });
    sim_->setRandomChunks(true);
    port_->send({'P'});
    EXPECT_EQ(port_->read(dump.size(), 3000ms), dump);
    port_->send({' ', ' '});
    Bytes two = kPhFrame;
    two.insert(two.end(), kPhFrame.begin(), kPhFrame.end());
    EXPECT_EQ(port_->read(18), two);
}

TEST_F(Served, NextDumpCutShortThenAnswersAsUsual) {
    serve();
    const Bytes dump = sim_->withModel([](sim::MeterModel& m) {
        for (int i = 0; i < 3; ++i) m.addSingleRecord({sim::Sample{}, sim::DateTime{}});
        return m.singleDump();
    });
    sim_->setExtraBytes(2);
    sim_->cutNextDump(20);
    port_->send({'R', 0x20});
    EXPECT_EQ(port_->readUntilQuiet(), (Bytes{3, 0, 0})) << "only dumps and the clock are cut";
    port_->send({'P'});
    EXPECT_EQ(port_->readUntilQuiet(), Bytes(dump.begin(), dump.begin() + 20))
        << "nothing after the cut, not even the extra bytes";
    sim_->setExtraBytes(0);
    port_->send({' '});
    EXPECT_EQ(port_->readUntilQuiet(), kPhFrame);
    port_->send({'P'});
    EXPECT_EQ(port_->readUntilQuiet(), dump) << "one dump only";

    sim_->cutNextDump(3);
    port_->send({'C'});
    EXPECT_EQ(port_->readUntilQuiet().size(), 3u);
}

TEST_F(Served, DumpSurplusFollowsBothDumpsOnly) {
    serve();
    const auto [singles, sets] = sim_->withModel([](sim::MeterModel& m) {
        m.addSingleRecord({sim::Sample{}, sim::DateTime{}});
        m.addLoggedSet({sim::DateTime{}, 10, {sim::Sample{}}});
        return std::pair(m.singleDump(), m.setDump());
    });
    sim_->setDumpSurplus(6);
    const Bytes surplus = {0xAA, 0xBB, 0xCC, 0xDD, 0xAA, 0xBB};
    for (const auto& [lead, answer] : {std::pair('P', singles), std::pair('L', sets)}) {
        Bytes expected = answer;
        expected.insert(expected.end(), surplus.begin(), surplus.end());
        port_->send({static_cast<uint8_t>(lead)});
        EXPECT_EQ(port_->readUntilQuiet(), expected) << lead;
    }
    port_->send({' '});
    EXPECT_EQ(port_->readUntilQuiet(), kPhFrame);
}

TEST_F(Served, GarbageArrivesUnprompted) {
    serve();
    sim_->sendGarbage({0x01, 0x02, 0x03});
    EXPECT_EQ(port_->read(3), (Bytes{0x01, 0x02, 0x03}));

    sim_->setReplyDelay(0.2);
    port_->send({' '});
    ASSERT_TRUE(sim_->waitForReceived(1, 1000ms));
    sim_->sendGarbage({0x04, 0x05});
    Bytes expected = {0x04, 0x05};
    expected.insert(expected.end(), kPhFrame.begin(), kPhFrame.end());
    EXPECT_EQ(port_->read(expected.size()), expected) << "garbage does not wait for answers";
}

TEST_F(Served, ReceivedBytesAreLoggedAndCutIntoFrames) {
    serve();
    const auto t0 = SteadyClock::now();
    const std::vector<Bytes> sent = {
        {'F', ' '}, {' '}, {'D', 0x24, 0x03, 0x05, 0x14, 0x07, 0x09}, {'C'}, {'R', 0x52},
        {0x00},     {'G'}};
    size_t total = 0;
    for (const Bytes& f : sent) {
        port_->send(f);
        total += f.size();
    }
    ASSERT_TRUE(sim_->waitForReceived(total, 1000ms));
    EXPECT_EQ(sim_->receivedFrames(), sent) << "unknown byte alone, unfinished 'G' last";

    const auto log = sim_->received();
    ASSERT_EQ(log.size(), total);
    for (size_t i = 0; i < log.size(); ++i) {
        EXPECT_GE(log[i].time, t0);
        EXPECT_LE(log[i].time, SteadyClock::now());
        if (i > 0) {
            EXPECT_GE(log[i].time, log[i - 1].time);
        }
    }
    sim_->clearReceived();
    EXPECT_TRUE(sim_->received().empty());
    EXPECT_TRUE(sim_->receivedFrames().empty());
}

TEST_F(Served, SurvivesAnyBytesFromTheProgram) {
    serve();
    std::mt19937 rng(99);
    Bytes junk(20000);
    for (uint8_t& b : junk) b = static_cast<uint8_t>(rng());
    port_->send(junk);
    ASSERT_TRUE(sim_->waitForReceived(junk.size(), 5000ms));
    port_->readUntilQuiet(150ms);
    ::tcflush(port_->fd(), TCIFLUSH);
    port_->send({0, 0, 0, 0, 0, 0, ' '});  // completes any frame the junk left open
    EXPECT_EQ(port_->read(9).size(), 9u);
    EXPECT_TRUE(sim_->isServing());
}

TEST(HangUp, ProgramSeesHangUpAndTheLinkFollowsTheNewPty) {
    const fs::path dir =
        fs::temp_directory_path() / ("meter-sim-test-" + std::to_string(::getpid()) + "-" +
                                     std::to_string(SteadyClock::now().time_since_epoch().count()));
    fs::create_directories(dir);
    const fs::path link = dir / "meter";
    {
        sim::MeterSim::Options o = fastOptions();
        o.linkPath = link.string();
        sim::MeterSim sim(o);
        ASSERT_TRUE(sim.start()) << sim.errorString();
        ASSERT_TRUE(fs::is_symlink(link));
        EXPECT_EQ(fs::read_symlink(link).string(), sim.devicePath());

        Port port(link.string());
        ASSERT_TRUE(port.isOpen());
        port.send({' '});
        EXPECT_EQ(port.read(9).size(), 9u);

        sim.hangUp();
        EXPECT_FALSE(sim.isServing());
        EXPECT_FALSE(fs::exists(fs::symlink_status(link))) << "no link to a dead pty";
        pollfd p{port.fd(), POLLIN, 0};
        ASSERT_EQ(::poll(&p, 1, 1000), 1);
        EXPECT_TRUE(p.revents & (POLLHUP | POLLERR | POLLIN));
        uint8_t byte;
        errno = 0;
        const ssize_t n = ::read(port.fd(), &byte, 1);
        EXPECT_TRUE(n == 0 || (n < 0 && errno == EIO)) << n << " " << errno;
        sim.sendGarbage({1, 2, 3});  // dropped, and no trouble

        ASSERT_TRUE(sim.comeBack()) << sim.errorString();
        EXPECT_TRUE(sim.isServing());
        EXPECT_EQ(fs::read_symlink(link).string(), sim.devicePath());
        Port again(link.string());
        ASSERT_TRUE(again.isOpen());
        again.send({'R', 0x52});
        EXPECT_EQ(again.read(1), Bytes{10});
        EXPECT_EQ(::write(port.fd(), " ", 1), -1) << "the old port stays dead";

        sim.stop();
        EXPECT_FALSE(sim.isServing());
        EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
    }
    fs::remove_all(dir);
}

TEST(Lifecycle, StopStartAndDestroyWithThePortOpen) {
    sim::MeterSim sim(fastOptions());
    EXPECT_FALSE(sim.isServing());
    ASSERT_TRUE(sim.start());
    ASSERT_TRUE(sim.start()) << "second start is harmless";
    sim.stop();
    sim.stop();
    ASSERT_TRUE(sim.start());
    Port port(sim.devicePath());
    port.send({' '});
    EXPECT_EQ(port.read(9).size(), 9u);
    sim.hangUp();
    sim.hangUp();
    EXPECT_TRUE(sim.comeBack());
    EXPECT_TRUE(sim.comeBack()) << "already serving";
}

double cpuSeconds() {
    timespec ts{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

TEST(Idle, NoCpuWhileWaitingWithThePortClosedOrOpen) {
    sim::MeterSim sim;  // paced
    ASSERT_TRUE(sim.start());
    {
        Port port(sim.devicePath());
        port.send({' '});
        EXPECT_EQ(port.read(9).size(), 9u);
    }  // the program closed its port: the hang-up trap for a naive poll loop
    double before = cpuSeconds();
    std::this_thread::sleep_for(300ms);
    EXPECT_LT(cpuSeconds() - before, 0.03);

    Port port(sim.devicePath());
    sim.setReplyDelay(0.25);
    port.send({' '});
    before = cpuSeconds();
    EXPECT_EQ(port.read(9, 1000ms).size(), 9u);
    EXPECT_LT(cpuSeconds() - before, 0.03) << "a delayed answer is waited for, not spun for";
}

}  // namespace
