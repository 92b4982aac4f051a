// meter-sim: serves the simulated meter on a pseudo-terminal until SIGINT/SIGTERM.
// Prints the device path as the first line on stdout; everything else goes to stderr.
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "sim/demo_memory.h"
#include "sim/meter_sim.h"

namespace {

using Clock = std::chrono::steady_clock;

const char* const kUsage =
    "Usage: meter-sim [OPTIONS]\n"
    "Simulates the bench pH/mV/temperature meter on a pseudo-terminal and prints its path.\n"
    "\n"
    "  --fast                 answer at once instead of pacing bytes at 9600 baud\n"
    "  --fifo N               hand paced answers over in groups of up to N bytes (default 14;\n"
    "                         1: every byte on its own)\n"
    "  --link PATH            keep a symbolic link at PATH to the current pty\n"
    "  --seed N               seed of the drifting reading and random faults (default 1)\n"
    "  --ph VALUE             fixed pH reading (selects pH)\n"
    "  --mv VALUE             fixed mV reading (selects mV)\n"
    "  --temp VALUE           fixed temperature in degrees C\n"
    "  --over-range           main value over range (dashes)\n"
    "  --low-battery          show the low-battery mark\n"
    "  --demo-memory          fill the memories with demonstration records and sets\n"
    "  --silent               receive but never answer\n"
    "  --reply-delay SECONDS  delay every answer\n"
    "  --wrong-length N       every display answer has N bytes instead of 9\n"
    "  --garbage-every SECONDS  write 1-8 random bytes unprompted at this period\n"
    "  --extra-bytes N        append N zero bytes to every answer\n"
    "  --chunks               write answers in random pieces with short pauses\n"
    "  --cut-dump N           the first dump or clock reply stops after N bytes\n"
    "  --dump-surplus N       N bytes more than announced after every dump\n"
    "  --hangup-after SECONDS hang up the pty after this long\n"
    "  --return-after SECONDS come back on a new pty this long after the hang-up\n"
    "  --help                 this text\n"
    "  --version              the version\n"
    "\n"
    "Commands on stdin (one per line), 'help' lists them.\n";

const char* const kCommands =
    "commands: silent on|off, silence S, delay S, wrong N [COUNT], extra N, chunks on|off,\n"
    "  cut N, surplus N, garbage HEX..., hangup, return, ph V, mv V, temp V, drift,\n"
    "  overrange on|off, battery on|off, mtc on|off, key NAME|0xNN, clear, demo-memory,\n"
    "  status, help, quit\n"
    "  key names: ph mv c f mem cal toggle enter left right up down read tens\n";

struct Config {
    sim::MeterSim::Options options;
    std::optional<double> ph, mv, temp;
    bool overRange = false;
    bool lowBattery = false;
    bool demoMemory = false;
    bool silent = false;
    double replyDelay = 0;
    std::optional<int> wrongLength;
    double garbageEvery = 0;
    int extraBytes = 0;
    bool chunks = false;
    std::optional<int> cutDump;
    int dumpSurplus = 0;
    double hangupAfter = 0;
    double returnAfter = 0;
};

bool parseDouble(const std::string& s, double& out) {
    if (s.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(s.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(v)) return false;
    out = v;
    return true;
}

bool parseInt(const std::string& s, long lo, long hi, long& out) {
    if (s.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(s.c_str(), &end, 0);
    if (errno != 0 || *end != '\0' || v < lo || v > hi) return false;
    out = v;
    return true;
}

// Returns 0 to go on, otherwise the exit code.
int parseArgs(int argc, char** argv, Config& c, bool& help, bool& version) {
    std::vector<std::string> args(argv + 1, argv + argc);
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) return false;
            out = args[++i];
            return true;
        };
        std::string v;
        double d = 0;
        long n = 0;
        bool ok = true;
        if (a == "--help" || a == "-h") {
            help = true;
        } else if (a == "--version") {
            version = true;
        } else if (a == "--fast") {
            c.options.fast = true;
        } else if (a == "--fifo") {
            ok = value(v) && parseInt(v, 1, 4096, n);
            c.options.fifoBytes = static_cast<size_t>(n);
        } else if (a == "--link") {
            ok = value(c.options.linkPath) && !c.options.linkPath.empty();
        } else if (a == "--seed") {
            ok = value(v) && parseInt(v, 0, UINT32_MAX, n);
            c.options.seed = static_cast<uint32_t>(n);
        } else if (a == "--ph") {
            ok = value(v) && parseDouble(v, d);
            c.ph = d;
        } else if (a == "--mv") {
            ok = value(v) && parseDouble(v, d);
            c.mv = d;
        } else if (a == "--temp") {
            ok = value(v) && parseDouble(v, d);
            c.temp = d;
        } else if (a == "--over-range") {
            c.overRange = true;
        } else if (a == "--low-battery") {
            c.lowBattery = true;
        } else if (a == "--demo-memory") {
            c.demoMemory = true;
        } else if (a == "--silent") {
            c.silent = true;
        } else if (a == "--reply-delay") {
            ok = value(v) && parseDouble(v, c.replyDelay) && c.replyDelay >= 0;
        } else if (a == "--wrong-length") {
            ok = value(v) && parseInt(v, 0, 4096, n);
            c.wrongLength = static_cast<int>(n);
        } else if (a == "--garbage-every") {
            ok = value(v) && parseDouble(v, c.garbageEvery) && c.garbageEvery > 0;
        } else if (a == "--extra-bytes") {
            ok = value(v) && parseInt(v, 0, 4096, n);
            c.extraBytes = static_cast<int>(n);
        } else if (a == "--chunks") {
            c.chunks = true;
        } else if (a == "--cut-dump") {
            ok = value(v) && parseInt(v, 0, 1 << 20, n);
            c.cutDump = static_cast<int>(n);
        } else if (a == "--dump-surplus") {
            ok = value(v) && parseInt(v, 0, 4096, n);
            c.dumpSurplus = static_cast<int>(n);
        } else if (a == "--hangup-after") {
            ok = value(v) && parseDouble(v, c.hangupAfter) && c.hangupAfter > 0;
        } else if (a == "--return-after") {
            ok = value(v) && parseDouble(v, c.returnAfter) && c.returnAfter > 0;
        } else {
            std::fprintf(stderr, "meter-sim: unknown option '%s'\n%s", a.c_str(), kUsage);
            return 2;
        }
        if (!ok) {
            std::fprintf(stderr, "meter-sim: bad or missing value for %s\n", a.c_str());
            return 2;
        }
    }
    return 0;
}

std::optional<uint8_t> keyCode(const std::string& name) {
    static const std::pair<const char*, uint8_t> kKeys[] = {
        {"ph", sim::key::kPh},         {"mv", sim::key::kMv},       {"c", sim::key::kCelsius},
        {"f", sim::key::kFahrenheit},  {"mem", sim::key::kMem},     {"cal", sim::key::kCal},
        {"toggle", sim::key::kToggle}, {"enter", sim::key::kEnter}, {"left", sim::key::kLeft},
        {"right", sim::key::kRight},   {"up", sim::key::kUp},       {"down", sim::key::kDown},
        {"read", sim::key::kRead},     {"tens", sim::key::kTens},
    };
    for (const auto& [n, code] : kKeys) {
        if (name == n) return code;
    }
    long v = 0;
    if (parseInt(name, 0, 255, v)) return static_cast<uint8_t>(v);
    return std::nullopt;
}

const char* screenName(sim::Screen s) {
    switch (s) {
        case sim::Screen::Measuring:
            return "measuring";
        case sim::Screen::Clock:
            return "clock";
        case sim::Screen::Interval:
            return "interval";
        case sim::Screen::Calibration:
            return "calibration";
    }
    return "?";
}

sim::DateTime localNow() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

void report(sim::MeterSim& sim, const char* what) {
    std::fprintf(stderr, "meter-sim: %s %s\n", what, sim.devicePath().c_str());
}

// Handles one stdin command line; false on "quit".
bool command(sim::MeterSim& sim, const std::string& line) {
    std::istringstream in(line);
    std::string cmd, arg, arg2;
    in >> cmd >> arg >> arg2;
    if (cmd.empty()) return true;
    double d = 0;
    long n = 0;
    const bool on = arg == "on";
    const bool onOff = arg == "on" || arg == "off";
    bool ok = true;
    if (cmd == "quit" || cmd == "exit") {
        return false;
    } else if (cmd == "help") {
        std::fputs(kCommands, stderr);
    } else if (cmd == "silent" && onOff) {
        sim.setSilent(on);
    } else if (cmd == "silence" && parseDouble(arg, d)) {
        sim.silenceFor(d);
    } else if (cmd == "delay" && parseDouble(arg, d)) {
        sim.setReplyDelay(d);
    } else if (cmd == "wrong" && parseInt(arg, 0, 4096, n)) {
        long count = -1;
        if (!arg2.empty() && !parseInt(arg2, -1, INT32_MAX, count)) ok = false;
        if (ok) sim.sendWrongLengthFrames(static_cast<int>(count), static_cast<int>(n));
    } else if (cmd == "extra" && parseInt(arg, 0, 4096, n)) {
        sim.setExtraBytes(static_cast<int>(n));
    } else if (cmd == "chunks" && onOff) {
        sim.setRandomChunks(on);
    } else if (cmd == "cut" && parseInt(arg, 0, 1 << 20, n)) {
        sim.cutNextDump(static_cast<int>(n));
    } else if (cmd == "surplus" && parseInt(arg, 0, 4096, n)) {
        sim.setDumpSurplus(static_cast<int>(n));
    } else if (cmd == "garbage") {
        std::vector<uint8_t> bytes;
        std::istringstream hex(line.substr(line.find("garbage") + 7));
        std::string h;
        while (ok && hex >> h) {
            ok = parseInt(h.rfind("0x", 0) == 0 ? h : "0x" + h, 0, 255, n);
            bytes.push_back(static_cast<uint8_t>(n));
        }
        if (ok) sim.sendGarbage(bytes);
    } else if (cmd == "hangup") {
        sim.hangUp();
        std::fputs("meter-sim: hung up\n", stderr);
    } else if (cmd == "return") {
        if (sim.comeBack()) {
            report(sim, "serving on");
        } else {
            std::fprintf(stderr, "meter-sim: %s\n", sim.errorString().c_str());
        }
    } else if (cmd == "ph" && parseDouble(arg, d)) {
        sim.withModel([&](sim::MeterModel& m) { m.setFixedPh(d); });
    } else if (cmd == "mv" && parseDouble(arg, d)) {
        sim.withModel([&](sim::MeterModel& m) { m.setFixedMv(d); });
    } else if (cmd == "temp" && parseDouble(arg, d)) {
        sim.withModel([&](sim::MeterModel& m) { m.setFixedTemperature(d); });
    } else if (cmd == "drift") {
        sim.withModel([](sim::MeterModel& m) { m.clearFixedReadings(); });
    } else if (cmd == "overrange" && onOff) {
        sim.withModel([&](sim::MeterModel& m) { m.setOverRange(on); });
    } else if (cmd == "battery" && onOff) {
        sim.withModel([&](sim::MeterModel& m) { m.setLowBattery(on); });
    } else if (cmd == "mtc" && onOff) {
        sim.withModel([&](sim::MeterModel& m) { m.setManualTemp(on); });
    } else if (cmd == "clear") {
        sim.withModel([](sim::MeterModel& m) { m.clearMemory(); });
    } else if (cmd == "demo-memory") {
        const double now = sim.now();
        sim.withModel([&](sim::MeterModel& m) { sim::fillDemoMemory(m, m.clock(now)); });
    } else if (cmd == "key" && keyCode(arg)) {
        const uint8_t code = *keyCode(arg);
        const double now = sim.now();
        sim.withModel([&](sim::MeterModel& m) { m.pressKey(code, now); });
    } else if (cmd == "status") {
        const double now = sim.now();
        const std::string s = sim.withModel([&](sim::MeterModel& m) {
            m.advance(now);
            std::ostringstream o;
            o << "screen " << screenName(m.screen()) << ", "
              << (m.mainUnit() == sim::MainUnit::Ph ? "pH" : "mV") << ", single records "
              << m.singleRecords().size() << ", sets " << m.loggedSets().size() << " ("
              << m.setMemoryUsed() << " bytes), logging " << (m.logging() ? "on" : "off")
              << ", interval " << m.interval() << " s";
            return o.str();
        });
        std::fprintf(stderr, "meter-sim: %s, %s; %s\n", sim.devicePath().c_str(),
                     sim.isServing() ? "serving" : "hung up", s.c_str());
    } else {
        ok = false;
    }
    if (!ok) std::fprintf(stderr, "meter-sim: ? %s\n%s", line.c_str(), kCommands);
    return true;
}

double secondsUntil(Clock::time_point t, Clock::time_point now) {
    return std::chrono::duration<double>(t - now).count();
}

}  // namespace

int main(int argc, char** argv) {
    Config config;
    bool help = false;
    bool version = false;
    if (const int rc = parseArgs(argc, argv, config, help, version); rc != 0) return rc;
    if (help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (version) {
        std::puts("meter-sim " METER_SIM_VERSION);
        return 0;
    }

    // Signals are taken from a signalfd in this thread; the serving thread inherits the mask.
    sigset_t mask;
    sigemptyset(&mask);
    sigaddset(&mask, SIGINT);
    sigaddset(&mask, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &mask, nullptr);
    ::signal(SIGPIPE, SIG_IGN);
    const int sigFd = ::signalfd(-1, &mask, SFD_CLOEXEC);
    if (sigFd < 0) {
        std::fprintf(stderr, "meter-sim: signalfd: %s\n", std::strerror(errno));
        return 1;
    }

    sim::MeterSim sim(config.options);
    sim.withModel([&](sim::MeterModel& m) {
        m.setClock(localNow(), sim.now());
        if (config.mv) m.setFixedMv(*config.mv);
        if (config.ph) m.setFixedPh(*config.ph);
        if (config.temp) m.setFixedTemperature(*config.temp);
        m.setOverRange(config.overRange);
        m.setLowBattery(config.lowBattery);
        if (config.demoMemory) sim::fillDemoMemory(m, m.clock(sim.now()));
    });
    sim.setSilent(config.silent);
    sim.setReplyDelay(config.replyDelay);
    if (config.wrongLength) sim.sendWrongLengthFrames(-1, *config.wrongLength);
    sim.setExtraBytes(config.extraBytes);
    sim.setRandomChunks(config.chunks);
    if (config.cutDump) sim.cutNextDump(*config.cutDump);
    sim.setDumpSurplus(config.dumpSurplus);
    if (!sim.start()) {
        std::fprintf(stderr, "meter-sim: cannot serve: %s\n", sim.errorString().c_str());
        return 1;
    }
    std::printf("%s\n", sim.devicePath().c_str());
    std::fflush(stdout);
    if (!config.options.linkPath.empty()) {
        std::fprintf(stderr, "meter-sim: link %s\n", config.options.linkPath.c_str());
    }

    const auto started = Clock::now();
    std::optional<Clock::time_point> hangupAt, returnAt, garbageAt;
    auto after = [](Clock::time_point from, double s) {
        return from + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(s));
    };
    if (config.hangupAfter > 0) hangupAt = after(started, config.hangupAfter);
    if (config.garbageEvery > 0) garbageAt = after(started, config.garbageEvery);
    std::mt19937 rng(config.options.seed);

    // Commands are read from stdin unless it is a terminal this process does not own (as with
    // "meter-sim &"), where a read would stop the process.
    bool stdinOpen = !::isatty(STDIN_FILENO) || ::tcgetpgrp(STDIN_FILENO) == ::getpgrp();
    std::string lineBuf;
    for (;;) {
        const auto now = Clock::now();
        if (hangupAt && now >= *hangupAt) {
            hangupAt.reset();
            sim.hangUp();
            std::fputs("meter-sim: hung up\n", stderr);
            if (config.returnAfter > 0) returnAt = after(now, config.returnAfter);
        }
        if (returnAt && now >= *returnAt) {
            returnAt.reset();
            if (sim.comeBack()) {
                report(sim, "serving on");
            } else {
                std::fprintf(stderr, "meter-sim: %s\n", sim.errorString().c_str());
            }
        }
        if (garbageAt && now >= *garbageAt) {
            std::vector<uint8_t> bytes(std::uniform_int_distribution<int>(1, 8)(rng));
            for (uint8_t& b : bytes) b = static_cast<uint8_t>(rng());
            sim.sendGarbage(bytes);
            garbageAt = after(now, config.garbageEvery);
        }

        double wait = -1;
        for (const auto& t : {hangupAt, returnAt, garbageAt}) {
            if (t) {
                const double s = std::max(0.0, secondsUntil(*t, now));
                wait = wait < 0 ? s : std::min(wait, s);
            }
        }
        pollfd fds[2] = {{sigFd, POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
        const int timeoutMs = wait < 0 ? -1 : static_cast<int>(std::ceil(wait * 1000.0));
        const int r = ::poll(fds, stdinOpen ? 2 : 1, timeoutMs);
        if (r < 0 && errno != EINTR) break;
        if (r <= 0) continue;
        if (fds[0].revents & POLLIN) break;
        if (stdinOpen && (fds[1].revents & (POLLIN | POLLHUP | POLLERR | POLLNVAL))) {
            char buf[512];
            const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
            if (n <= 0) {
                stdinOpen = false;  // no console: just serve
                continue;
            }
            lineBuf.append(buf, static_cast<size_t>(n));
            if (lineBuf.size() > 4096) lineBuf.clear();  // no endless lines
            size_t pos;
            bool quit = false;
            while (!quit && (pos = lineBuf.find('\n')) != std::string::npos) {
                quit = !command(sim, lineBuf.substr(0, pos));
                lineBuf.erase(0, pos + 1);
            }
            if (quit) break;
        }
    }
    sim.stop();
    ::close(sigFd);
    return 0;
}
