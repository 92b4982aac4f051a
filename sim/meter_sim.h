// Serves a MeterModel on a pseudo-terminal from its own thread, with faults that can be
// switched on at any time from any thread. No Qt: the program's event loop and the simulator
// never share a thread or a loop.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "sim/meter_model.h"

namespace sim {

class MeterSim {
  public:
    using Clock = std::chrono::steady_clock;

    struct Options {
        bool fast = false;     // write answers at once instead of pacing them at 9600 baud
        std::string linkPath;  // if set, a symbolic link there always names the current pty
        uint32_t seed = 1;     // seeds the model's drift and the random chunking
        // Paced answers reach the program in groups of up to this many bytes, each group when
        // its last byte's slot begins, as a PC's UART hands over its receive FIFO (a 16550 at
        // its usual trigger level of 14). 1 hands over every byte on its own.
        size_t fifoBytes = 14;
    };

    struct ReceivedByte {
        uint8_t value = 0;
        Clock::time_point time;
    };

    static constexpr double kByteSeconds = 10.0 / 9600.0;  // start + 8 data + stop bits
    static constexpr size_t kMaxReceivedLog = 1u << 20;    // oldest bytes dropped past this

    MeterSim();
    explicit MeterSim(Options options);
    ~MeterSim();
    MeterSim(const MeterSim&) = delete;
    MeterSim& operator=(const MeterSim&) = delete;

    // Creates the pty and starts serving. False (see errorString()) when the pty, the link
    // or the thread could not be created. Calling it again while running does nothing.
    bool start();
    // Stops serving, joins the thread, closes the pty and removes the link.
    void stop();
    // True while a pty exists and answers are being served (false after hangUp()).
    bool isServing() const;
    // The program's side of the current pty, e.g. /dev/pts/5; empty before start().
    std::string devicePath() const;
    const std::string& linkPath() const { return options_.linkPath; }
    std::string errorString() const;
    // The model's time scale: seconds since this object was created.
    double now() const;

    // --- faults (thread-safe) -------------------------------------------------------------
    void setSilent(bool on);             // keeps receiving, never answers
    void silenceFor(double seconds);     // like setSilent for a while, from now
    void setReplyDelay(double seconds);  // every answer starts this long after its frame
    // The next `count` display answers get `length` bytes (cut, or padded with zeros);
    // count < 0 means every one from now on, count 0 ends it.
    void sendWrongLengthFrames(int count, int length);
    void sendGarbage(std::vector<uint8_t> bytes);  // written unprompted, ahead of waiting answers
    void setExtraBytes(int n);                     // n zero bytes after every answer
    void setRandomChunks(bool on);  // answers in random pieces with short random pauses
    // The next single-record dump, set dump or clock reply stops after `bytes` bytes and the
    // rest never comes (an answer no longer than that goes whole); later answers are whole
    // again. A negative count takes back a cut not yet used.
    void cutNextDump(int bytes);
    // `n` bytes more than announced after every single-record dump and after the set dump's
    // trailer: the set marker over and over, so a reader that does not stop at the announced
    // length sees a bogus record or set. 0 ends it.
    void setDumpSurplus(int n);
    // Closes the pty's master and the simulator's own hold on the program's side, exactly
    // as a pulled USB adapter: the program's open port reads EOF / EIO. Removes the link.
    void hangUp();
    // After hangUp(): a new pty, the link pointed at it, serving again. Before start(): start().
    bool comeBack();

    // --- what the program sent ------------------------------------------------------------
    std::vector<ReceivedByte> received() const;
    std::vector<uint8_t> receivedBytes() const;
    void clearReceived();
    // The received bytes cut into frames (lead byte + payload) by the meter's own parse.
    // A byte that starts no frame is a frame of its own; an unfinished frame comes last.
    std::vector<std::vector<uint8_t>> receivedFrames() const;
    // Blocks until at least `count` bytes were received since the last clearReceived().
    bool waitForReceived(size_t count, std::chrono::milliseconds timeout) const;
    uint64_t bytesSent() const;  // bytes written to the pty since start()
    // Blocks until bytesSent() reaches `count`.
    bool waitForSent(uint64_t count, std::chrono::milliseconds timeout) const;

    // Runs f(model) under the model's lock and returns its result by value. Do not keep
    // references to the model beyond the call. Use now() for the model's time.
    template <class F>
    auto withModel(F&& f) {
        std::lock_guard<std::mutex> lock(modelMutex_);
        return f(model_);
    }

  private:
    struct Segment {
        std::vector<uint8_t> bytes;
        size_t offset = 0;
        Clock::time_point earliest;  // not before this
        Clock::duration gap{};       // pause after the previous segment finished
        bool started = false;
    };

    bool createPty(int& master, int& slave, std::string& path);
    void updateLink(const std::string& target);
    void removeLink();
    void wake();
    void run();
    void closeFds();  // sim thread (or while no thread runs)
    void onInput(const uint8_t* data, size_t n, Clock::time_point at);
    void queueReply(Reply reply, Clock::time_point receivedAt);
    // The dump faults (mutex_ held). cutDump: true when it cut the answer short.
    bool cutDump(Reply& reply);
    void addDumpSurplus(Reply& reply) const;
    // Writes what is due (mutex_ held); returns when more is due, or time_point::max().
    Clock::time_point writeDue(Clock::time_point now, bool& wantWritable, bool& lost);
    void setError(const std::string& what);

    Options options_;
    const Clock::time_point epoch_;
    int wakeFd_ = -1;

    mutable std::mutex modelMutex_;
    MeterModel model_;

    std::mutex controlMutex_;  // serialises start/stop/hangUp/comeBack
    mutable std::mutex mutex_;
    mutable std::condition_variable cv_;
    std::thread thread_;
    bool running_ = false;  // thread started and not yet asked to stop
    bool stopRequested_ = false;
    bool hangUpRequested_ = false;
    int pendingMaster_ = -1;  // handed over by comeBack()
    int pendingSlave_ = -1;
    uint64_t commandSeq_ = 0;
    uint64_t commandDone_ = 0;
    bool serving_ = false;
    std::string path_;
    std::string error_;

    // Faults.
    bool silent_ = false;
    Clock::time_point silentUntil_{};
    Clock::duration replyDelay_{};
    int wrongLengthCount_ = 0;
    int wrongLength_ = static_cast<int>(kDisplayFrameSize);
    int extraBytes_ = 0;
    int cutDumpAfter_ = -1;  // < 0: no cut pending
    int dumpSurplus_ = 0;
    bool randomChunks_ = false;
    std::mt19937 rng_;

    // Output and input, guarded by mutex_.
    std::deque<Segment> queue_;
    size_t queuedBytes_ = 0;
    std::deque<ReceivedByte> received_;
    uint64_t bytesSent_ = 0;

    // Owned by the sim thread while it runs.
    int master_ = -1;
    int slave_ = -1;
    Clock::time_point nextByteTime_{};
    Clock::time_point lastFinish_{};
};

}  // namespace sim
