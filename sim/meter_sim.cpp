#include "sim/meter_sim.h"

#include <pthread.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <system_error>

namespace sim {

namespace {

using Clock = MeterSim::Clock;

constexpr size_t kMaxQueuedBytes = 1u << 20;  // answers beyond this are dropped
constexpr int kMaxFaultBytes = 4096;
constexpr double kMaxDelaySeconds = 3600.0;

const Clock::duration kByteDuration =
    std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(10.0 / 9600.0));

Clock::duration secondsToDuration(double seconds) {
    if (!std::isfinite(seconds) || seconds <= 0) return Clock::duration::zero();
    seconds = std::min(seconds, kMaxDelaySeconds);
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
}

std::string errnoText(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

}  // namespace

MeterSim::MeterSim() : MeterSim(Options{}) {}

MeterSim::MeterSim(Options options)
    : options_(std::move(options)),
      epoch_(Clock::now()),
      model_(options_.seed),
      rng_(options_.seed) {}

MeterSim::~MeterSim() {
    stop();
    if (wakeFd_ >= 0) ::close(wakeFd_);
}

double MeterSim::now() const {
    return std::chrono::duration<double>(Clock::now() - epoch_).count();
}

void MeterSim::setError(const std::string& what) {
    error_ = what;
}

std::string MeterSim::errorString() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return error_;
}

bool MeterSim::isServing() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return serving_;
}

std::string MeterSim::devicePath() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return path_;
}

// ---------------------------------------------------------------------------------------
// pty and link

bool MeterSim::createPty(int& master, int& slave, std::string& path) {
    master = slave = -1;
    const int m = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m < 0) {
        std::lock_guard<std::mutex> lock(mutex_);
        setError(errnoText("posix_openpt"));
        return false;
    }
    char name[128] = {};
    std::string failed;
    if (::grantpt(m) != 0) {
        failed = errnoText("grantpt");
    } else if (::unlockpt(m) != 0) {
        failed = errnoText("unlockpt");
    } else if (::ptsname_r(m, name, sizeof name) != 0) {
        failed = errnoText("ptsname_r");
    }
    int s = -1;
    if (failed.empty()) {
        // The simulator holds the program's side open for as long as it serves: the master
        // then never sees a hang-up while the program has the port closed, and the raw
        // settings below stay in force for whoever opens the port next.
        s = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (s < 0) failed = errnoText("open pty");
    }
    if (failed.empty()) {
        termios t{};
        if (::tcgetattr(s, &t) != 0) {
            failed = errnoText("tcgetattr");
        } else {
            ::cfmakeraw(&t);
            ::cfsetispeed(&t, B9600);
            ::cfsetospeed(&t, B9600);
            t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | CSTOPB | PARENB | CRTSCTS);
            t.c_cflag |= CS8 | CLOCAL | CREAD;
            t.c_cc[VMIN] = 1;
            t.c_cc[VTIME] = 0;
            if (::tcsetattr(s, TCSANOW, &t) != 0) failed = errnoText("tcsetattr");
        }
    }
    if (!failed.empty()) {
        if (s >= 0) ::close(s);
        ::close(m);
        std::lock_guard<std::mutex> lock(mutex_);
        setError(failed);
        return false;
    }
    master = m;
    slave = s;
    path = name;
    return true;
}

void MeterSim::updateLink(const std::string& target) {
    if (options_.linkPath.empty()) return;
    static std::atomic<unsigned> counter{0};
    const std::string tmp =
        options_.linkPath + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    ::unlink(tmp.c_str());
    if (::symlink(target.c_str(), tmp.c_str()) != 0) {
        setError(errnoText("symlink"));
        return;
    }
    // rename() replaces the old link in one step: a reader sees the old or the new pty.
    if (::rename(tmp.c_str(), options_.linkPath.c_str()) != 0) {
        setError(errnoText("rename link"));
        ::unlink(tmp.c_str());
    }
}

void MeterSim::removeLink() {
    if (options_.linkPath.empty() || path_.empty()) return;
    char buf[PATH_MAX];
    const ssize_t n = ::readlink(options_.linkPath.c_str(), buf, sizeof buf - 1);
    if (n <= 0) return;
    buf[n] = '\0';
    if (path_ == buf) ::unlink(options_.linkPath.c_str());  // only a link that is ours
}

void MeterSim::closeFds() {
    // The own slave first, then the master: closing the master hangs up the program's side.
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
    const bool had = master_ >= 0;
    slave_ = master_ = -1;
    serving_ = false;
    queue_.clear();
    queuedBytes_ = 0;
    if (had) removeLink();
}

void MeterSim::wake() {
    const uint64_t one = 1;
    if (wakeFd_ >= 0) {
        [[maybe_unused]] const ssize_t n = ::write(wakeFd_, &one, sizeof one);
    }
}

// ---------------------------------------------------------------------------------------
// Lifecycle

bool MeterSim::start() {
    std::lock_guard<std::mutex> control(controlMutex_);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (running_) return true;
        if (wakeFd_ < 0) {
            wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
            if (wakeFd_ < 0) {
                setError(errnoText("eventfd"));
                return false;
            }
        }
    }
    int m = -1;
    int s = -1;
    std::string path;
    if (!createPty(m, s, path)) return false;

    std::lock_guard<std::mutex> lock(mutex_);
    closeFds();
    master_ = m;
    slave_ = s;
    path_ = path;
    serving_ = true;
    stopRequested_ = false;
    hangUpRequested_ = false;
    nextByteTime_ = lastFinish_ = Clock::now();
    updateLink(path);
    try {
        thread_ = std::thread(&MeterSim::run, this);
    } catch (const std::system_error& e) {
        setError(std::string("thread: ") + e.what());
        closeFds();
        return false;
    }
    running_ = true;
    return true;
}

void MeterSim::stop() {
    std::lock_guard<std::mutex> control(controlMutex_);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopRequested_ = true;
    }
    wake();
    if (thread_.joinable()) thread_.join();
    std::lock_guard<std::mutex> lock(mutex_);
    running_ = false;
    closeFds();
    for (int* fd : {&pendingMaster_, &pendingSlave_}) {
        if (*fd >= 0) ::close(*fd);
        *fd = -1;
    }
    cv_.notify_all();
}

void MeterSim::hangUp() {
    std::lock_guard<std::mutex> control(controlMutex_);
    std::unique_lock<std::mutex> lock(mutex_);
    if (!running_) {
        closeFds();
        return;
    }
    hangUpRequested_ = true;
    const uint64_t seq = ++commandSeq_;
    wake();
    cv_.wait(lock, [&] { return commandDone_ >= seq; });
}

bool MeterSim::comeBack() {
    std::unique_lock<std::mutex> control(controlMutex_);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (serving_) return true;
        if (!running_) {
            control.unlock();
            return start();
        }
    }
    int m = -1;
    int s = -1;
    std::string path;
    if (!createPty(m, s, path)) return false;
    std::unique_lock<std::mutex> lock(mutex_);
    pendingMaster_ = m;
    pendingSlave_ = s;
    path_ = path;
    updateLink(path);
    const uint64_t seq = ++commandSeq_;
    wake();
    cv_.wait(lock, [&] { return commandDone_ >= seq; });
    return serving_;
}

// ---------------------------------------------------------------------------------------
// Faults

void MeterSim::setSilent(bool on) {
    std::lock_guard<std::mutex> lock(mutex_);
    silent_ = on;
}

void MeterSim::silenceFor(double seconds) {
    std::lock_guard<std::mutex> lock(mutex_);
    silentUntil_ = Clock::now() + secondsToDuration(seconds);
}

void MeterSim::setReplyDelay(double seconds) {
    std::lock_guard<std::mutex> lock(mutex_);
    replyDelay_ = secondsToDuration(seconds);
}

void MeterSim::sendWrongLengthFrames(int count, int length) {
    std::lock_guard<std::mutex> lock(mutex_);
    wrongLengthCount_ = count;
    wrongLength_ = std::clamp(length, 0, kMaxFaultBytes);
}

void MeterSim::setExtraBytes(int n) {
    std::lock_guard<std::mutex> lock(mutex_);
    extraBytes_ = std::clamp(n, 0, kMaxFaultBytes);
}

void MeterSim::setRandomChunks(bool on) {
    std::lock_guard<std::mutex> lock(mutex_);
    randomChunks_ = on;
}

void MeterSim::cutNextDump(int bytes) {
    std::lock_guard<std::mutex> lock(mutex_);
    cutDumpAfter_ = bytes < 0 ? -1 : std::min(bytes, static_cast<int>(kMaxQueuedBytes));
}

void MeterSim::setDumpSurplus(int n) {
    std::lock_guard<std::mutex> lock(mutex_);
    dumpSurplus_ = std::clamp(n, 0, kMaxFaultBytes);
}

void MeterSim::sendGarbage(std::vector<uint8_t> bytes) {
    if (bytes.empty()) return;
    std::lock_guard<std::mutex> lock(mutex_);
    if (!serving_ || queuedBytes_ + bytes.size() > kMaxQueuedBytes) return;
    // Ahead of answers that have not started yet, never inside one being written.
    auto pos =
        std::find_if(queue_.begin(), queue_.end(), [](const Segment& s) { return !s.started; });
    Segment seg;
    seg.earliest = Clock::now();
    queuedBytes_ += bytes.size();
    seg.bytes = std::move(bytes);
    queue_.insert(pos, std::move(seg));
    wake();
}

// ---------------------------------------------------------------------------------------
// Received bytes

std::vector<MeterSim::ReceivedByte> MeterSim::received() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return {received_.begin(), received_.end()};
}

std::vector<uint8_t> MeterSim::receivedBytes() const {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<uint8_t> out;
    out.reserve(received_.size());
    for (const ReceivedByte& b : received_) out.push_back(b.value);
    return out;
}

void MeterSim::clearReceived() {
    std::lock_guard<std::mutex> lock(mutex_);
    received_.clear();
}

std::vector<std::vector<uint8_t>> MeterSim::receivedFrames() const {
    const std::vector<uint8_t> bytes = receivedBytes();
    std::vector<std::vector<uint8_t>> frames;
    for (Frame& f : splitFrames(bytes.data(), bytes.size(), true)) {
        frames.push_back(std::move(f.bytes));
    }
    return frames;
}

bool MeterSim::waitForReceived(size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock<std::mutex> lock(mutex_);
    return cv_.wait_for(lock, timeout, [&] { return received_.size() >= count; });
}

uint64_t MeterSim::bytesSent() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return bytesSent_;
}

bool MeterSim::waitForSent(uint64_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock<std::mutex> lock(mutex_);
    return cv_.wait_for(lock, timeout, [&] { return bytesSent_ >= count; });
}

// ---------------------------------------------------------------------------------------
// The serving thread

void MeterSim::onInput(const uint8_t* data, size_t n, Clock::time_point at) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (size_t i = 0; i < n; ++i) received_.push_back({data[i], at});
        while (received_.size() > kMaxReceivedLog) received_.pop_front();
    }
    cv_.notify_all();
    std::vector<Reply> replies;
    {
        std::lock_guard<std::mutex> lock(modelMutex_);
        replies = model_.process(data, n, std::chrono::duration<double>(at - epoch_).count());
    }
    std::lock_guard<std::mutex> lock(mutex_);
    for (Reply& r : replies) queueReply(std::move(r), at);
}

bool MeterSim::cutDump(Reply& reply) {
    const bool cuttable = reply.kind == FrameKind::SingleDump || reply.kind == FrameKind::SetDump ||
                          reply.kind == FrameKind::ClockRead;
    if (!cuttable || cutDumpAfter_ < 0) return false;
    const auto cut = static_cast<size_t>(cutDumpAfter_);
    cutDumpAfter_ = -1;
    if (reply.bytes.size() <= cut) return false;
    reply.bytes.resize(cut);
    return true;
}

void MeterSim::addDumpSurplus(Reply& reply) const {
    if (reply.kind != FrameKind::SingleDump && reply.kind != FrameKind::SetDump) return;
    for (int i = 0; i < dumpSurplus_; ++i) {
        reply.bytes.push_back(kSetMarker[static_cast<size_t>(i) % kSetMarker.size()]);
    }
}

void MeterSim::queueReply(Reply reply, Clock::time_point receivedAt) {
    if (!serving_ || silent_ || receivedAt < silentUntil_) return;
    std::vector<uint8_t>& bytes = reply.bytes;
    if (reply.kind == FrameKind::DisplayPoll && wrongLengthCount_ != 0) {
        bytes.resize(static_cast<size_t>(wrongLength_), 0x00);
        if (wrongLengthCount_ > 0) --wrongLengthCount_;
    }
    // A cut answer stops dead: no surplus and no extra bytes after it.
    if (!cutDump(reply)) {
        addDumpSurplus(reply);
        bytes.insert(bytes.end(), static_cast<size_t>(extraBytes_), 0x00);
    }
    if (bytes.empty() || queuedBytes_ + bytes.size() > kMaxQueuedBytes) return;
    queuedBytes_ += bytes.size();

    const Clock::time_point earliest = receivedAt + replyDelay_;
    if (!randomChunks_) {
        Segment seg;
        seg.bytes = std::move(bytes);
        seg.earliest = earliest;
        queue_.push_back(std::move(seg));
        return;
    }
    // Random pieces of 1..max(4, size/16) bytes with 1..15 ms between them.
    const size_t maxPiece = std::max<size_t>(4, bytes.size() / 16);
    std::uniform_int_distribution<size_t> pieceSize(1, maxPiece);
    std::uniform_int_distribution<int> pauseMs(1, 15);
    size_t pos = 0;
    while (pos < bytes.size()) {
        const size_t len = std::min(pieceSize(rng_), bytes.size() - pos);
        Segment seg;
        seg.bytes.assign(bytes.begin() + static_cast<std::ptrdiff_t>(pos),
                         bytes.begin() + static_cast<std::ptrdiff_t>(pos + len));
        seg.earliest = earliest;
        if (pos > 0) seg.gap = std::chrono::milliseconds(pauseMs(rng_));
        queue_.push_back(std::move(seg));
        pos += len;
    }
}

Clock::time_point MeterSim::writeDue(Clock::time_point now, bool& wantWritable, bool& lost) {
    while (!queue_.empty()) {
        Segment& seg = queue_.front();
        if (!seg.started) {
            const Clock::time_point due = std::max(seg.earliest, lastFinish_ + seg.gap);
            if (now < due) return due;
            seg.started = true;
            nextByteTime_ = std::max(nextByteTime_, due);  // pacing restarts after idle
        }
        size_t want = seg.bytes.size() - seg.offset;
        if (!options_.fast) {
            // Bytes go out in FIFO-sized groups: a group when the slot of its last byte begins.
            const size_t group = std::min(want, std::max<size_t>(options_.fifoBytes, 1));
            const Clock::time_point groupDue =
                nextByteTime_ + kByteDuration * static_cast<int64_t>(group - 1);
            if (now < groupDue) return groupDue;
            // Every byte whose slot has begun; more than a group only after a late wake-up.
            const auto behind = static_cast<size_t>((now - nextByteTime_) / kByteDuration);
            want = std::min(want, behind + 1);
        }
        const ssize_t w = ::write(master_, seg.bytes.data() + seg.offset, want);
        if (w < 0) {
            if (errno == EAGAIN || errno == EINTR) {
                wantWritable = true;  // the pty buffer is full: wait until it drains
            } else {
                lost = true;
            }
            return Clock::time_point::max();
        }
        const auto written = static_cast<size_t>(w);
        seg.offset += written;
        bytesSent_ += written;
        queuedBytes_ -= std::min(queuedBytes_, written);
        if (!options_.fast) nextByteTime_ += kByteDuration * static_cast<int64_t>(written);
        if (seg.offset < seg.bytes.size()) {
            if (written < want) {
                wantWritable = true;
                return Clock::time_point::max();
            }
            continue;  // paced: next byte's slot
        }
        lastFinish_ = now;
        queue_.pop_front();
    }
    return Clock::time_point::max();
}

void MeterSim::run() {
    // Named so that tools (top, benchmarks) can tell the simulator's CPU from the program's.
    pthread_setname_np(pthread_self(), "meter-sim");
    std::unique_lock<std::mutex> lock(mutex_);
    uint8_t buf[4096];
    for (;;) {
        if (stopRequested_) break;
        if (hangUpRequested_) {
            hangUpRequested_ = false;
            closeFds();
        }
        if (pendingMaster_ >= 0) {
            closeFds();
            master_ = pendingMaster_;
            slave_ = pendingSlave_;
            pendingMaster_ = pendingSlave_ = -1;
            serving_ = true;
            nextByteTime_ = lastFinish_ = Clock::now();
        }
        if (commandDone_ != commandSeq_) {
            commandDone_ = commandSeq_;
            cv_.notify_all();
        }

        bool wantWritable = false;
        bool lost = false;
        Clock::time_point due = Clock::time_point::max();
        const uint64_t sentBefore = bytesSent_;
        if (master_ >= 0) due = writeDue(Clock::now(), wantWritable, lost);
        if (bytesSent_ != sentBefore) cv_.notify_all();
        if (lost) {
            closeFds();
            continue;
        }
        const int master = master_;
        lock.unlock();

        pollfd fds[2] = {{wakeFd_, POLLIN, 0}, {master, POLLIN, 0}};
        if (wantWritable) fds[1].events |= POLLOUT;
        const nfds_t nfds = master >= 0 ? 2 : 1;
        timespec ts{};
        timespec* timeout = nullptr;
        if (due != Clock::time_point::max()) {
            const auto left = std::max(Clock::duration::zero(), due - Clock::now());
            const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
            ts.tv_sec = static_cast<time_t>(ns / 1000000000);
            ts.tv_nsec = static_cast<long>(ns % 1000000000);
            timeout = &ts;
        }
        const int r = ::ppoll(fds, nfds, timeout, nullptr);
        const bool pollFailed = r < 0 && errno != EINTR;

        if (r > 0 && (fds[0].revents & POLLIN)) {
            uint64_t v;
            [[maybe_unused]] const ssize_t n = ::read(wakeFd_, &v, sizeof v);
        }
        if (r > 0 && master >= 0) {
            const short ev = fds[1].revents;
            if (ev & POLLIN) {
                const ssize_t n = ::read(master, buf, sizeof buf);
                if (n > 0) {
                    onInput(buf, static_cast<size_t>(n), Clock::now());
                } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
                    lost = true;
                }
            } else if (ev & (POLLHUP | POLLERR | POLLNVAL)) {
                lost = true;
            }
        }

        lock.lock();
        if (lost && master_ == master) closeFds();
        if (pollFailed) cv_.wait_for(lock, std::chrono::milliseconds(10));  // never spin
    }
    if (commandDone_ != commandSeq_) commandDone_ = commandSeq_;
    cv_.notify_all();
}

}  // namespace sim
