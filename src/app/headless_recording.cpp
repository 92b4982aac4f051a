#include "app/headless_recording.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QSocketNotifier>
#include <csignal>

#include "app/session.h"
#include "app/simulated_meter.h"
#include "core/record_row.h"
#include "core/sample_row.h"
#include "files/file_transfer.h"
#include "link/port_failure.h"
#include "link/port_lister.h"
#include "link/port_names.h"
#include "link/qt_serial_line.h"
#include "link/rs232.h"
#include "link/transaction_queue.h"
#include "meter/display_poll.h"
#include "meter/readout.h"
#include "recording/recording_writer.h"
#include "ui/pc_clock.h"

namespace app {
namespace {

QString clockText(const QDateTime& moment) {
    return moment.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

void say(std::FILE* stream, const QString& text) {
    std::fputs(qPrintable(text), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

// The port the user named: COM1 to COM8 keep their meaning, anything else is a device (a path,
// a stable name from --list-ports, or a name in /dev).
void choosePort(serial::QtSerialLine& line, const QString& port) {
    for (int n = serial::kFirstPort; n <= serial::kLastPort; ++n)
        if (port == QStringLiteral("COM%1").arg(n)) return line.setPortNumber(n);
    line.setPortDevice(port);
}

int signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    // Only async-signal-safe calls here; the event loop reads the byte.
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

}  // namespace

HeadlessRecording::HeadlessRecording(RecordOptions options, std::FILE* out, std::FILE* err,
                                     std::shared_ptr<serial::PortLister> ports)
    : options_(std::move(options)),
      out_(out),
      err_(err),
      onTerminal_(::isatty(::fileno(out))),
      ports_(ports ? std::move(ports) : std::make_shared<serial::SystemPortLister>()) {
    sampleTimer_.setSingleShot(true);
    sampleTimer_.setTimerType(Qt::PreciseTimer);
    durationTimer_.setSingleShot(true);
    connect(&sampleTimer_, &QTimer::timeout, this, &HeadlessRecording::sampleTick);
    connect(&durationTimer_, &QTimer::timeout, this, [this] { stop(kRecordDone); });
}

HeadlessRecording::~HeadlessRecording() {
    stop(exitCode_);
}

bool HeadlessRecording::start() {
    if (options_.demo) {
        QString error;
        meter_ = StartSimulatedMeter({}, &error);
        if (!meter_) {
            say(err_,
                QStringLiteral("meterpanel: the simulated meter did not start: %1").arg(error));
            exitCode_ = kRecordPortFailed;
            return false;
        }
        options_.port = QStringLiteral("COM1");
        ports_->setComDevice(1, QString::fromStdString(meter_->devicePath()));
    }

    session_ = std::make_unique<Session>(0, QString(), ports_);
    serial::QtSerialLine& line = session_->line();
    choosePort(line, options_.port);
    if (!line.setSettings(QStringLiteral("9600,n,8,1")) || !line.open()) {
        say(err_, serial::portFailureMessage(line.deviceName(), line.errorText()));
        exitCode_ = kRecordPortFailed;
        return false;
    }

    QString reason;
    std::unique_ptr<files::RecordingFile> file = files::RecordingFile::open(options_.file, &reason);
    if (!file) {
        say(err_, QStringLiteral("meterpanel: the recording file %1 could not be opened: %2")
                      .arg(options_.file, reason));
        exitCode_ = kRecordFileFailed;
        return false;
    }

    const meter::Readout& readout = session_->readout();
    connect(&readout, &meter::Readout::linkLost, this, &HeadlessRecording::onLinkLost);
    connect(&readout, &meter::Readout::linkRestored, this, &HeadlessRecording::onLinkRestored);

    writer_ = new recording::RecordingWriter(this);
    connect(writer_, &recording::RecordingWriter::lineWritten, this,
            [this](quint64 recording, long number) {
                if (recording == recording_) written_ = number;
            });
    connect(writer_, &recording::RecordingWriter::failed, this,
            [this](quint64, const QString& path, const QString& why, long kept) {
                say(err_, QStringLiteral("meterpanel: the recording into %1 has stopped: a line "
                                         "could not be written (%2); %3 lines are in the file.")
                              .arg(path, why)
                              .arg(kept));
                stop(kRecordFileFailed);
            });
    recording_ = writer_->begin(std::move(file));

    say(err_, QStringLiteral("Recording %1 from %2 every %3 s%4; stop with Ctrl+C.")
                  .arg(options_.file, line.deviceName())
                  .arg(options_.interval)
                  .arg(options_.duration > 0 ? QStringLiteral(" for %1 s").arg(options_.duration)
                                             : QString()));
    session_->poll().start();
    session_->poll().Timer1_Timer();
    if (options_.duration > 0) durationTimer_.start(options_.duration * 1000);
    armSampleTick();
    return true;
}

void HeadlessRecording::armSampleTick() {
    sampleTimer_.start(core::MillisecondsToNextSecond(ui::pcNow().time().msec()));
}

void HeadlessRecording::sampleTick() {
    armSampleTick();
    const meter::ReadoutState& readout = session_->readout().state();
    // Only a reading rendered from a fresh frame is recorded: nothing before the first frame,
    // while the link is lost, or while the line was held.
    if (readout.RenderedTick == 0 || !meter::ReadingIsFresh(readout)) return;
    if (!core::MeterIsMeasuring(readout.MeterReading)) {
        // Unattended, a key pressed on the meter must not end the recording: it waits.
        if (!measuringNoticeShown_)
            say(err_, QStringLiteral("%1: the meter does not show its measuring screen; no "
                                     "samples until it does.")
                          .arg(clockText(ui::pcNow())));
        measuringNoticeShown_ = true;
        return;
    }
    measuringNoticeShown_ = false;
    const QDateTime now = ui::pcNow();
    const long long second = now.toSecsSinceEpoch();
    if (!core::SampleIsDue(schedule_, second, options_.interval)) return;
    const QDate date = now.date();
    const QTime time = now.time();
    core::RecordRow row =
        core::SampleRow(readout.Display, readout.MeterReading,
                        core::recordDateText(date.year(), date.month(), date.day()),
                        core::recordTimeText(time.hour(), time.minute(), time.second()));
    const long number = ++counted_;
    row.cells[0] = core::recordNumberText(number);
    std::string line = row.recordingFileLine();
    writer_->append(line, number);
    core::SampleTaken(schedule_, second, true);
    showSample(line);
}

void HeadlessRecording::showSample(const std::string& line) {
    QString shown = QString::fromStdString(line).trimmed();
    shown.remove(QLatin1Char('"'));
    if (!onTerminal_) {
        say(out_, shown);
        return;
    }
    // One status line, rewritten in place: the count, the last reading and the time.
    const QStringList cells = shown.split(QLatin1Char('\t'));
    const auto cell = [&cells](int i) { return i < cells.size() ? cells[i] : QString(); };
    const QString status = QStringLiteral("%1 lines in %2 | %3 %4  %5 %6 | %7 %8")
                               .arg(counted_)
                               .arg(QFileInfo(options_.file).fileName(), cell(3), cell(4), cell(5),
                                    cell(6), cell(1), cell(2));
    std::fprintf(out_, "\r%s\x1b[K", qPrintable(status));
    std::fflush(out_);
}

void HeadlessRecording::onLinkLost() {
    lostSince_ = ui::pcNow().toSecsSinceEpoch();
    if (onTerminal_) std::fputc('\n', out_);
    say(err_, QStringLiteral("%1: the meter does not answer (No Com); probing until it does.")
                  .arg(clockText(ui::pcNow())));
}

void HeadlessRecording::onLinkRestored() {
    const QDateTime now = ui::pcNow();
    say(err_, QStringLiteral("%1: the meter answers again, after %2 s without it.")
                  .arg(clockText(now))
                  .arg(now.toSecsSinceEpoch() - lostSince_));
}

void HeadlessRecording::stop(int exitCode) {
    if (stopped_) return;
    stopped_ = true;
    exitCode_ = exitCode;
    if (session_) session_->poll().stop();
    sampleTimer_.stop();
    durationTimer_.stop();
    if (writer_) {
        writer_->end();
        // Waits (a few seconds at most for a stalled disk) until every line handed over is
        // written and forced to disk.
        writer_->waitUntilSettled(10000);
    }
    if (session_) session_->end();
    if (onTerminal_ && counted_ > 0) std::fputc('\n', out_);
    if (writer_)
        say(err_, QStringLiteral("Recorded %1 lines into %2.").arg(counted_).arg(options_.file));
    if (meter_) meter_->stop();
    QCoreApplication::exit(exitCode_);
}

void StopOnSignals(HeadlessRecording& recording) {
    if (signalPipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &recording);
    QObject::connect(notifier, &QSocketNotifier::activated, &recording, [&recording] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = ::read(signalPipe[0], &byte, 1);
        recording.stop(kRecordDone);
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

}  // namespace app
