// A fault soak: the real panel records at interval 1 with the live list and both live graphs open
// while the simulated meter (paced at 9600 baud) goes silent, answers slowly, sends frames of the
// wrong length, garbage, answers in pieces, hangs up and comes back, cuts dumps short and sends
// bytes beyond them; a single-record or set download runs every few minutes, and real message
// and input boxes stand for random times. It prints the crashes, the longest stall of the window
// thread, counted lines missing from or broken in the files, samples whose reading is older than
// one poll tick, and the resident memory at the start and the end.
//
// Usage: bench_soak [MINUTES] [SEED]   (default 30 minutes, a seed from the clock; both printed)
// The soak runs as a child process of this one, so that a crash or a hang is counted and the run
// goes on with the next seed for the time left.
#include <execinfo.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "app/panel_start.h"
#include "app/simulated_meter.h"
#include "bench_support.h"
#include "files/data_list.h"
#include "files/files.h"
#include "files/real_time_list.h"
#include "files/record_grid.h"
#include "link/port_names.h"
#include "memory/memory.h"
#include "memory/memory_window.h"
#include "meter/display_poll.h"
#include "meter/readout.h"
#include "panel/panel.h"
#include "recording/graph_windows.h"
#include "recording/live_graphs.h"
#include "recording/recorder.h"
#include "recording/recording_writer.h"
#include "ui/dialogs.h"

namespace {

using SteadyClock = std::chrono::steady_clock;

qint64 steadyMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               SteadyClock::now().time_since_epoch())
        .count();
}

// --- crashes: the child prints its stack, the parent counts them ---------------------------

#if !defined(__SANITIZE_ADDRESS__)
// A crash prints the stack before it ends the child (the sanitizers print their own).
void printStack(int signal) {
    void* frames[64];
    const int n = backtrace(frames, 64);
    const char text[] = "\nsoak: crashed, stack:\n";
    (void)!write(STDERR_FILENO, text, sizeof text - 1);
    backtrace_symbols_fd(frames, n, STDERR_FILENO);
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}
#endif

// A child's exit code when the simulated meter, the panel or the temporary folder could not be
// made: nothing to soak, so the parent stops instead of trying the next seed.
constexpr int kSetupFailed = 2;

// Runs the soak in children, one after another with seeds seed, seed + 1, ... until `seconds`
// are spent: a child that crashes or hangs is counted and the next one takes the time left.
int supervise(const char* self, int seconds, unsigned seed) {
    const qint64 end = steadyMs() + qint64(seconds) * 1000;
    int crashes = 0, hangs = 0, runs = 0;
    for (qint64 left = seconds * 1000LL; left >= 30000; left = end - steadyMs(), ++seed) {
        ++runs;
        const std::string secondsText = std::to_string(left / 1000);
        const std::string seedText = std::to_string(seed);
        std::fflush(nullptr);
        const pid_t child = fork();
        if (child == 0) {
            execl(self, self, "--child", secondsText.c_str(), seedText.c_str(), nullptr);
            _exit(127);
        }
        if (child < 0) return 1;
        // Setting up and checking the files take a minute at most beyond the soak's time.
        const qint64 hangAt = steadyMs() + left + 180000;
        int status = 0;
        bool hung = false;
        while (waitpid(child, &status, WNOHANG) == 0) {
            if (!hung && steadyMs() > hangAt) {
                hung = true;
                std::fprintf(stderr, "soak: seed %u hangs; aborting it\n", seed);
                kill(child, SIGABRT);
            }
            usleep(200000);
        }
        if (!hung && WIFEXITED(status) && WEXITSTATUS(status) == kSetupFailed) {
            std::printf("soak: the simulated meter or the panel could not start\n");
            return 1;
        }
        if (hung) {
            ++hangs;
        } else if (WIFSIGNALED(status) || WEXITSTATUS(status) != 0) {
            ++crashes;
            std::printf("soak: seed %u ended %s %d\n", seed,
                        WIFSIGNALED(status) ? "by signal" : "with exit code",
                        WIFSIGNALED(status) ? WTERMSIG(status) : WEXITSTATUS(status));
        }
        if (!hung && WIFEXITED(status) && WEXITSTATUS(status) == 0) break;
    }
    std::printf("crashes: %d, hangs: %d (runs: %d)\n", crashes, hangs, runs);
    return crashes + hangs ? 1 : 0;
}

// --- dialogs -------------------------------------------------------------------------------

// Message and input boxes are the real ones (they stand until the closer answers them); the
// Save As dialog is answered at once with the next recording file.
struct SoakDialogs : ui::Dialogs {
    QDir folder;
    QStringList files;  // the recording files given out, in order
    Answer message(QWidget* parent, const QString& title, const QString& text, Icon icon,
                   Buttons buttons) override {
        std::fprintf(stderr, "  box: %s: %s\n", qPrintable(title),
                     qPrintable(QString(text).replace('\n', ' ')));
        ui::setDialogs(nullptr);
        const Answer answer = ui::dialogs().message(parent, title, text, icon, buttons);
        ui::setDialogs(this);
        return answer;
    }
    QString input(QWidget* parent, const QString& title, const QString& prompt,
                  const QString& defaultText) override {
        ui::setDialogs(nullptr);
        const QString answer = ui::dialogs().input(parent, title, prompt, defaultText);
        ui::setDialogs(this);
        return answer;
    }
    QString openFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&, ExistingFile) override {
        files.append(folder.filePath(QStringLiteral("recording-%1.dat").arg(files.size() + 1)));
        return files.last();
    }
    bool printLines(QWidget*, const QString&, const QStringList&, QString*) override {
        return false;
    }
    bool printWidget(QWidget*, QWidget*, QString*) override { return false; }
};

// --- the meter's reading, stepped so that a sample tells how old its reading is --------------

// Every 250 ms the meter's pH takes the next of 1200 values (1.00 to 12.99); the times are kept
// so that a recorded value can be traced to the span in which the meter showed it.
class ReadingStepper {
  public:
    explicit ReadingStepper(sim::MeterSim& meter) : meter_(meter) {
        thread_ = std::thread([this] {
            for (long k = 0; !stop_; ++k) {
                meter_.withModel([k](sim::MeterModel& m) {
                    m.setFixedPh(valueOf(k));
                    return 0;
                });
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    steps_.push_back(steadyMs());
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(kStepMs));
            }
        });
    }
    ~ReadingStepper() {
        stop_ = true;
        thread_.join();
    }
    static double valueOf(long k) { return 1.0 + double(k % kValues) / 100; }

    // The latest span [shown from, shown until) before `at` in which the meter showed `value`;
    // false when it never did. `until` is max() while it still shows it.
    bool spanOf(double value, qint64 at, qint64& from, qint64& until) const {
        const long j = std::lround(value * 100) - 100;
        if (j < 0 || j >= kValues) return false;
        std::lock_guard<std::mutex> lock(mutex_);
        for (long k = long(steps_.size()) - 1; k >= 0; --k) {
            if (k % kValues != j || steps_[std::size_t(k)] > at) continue;
            from = steps_[std::size_t(k)];
            until = std::size_t(k) + 1 < steps_.size() ? steps_[std::size_t(k) + 1]
                                                       : std::numeric_limits<qint64>::max();
            return true;
        }
        return false;
    }

  private:
    static constexpr int kStepMs = 250;
    static constexpr long kValues = 1200;
    sim::MeterSim& meter_;
    mutable std::mutex mutex_;
    std::vector<qint64> steps_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// --- the soak ------------------------------------------------------------------------------

struct Figures {
    long samples = 0;
    long staleByTicks = 0;       // PollTick - RenderedTick > 1 when sampled
    long staleByValue = 0;       // the meter stopped showing the value before the previous tick
    long staleWhileTooLate = 0;  // the same while the meter answered after the answer window
    long untraceable = 0;        // a recorded value the meter never showed
    qint64 worstAgeMs = 0;       // how long before the previous tick the oldest reading ended
    long faults = 0, hangUps = 0, boxes = 0, inputBoxes = 0;
    long singleDownloads = 0, setDownloads = 0, setsListed = 0, singlesListed = 0;
    long recordingsStarted = 0, liveWindowsReopened = 0, writerFailures = 0;
};

class Soak : public QObject {
  public:
    Soak(unsigned seed, int seconds) : rng_(seed), seconds_(seconds) {}

    int run();

  private:
    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
    double elapsed() const { return clock_.nsecsElapsed() / 1e9; }
    void log(const QString& what) const {
        std::fprintf(stderr, "%7.1f s  %s\n", elapsed(), qPrintable(what));
    }
    // Runs `f` after a random time in [lo, hi] ms, then again and again.
    void every(int lo, int hi, std::function<void()> f);

    bool boxStanding() const { return QApplication::activeModalWidget() != nullptr; }
    void closeDueBoxes();
    void injectFault();
    void showBox();
    void startDownload();
    void keepLiveWindowsOpen();
    void reopenLiveList();
    void onSampleTick();
    void logLineHistory(qint64 now);
    void report();
    // Reports and ends the event loop once no box stands any more.
    void finish();
    struct FileFigures {
        long counted = 0, missing = 0, broken = 0, mismatched = 0, oddReadings = 0;
    };
    long checkFiles(FileFigures& figures);

    std::mt19937 rng_;
    int seconds_;
    QElapsedTimer clock_;
    QTemporaryDir dir_;
    SoakDialogs dialogs_;
    std::unique_ptr<sim::MeterSim> meter_;
    std::unique_ptr<ReadingStepper> stepper_;
    std::unique_ptr<app::Session> session_;
    panel::Panel* panel_ = nullptr;
    recording::RecordingWriter* writer_ = nullptr;
    bench::StallWatch stalls_;
    double reportedStall_ = 0;
    Figures f_;
    bool hungUp_ = false;
    // Answers come later than the line's answer window (200 ms) until then (steady ms).
    static constexpr int kAnswerWindowMs = 200;
    qint64 tooLateUntil_ = 0;
    bool downloading_ = false;
    bool finishing_ = false;
    std::vector<std::pair<QPointer<QWidget>, qint64>> boxes_;  // standing boxes and when due
    std::vector<qint64> tickStart_;                            // steady ms of each Timer1 tick
    bool started_ = false;
    long lastCount_ = 0;
    qsizetype lastFile_ = 0;
    // Per recording file (from 1, as the writer numbers its recordings): the value of each
    // sample by line number, and the highest line reported written.
    std::map<quint64, std::vector<QString>> values_;
    std::map<quint64, long> written_;
    long long rssStart_ = 0;
};

void Soak::every(int lo, int hi, std::function<void()> f) {
    QTimer::singleShot(uniform(lo, hi), this, [this, lo, hi, f] {
        if (finishing_) return;
        f();
        every(lo, hi, f);
    });
}

// Answers each standing box once its random time is up: an input box with "1", a message box
// with OK, anything else (a file dialog) with Cancel.
void Soak::closeDueBoxes() {
    const qint64 now = steadyMs();
    std::erase_if(boxes_, [](const auto& box) { return box.first.isNull(); });
    QWidget* top = QApplication::activeModalWidget();
    if (top && std::none_of(boxes_.begin(), boxes_.end(),
                            [top](const auto& box) { return box.first == top; })) {
        boxes_.emplace_back(top, now + uniform(200, 8000));
        if (qobject_cast<QInputDialog*>(top)) ++f_.inputBoxes;
    }
    for (auto& [box, due] : boxes_) {
        if (box != top || (now < due && !finishing_)) continue;
        if (auto* input = qobject_cast<QInputDialog*>(box.data())) {
            input->setTextValue(QStringLiteral("1"));
            input->accept();
        } else if (auto* message = qobject_cast<QMessageBox*>(box.data())) {
            message->accept();
        } else if (auto* dialog = qobject_cast<QDialog*>(box.data())) {
            dialog->reject();
        }
    }
}

void Soak::injectFault() {
    ++f_.faults;
    switch (uniform(0, 8)) {
        case 0: {
            const double seconds = uniform(3, 80) / 10.0;
            log(QStringLiteral("fault: silent for %1 s").arg(seconds));
            meter_->silenceFor(seconds);
            break;
        }
        case 1: {
            const double delay = uniform(5, 400) / 1000.0;
            const int lasts = uniform(3000, 30000);
            log(QStringLiteral("fault: answers %1 s late for %2 s").arg(delay).arg(lasts / 1000));
            meter_->setReplyDelay(delay);
            if (delay * 1000 >= kAnswerWindowMs) tooLateUntil_ = steadyMs() + lasts + 2000;
            QTimer::singleShot(lasts, this, [this] { meter_->setReplyDelay(0); });
            break;
        }
        case 2: {
            const int count = uniform(1, 12), length = uniform(0, 24);
            log(QStringLiteral("fault: %1 display answers of %2 bytes").arg(count).arg(length));
            meter_->sendWrongLengthFrames(count, length);
            break;
        }
        case 3: {
            std::vector<uint8_t> garbage(std::size_t(uniform(1, 40)));
            for (uint8_t& b : garbage) b = uint8_t(uniform(0, 255));
            log(QStringLiteral("fault: %1 garbage bytes").arg(garbage.size()));
            meter_->sendGarbage(std::move(garbage));
            break;
        }
        case 4: {
            const int n = uniform(1, 12), lasts = uniform(3000, 30000);
            log(QStringLiteral("fault: %1 bytes after every answer for %2 s")
                    .arg(n)
                    .arg(lasts / 1000));
            meter_->setExtraBytes(n);
            QTimer::singleShot(lasts, this, [this] { meter_->setExtraBytes(0); });
            break;
        }
        case 5: {
            const int lasts = uniform(5000, 60000);
            log(QStringLiteral("fault: answers in pieces for %1 s").arg(lasts / 1000));
            meter_->setRandomChunks(true);
            QTimer::singleShot(lasts, this, [this] { meter_->setRandomChunks(false); });
            break;
        }
        case 6:
        case 7: {
            if (hungUp_) break;
            const int away = uniform(500, 15000);
            log(QStringLiteral("fault: hang-up for %1 s").arg(away / 1000.0));
            hungUp_ = true;
            ++f_.hangUps;
            meter_->hangUp();
            QTimer::singleShot(away, this, [this] {
                if (!meter_->comeBack())
                    log(QStringLiteral("the meter did not come back: %1")
                            .arg(QString::fromStdString(meter_->errorString())));
                hungUp_ = false;
            });
            break;
        }
        default: {
            const int bytes = uniform(1, 300);
            log(QStringLiteral("fault: the next dump cut after %1 bytes").arg(bytes));
            meter_->cutNextDump(bytes);
            break;
        }
    }
}

// A real message box over the panel, or the panel's own "Sampling" input box.
void Soak::showBox() {
    if (boxStanding() || finishing_) return;
    if (chance(0.3)) {
        log(QStringLiteral("input box: Sampling"));
        panel_->button("CmdPSample")->click();
        return;
    }
    ++f_.boxes;
    ui::dialogs().message(panel_, QStringLiteral("Soak"), QStringLiteral("A box over the panel"),
                          ui::Dialogs::Icon::Information, ui::Dialogs::Buttons::Ok);
}

// "Single Rec" then "Single Record", or "Multi Rec" then a set chosen; the list and the Memory
// window are closed after a while.
void Soak::startDownload() {
    if (downloading_ || boxStanding() || session_->memory().find()) return;
    const bool set = chance(0.5);
    QPushButton* button = panel_->button(set ? "CmdPmul" : "CmdPsingle");
    if (!button->isEnabled()) return;
    if (chance(0.3)) {
        const int surplus = uniform(1, 40);
        log(QStringLiteral("fault: %1 surplus bytes after the dumps").arg(surplus));
        meter_->setDumpSurplus(surplus);
    }
    downloading_ = true;
    log(set ? QStringLiteral("download: Multi Rec") : QStringLiteral("download: Single Rec"));
    (set ? f_.setDownloads : f_.singleDownloads)++;
    button->click();
    // Steps every half second until the list stands or a minute and a half has passed.
    auto* step = new QTimer(this);
    const qint64 giveUp = steadyMs() + 90000;
    auto clicked = std::make_shared<bool>(false);
    connect(step, &QTimer::timeout, this, [this, step, set, giveUp, clicked] {
        if (boxStanding()) return;
        memory::MemoryWindow* window = session_->memory().find();
        files::DataList* list = session_->files().findDataList();
        // A list is finished once its title says "n Records Completed".
        const bool listed = list && list->lblTitle()->text().endsWith(QLatin1String("Completed"));
        bool done = steadyMs() > giveUp || listed;
        if (!done && window && !*clicked) {
            if (set) {
                auto* sets = window->findChild<QComboBox*>("Combo1");
                if (sets && sets->count() > 0) {
                    const int chosen = uniform(0, sets->count() - 1);
                    sets->setCurrentIndex(chosen);
                    emit sets->activated(chosen);
                    *clicked = true;
                }
            } else if (auto* single = window->findChild<QPushButton*>("CmdSingleRec");
                       single && single->isEnabled()) {
                single->click();
                *clicked = true;
            }
        }
        // Ended without a list: a failed set download closes the window, a failed single one
        // gives "Single Record" back.
        if (!done && !window && !list) done = true;
        if (!done && !set && *clicked && window &&
            window->findChild<QPushButton*>("CmdSingleRec")->isEnabled())
            done = true;
        if (!done) return;
        step->stop();
        step->deleteLater();
        if (listed) {
            (set ? f_.setsListed : f_.singlesListed)++;
            log(QStringLiteral("download: listed %1 records").arg(list->grid()->rows() - 1));
        }
        QTimer::singleShot(uniform(5000, 30000), this, [this] {
            log(QStringLiteral("download: list and Memory window closed"));
            session_->files().closeDataList();
            session_->memory().closeWindow();
            meter_->setDumpSurplus(0);
            downloading_ = false;
        });
    });
    step->start(500);
}

// A recording, the live list and both graphs stand all the time: whatever the program closed
// (the meter left its measuring screen, a write failed) is opened again and counted.
void Soak::keepLiveWindowsOpen() {
    if (boxStanding() || !session_->readout().isFresh()) return;
    if (!session_->recorder().IsRecording) {
        if (f_.recordingsStarted) log(QStringLiteral("the recording had stopped: a new one"));
        ++f_.recordingsStarted;
        panel_->button("CmdPsavestop")->click();
    }
    const auto reopen = [this](bool open, const char* button) {
        if (open) return;
        if (started_) {
            ++f_.liveWindowsReopened;
            log(QStringLiteral("%1 was closed: opened again").arg(button));
        }
        panel_->button(button)->click();
    };
    reopen(session_->files().findRealTimeList(), "CmdPlist");
    reopen(session_->graphs().findGraph(core::Quantity::Ph), "CmdPpHG");
    reopen(session_->graphs().findGraph(core::Quantity::Temperature), "CmdPtempG");
    started_ = true;
}

void Soak::reopenLiveList() {
    if (session_->files().findRealTimeList()) panel_->button("CmdPlist")->click();
}

// After the sampler's tick: a sample taken shows as the recording's count going up.
void Soak::onSampleTick() {
    const long count = session_->recorder().RecordingCount;
    const qsizetype file = dialogs_.files.size();
    if (!session_->recorder().IsRecording || (count == lastCount_ && file == lastFile_)) return;
    lastCount_ = count;
    lastFile_ = file;
    ++f_.samples;
    const meter::ReadoutState& readout = session_->readout().state();
    if (readout.PollTick - readout.RenderedTick > 1) ++f_.staleByTicks;
    const QString value = QString::fromStdString(readout.Display.LblUpValue);
    std::vector<QString>& values = values_[quint64(file)];
    values.resize(std::size_t(count));
    values[std::size_t(count - 1)] = value;

    bool number = false;
    const double v = value.toDouble(&number);
    qint64 from = 0, until = 0;
    const qint64 now = steadyMs();
    if (!number || !stepper_->spanOf(v, now, from, until)) {
        ++f_.untraceable;
        log(QStringLiteral("sample %1: the meter never showed %2").arg(count).arg(value));
        return;
    }
    // The frames of the current and the previous poll tick were asked for from the previous
    // tick's start on; 30 ms allow for the two threads' clocks and the model's step.
    const int previous = readout.PollTick - 1;
    const qint64 windowStart =
        previous >= 1 && std::size_t(previous) < tickStart_.size() ? tickStart_[previous] : now;
    if (until < windowStart - 30) {
        // An answer later than the line waits for it may be taken as the answer to the next
        // request: counted apart.
        ++(now < tooLateUntil_ ? f_.staleWhileTooLate : f_.staleByValue);
        f_.worstAgeMs = std::max(f_.worstAgeMs, windowStart - until);
        log(QStringLiteral("sample %1: %2 ended %3 ms before the previous poll tick "
                           "(ticks %4, rendered %5)")
                .arg(count)
                .arg(value)
                .arg(windowStart - until)
                .arg(readout.PollTick)
                .arg(readout.RenderedTick));
        logLineHistory(now);
    }
}

// What the meter received in the last two seconds and when the last poll ticks began, in ms
// before `now`: the traces of a stale sample.
void Soak::logLineHistory(qint64 now) {
    const auto steadyNow = SteadyClock::now();
    QString bytes;
    for (const sim::MeterSim::ReceivedByte& b : meter_->received()) {
        const qint64 before =
            std::chrono::duration_cast<std::chrono::milliseconds>(steadyNow - b.time).count();
        if (before <= 2000)
            bytes += QStringLiteral(" %1@-%2").arg(b.value, 2, 16, QLatin1Char('0')).arg(before);
    }
    QString ticks;
    for (std::size_t t = tickStart_.size() > 4 ? tickStart_.size() - 4 : 0; t < tickStart_.size();
         ++t)
        ticks += QStringLiteral(" %1@-%2").arg(t).arg(now - tickStart_[t]);
    log(QStringLiteral("  the meter received:%1; ticks began:%2").arg(bytes, ticks));
}

// Counts, over every recording file: lines broken (not the recording's layout of eight cells
// with number, date and time, or not ended), lines counted but not in the file, values that
// differ from the sample taken, and lines whose reading is odd (no pH or mV unit, no 'C or 'F:
// the panel showed a frame that was no reading). Returns the whole lines.
long Soak::checkFiles(FileFigures& figures) {
    static const QRegularExpression layout(QStringLiteral(
        R"(^(\d+)\t\d\d/\d\d/\d\d\t\d\d:\d\d:\d\d\t([^\t]*)\t([^\t]*)\t[^\t]*\t([^\t]*)\t[^\t]*$)"));
    long lines = 0;
    for (int i = 0; i < dialogs_.files.size(); ++i) {
        const quint64 recording = quint64(i + 1);
        figures.counted += written_[recording];
        QFile file(dialogs_.files[i]);
        if (!file.open(QIODevice::ReadOnly)) {
            figures.missing += written_[recording];
            continue;
        }
        const QList<QByteArray> pieces = file.readAll().split('\n');
        long expected = 1;
        const std::vector<QString>& values = values_[recording];
        for (qsizetype p = 0; p < pieces.size(); ++p) {
            const QByteArray& piece = pieces[p];
            if (p + 1 == pieces.size()) {
                if (!piece.isEmpty()) ++figures.broken;  // an unended last line
                break;
            }
            ++lines;
            const auto match =
                layout.match(QString::fromLatin1(piece.chopped(piece.endsWith('\r') ? 1 : 0)));
            if (!piece.endsWith('\r') || !match.hasMatch()) {
                ++figures.broken;
                std::fprintf(stderr, "broken line in %s: %s\n", qPrintable(dialogs_.files[i]),
                             piece.constData());
                continue;
            }
            const long number = match.captured(1).toLong();
            if (number > expected) figures.missing += number - expected;
            expected = number + 1;
            const QString unit = match.captured(3), tempUnit = match.captured(4);
            if ((unit != "pH" && unit != "mV") || (tempUnit != "'C" && tempUnit != "'F")) {
                ++figures.oddReadings;
                std::fprintf(stderr, "odd reading in %s: %s\n", qPrintable(dialogs_.files[i]),
                             piece.constData());
            }
            if (std::size_t(number) <= values.size() &&
                values[std::size_t(number - 1)] != match.captured(2))
                ++figures.mismatched;
        }
        if (written_[recording] >= expected) figures.missing += written_[recording] - expected + 1;
    }
    return lines;
}

void Soak::finish() {
    if (boxStanding()) {
        QTimer::singleShot(200, this, &Soak::finish);
        return;
    }
    stalls_.stop();
    report();
    QApplication::quit();
}

void Soak::report() {
    const long long rssEnd = bench::residentBytes();
    FileFigures files;
    const QString panelCount = panel_->controls().LblCount->text().trimmed();
    const long stateCount = session_->recorder().RecordingCount;
    const long writtenCount = written_[quint64(dialogs_.files.size())];
    panel_->button("CmdPsavestop")->click();  // stops the recording: the file is closed
    (void)writer_->waitUntilSettled(20000);
    const long lines = checkFiles(files);
    const double wall = elapsed();

    std::printf("soak of %.1f min\n", wall / 60);
    std::printf("faults %ld (hang-ups %ld); real boxes %ld, input boxes %ld\n", f_.faults,
                f_.hangUps, f_.boxes, f_.inputBoxes);
    std::printf("downloads: single %ld (%ld listed), set %ld (%ld listed)\n", f_.singleDownloads,
                f_.singlesListed, f_.setDownloads, f_.setsListed);
    std::printf("recordings %ld, live windows reopened %ld, writer failures %ld\n",
                f_.recordingsStarted, f_.liveWindowsReopened, f_.writerFailures);
    std::printf("longest stall of the window thread: %.1f ms\n", stalls_.longestMs());
    std::printf(
        "lines: %ld counted, %ld in the files; missing %ld, broken %ld, values unlike the "
        "sample %ld; odd readings (no unit) %ld\n",
        files.counted, lines, files.missing, files.broken, files.mismatched, files.oddReadings);
    std::printf("last recording before its stop: panel shows %s, state %ld, written %ld\n",
                qPrintable(panelCount.isEmpty() ? QStringLiteral("-") : panelCount), stateCount,
                writtenCount);
    std::printf(
        "samples %ld: stale by ticks %ld, reading older than the previous poll tick %ld "
        "(%ld more while the meter answered after the 200 ms answer window; the worst of all by "
        "%lld ms), values the meter never showed %ld\n",
        f_.samples, f_.staleByTicks, f_.staleByValue, f_.staleWhileTooLate,
        (long long)f_.worstAgeMs, f_.untraceable);
    std::printf(
        "resident memory (live list just reopened): start %.1f MB, end %.1f MB (%+.1f MB)\n",
        rssStart_ / 1048576.0, rssEnd / 1048576.0, (rssEnd - rssStart_) / 1048576.0);
    std::fflush(stdout);
}

int Soak::run() {
    if (!dir_.isValid()) return kSetupFailed;
    dialogs_.folder = QDir(dir_.path());
    ui::setDialogs(&dialogs_);
    sim::MeterSim::Options options;
    options.linkPath = dir_.filePath(QStringLiteral("meter")).toStdString();
    options.seed = uint32_t(rng_());
    meter_ = app::StartSimulatedMeter(options);
    if (!meter_) return kSetupFailed;
    auto ports = std::make_shared<serial::SystemPortLister>();
    ports->setComDevice(1, QString::fromStdString(options.linkPath));
    meter_->withModel([](sim::MeterModel& m) {
        m.clearMemory();
        for (int i = 0; i < 40; ++i)
            m.addSingleRecord({sim::Sample{sim::MainUnit::Ph, 4.0 + i / 10.0},
                               sim::DateTime{2026, 3, 1 + i % 28, 10, i % 60, 0}});
        for (int s = 0; s < 3; ++s) {
            sim::LoggedSet set{sim::DateTime{2026, 4, 1 + s, 9, 0, 0}, 5, {}};
            for (int i = 0; i < 150 * (s + 1); ++i)
                set.records.push_back(sim::Sample{sim::MainUnit::Ph, 7.0 + (i % 50) / 100.0});
            m.addLoggedSet(set);
        }
        return 0;
    });
    stepper_ = std::make_unique<ReadingStepper>(*meter_);

    session_ = app::StartPanel(1, {}, ports);
    if (!session_) return kSetupFailed;
    panel_ = session_->panel();
    const QPointer<panel::Panel> panel(panel_);
    writer_ = session_->recorder().writer();
    connect(writer_, &recording::RecordingWriter::lineWritten, this,
            [this](quint64 recording, long number) {
                if (recording != quint64(dialogs_.files.size()))
                    log(QStringLiteral("line %1 of recording %2 written while file %3 is "
                                       "in use")
                            .arg(number)
                            .arg(recording)
                            .arg(dialogs_.files.size()));
                written_[recording] = std::max(written_[recording], number);
            });
    connect(writer_, &recording::RecordingWriter::failed, this,
            [this](quint64, const QString&, const QString& reason, long) {
                ++f_.writerFailures;
                log(QStringLiteral("writer failed: %1").arg(reason));
            });
    connect(panel_->timer1(), &QTimer::timeout, this, [this] {
        tickStart_.resize(std::size_t(session_->readout().state().PollTick) + 1);
        tickStart_[std::size_t(session_->readout().state().PollTick)] = steadyMs();
    });
    connect(&session_->recorder(), &recording::Recorder::sampleTick, this, &Soak::onSampleTick);
    (void)QTest::qWaitFor([&] { return panel_->displayPoll()->ticks() >= 2; }, 5000);

    auto* closer = new QTimer(this);
    connect(closer, &QTimer::timeout, this, &Soak::closeDueBoxes);
    closer->start(50);
    // The interval in the real input box, then the recording and the live windows.
    panel_->button("CmdPSample")->click();
    clock_.start();
    keepLiveWindowsOpen();
    stalls_.start();

    every(5000, 30000, [this] { injectFault(); });
    every(20000, 90000, [this] { showBox(); });
    every(60000, 240000, [this] { startDownload(); });
    every(3000, 3000, [this] { keepLiveWindowsOpen(); });
    every(10000, 10000, [this] {
        if (stalls_.longestMs() > reportedStall_ + 1) {
            reportedStall_ = stalls_.longestMs();
            log(QStringLiteral("longest stall so far %1 ms").arg(reportedStall_, 0, 'f', 1));
        }
    });
    every(300000, 300000, [this] {
        log(QStringLiteral("resident %1 MB, live list rows %2")
                .arg(bench::residentBytes() / 1048576.0, 0, 'f', 1)
                .arg(session_->files().findRealTimeList()
                         ? session_->files().findRealTimeList()->grid()->rows() - 1
                         : 0));
        reopenLiveList();
    });
    // The start figure after a minute, with the live list just opened afresh.
    const int settle = std::min(60000, seconds_ * 1000 / 4);
    QTimer::singleShot(settle, this, [this] { reopenLiveList(); });
    QTimer::singleShot(settle + 2000, this, [this] {
        rssStart_ = bench::residentBytes();
        log(QStringLiteral("resident at the start %1 MB").arg(rssStart_ / 1048576.0, 0, 'f', 1));
    });
    QTimer::singleShot(seconds_ * 1000 - 2000, this, [this] {
        finishing_ = true;  // every box still standing is answered at once now
        reopenLiveList();
    });
    QTimer::singleShot(seconds_ * 1000, this, &Soak::finish);
    QApplication::exec();
    // Quitting closes every window, the panel (deleted on close) among them.
    if (panel) panel->close();
    stepper_.reset();
    meter_->stop();
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc > 1 && std::string(argv[1]) == "--child" && argc > 3) {
#if !defined(__SANITIZE_ADDRESS__)
        ::signal(SIGSEGV, printStack);
        ::signal(SIGABRT, printStack);
        ::signal(SIGBUS, printStack);
        ::signal(SIGFPE, printStack);
#endif
        QApplication application(argc, argv);
        const int seconds = std::max(30, std::atoi(argv[2]));
        const unsigned seed = unsigned(std::strtoul(argv[3], nullptr, 10));
        std::printf("soak: seed %u, %d s\n", seed, seconds);
        std::fflush(stdout);
        Soak soak(seed, seconds);
        return soak.run();
    }
    const int minutes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    const unsigned seed = argc > 2 ? unsigned(std::strtoul(argv[2], nullptr, 10))
                                   : unsigned(SteadyClock::now().time_since_epoch().count());
    std::printf("soak: %d min, seed %u (bench_soak %d %u repeats it)\n", minutes, seed, minutes,
                seed);
    // The children run this program by its real path, so that their stacks name it.
    char self[4096] = {};
    if (readlink("/proc/self/exe", self, sizeof self - 1) <= 0) return 1;
    return supervise(self, minutes * 60, seed);
}
