#include "recording/sampler.h"

#include <QLabel>
#include <QPointer>
#include <optional>

#include "core/recording_notice.h"
#include "core/sample.h"
#include "core/sample_row.h"
#include "core/sampling_interval.h"
#include "files/files.h"
#include "files/real_time_list.h"
#include "meter/readout.h"
#include "panel/panel.h"
#include "recording/live_graphs.h"
#include "recording/recorder.h"
#include "ui/dialogs.h"
#include "ui/pc_clock.h"

namespace recording {

namespace {

QString fromStd(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// The one place the sampling reads the meter's readout: the sample the panel shows now, unless
// nothing it shows comes from the meter or it is older than the previous poll tick (the line
// was held by a download, or the meter is about to be lost). Stamped with the tick's time once
// it falls due.
std::optional<core::Sample> freshSample(const meter::Readout& readout) {
    if (!readout.isFresh()) return std::nullopt;
    return core::MakeSample(readout.display(), readout.reading(), {}, {});
}

void stamp(core::Sample& sample, const QDateTime& now) {
    const QDate date = now.date();
    const QTime time = now.time();
    sample.date = core::recordDateText(date.year(), date.month(), date.day());
    sample.time = core::recordTimeText(time.hour(), time.minute(), time.second());
}

}  // namespace

void CloseLiveWindows(LiveGraphs& graphs, files::Files& files) {
    graphs.PhMvGraphOpen = false;
    graphs.TempGraphOpen = false;
    graphs.closeGraph(core::Quantity::Ph);
    graphs.closeGraph(core::Quantity::Mv);
    graphs.closeGraph(core::Quantity::Temperature);
    if (files::RealTimeList* list = files.findRealTimeList()) list->close();
}

Sampler::Sampler(panel::Panel* panel, const meter::Readout& readout, Recorder& recorder,
                 LiveGraphs& graphs, files::Files& files)
    : QObject(panel),
      panel_(panel),
      readout_(readout),
      recorder_(recorder),
      graphs_(graphs),
      files_(files) {}

void Sampler::Timer2_Timer() {
    Recorder& s = recorder_;
    std::optional<core::Sample> sample = freshSample(readout_);
    // A sample that falls due without a fresh reading is taken on the first tick with one.
    if (!sample) return;
    const core::MeterReading& reading = sample->reading;
    if (!core::MeterIsMeasuring(reading)) {
        CloseLiveWindows(graphs_, files_);
        recorder_.StopRecording(core::StopForScreen(reading));
        return;
    }
    const QDateTime now = ui::pcNow();
    const long long second = now.toSecsSinceEpoch();
    if (!core::SampleIsDue(s.Schedule, second, s.SamplingInterval)) return;

    // One sample, to the recording file, the live list and the live graphs in that order.
    stamp(*sample, now);
    const core::RecordRow row = core::SampleRow(*sample);
    recorder_.RecordSample(row);
    files_.AppendLiveSample(row);
    // A first point of a trace ends the tick before it counts: the next tick samples again.
    const bool endedEarly = (graphs_.PhMvGraphOpen && graphs_.UpdatePhMvGraph(*sample)) ||
                            (graphs_.TempGraphOpen && graphs_.UpdateTemperatureGraph(*sample));
    core::SampleTaken(s.Schedule, second, !endedEarly);
}

void Sampler::CmdPSample_Click() {
    Recorder& s = recorder_;
    const QPointer<Sampler> self(this);
    const QString answer = ui::dialogs().input(
        panel_, fromStd(core::kSamplingInputTitle),
        fromStd(core::kSamplingPromptFirstLine) + QLatin1Char('\n') +
            fromStd(core::kSamplingPromptSecondLine),
        QString::fromStdString(core::SamplingDefaultAnswer(s.SamplingInterval)));
    // The panel (and this sampler with it) may be closed while the box stands.
    if (!self) return;
    const core::SamplingAnswer parsed = core::ParseSamplingAnswer(answer.toStdString());
    switch (parsed.outcome) {
        case core::SamplingAnswer::Outcome::Unchanged:
            return;
        case core::SamplingAnswer::Outcome::Rejected:
            ui::dialogs().message(
                panel_, fromStd(core::kSamplingInputTitle),
                QStringLiteral("%1\n\nThe sampling time is a whole number of seconds from 1 to "
                               "86400; it stays %2.")
                    .arg(QString::fromStdString(parsed.reason), panel_->samplingIntervalText()),
                ui::Dialogs::Icon::Warning, ui::Dialogs::Buttons::Ok);
            return;
        case core::SamplingAnswer::Outcome::Set:
            break;
    }
    s.SamplingInterval = parsed.interval;
    panel_->showSamplingInterval(
        QString::fromStdString(core::SamplingIntervalCaption(parsed.interval)));
    s.Schedule.atOnce = true;
}

}  // namespace recording
