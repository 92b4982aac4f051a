#include "memory/memory_window.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRect>
#include <QTimer>
#include <algorithm>

#include "core/memory_texts.h"
#include "link/transaction_queue.h"
#include "memory/memory.h"
#include "memory/memory_exchange.h"
#include "memory/memory_requests.h"
#include "memory/set_listing.h"
#include "memory/single_download.h"
#include "ui/accessible_name.h"
#include "ui/twips.h"
#include "ui/window_placement.h"

namespace memory {
namespace {

const QString kName = QStringLiteral("Memory");

// Window widths of the two modes and the client height, in twips. The widths are those of the
// whole window; the client area is the border narrower.
constexpr int kSingleModeWidth = 3120;
constexpr int kMultiModeWidth = 6000;
constexpr int kBorderWidth = 6000 - 5865;
constexpr int kClientHeight = 2850;

constexpr int kUnloadPauseMs = 200;

QRect twipsRect(int left, int top, int width, int height, const QWidget* w) {
    return {ui::twipsPoint(left, top, w), ui::twipsToPixels(width, height, w)};
}

template <class W>
W* placed(W* widget, const char* name, int left, int top, int width, int height) {
    ui::setWidgetName(widget, QString::fromLatin1(name));
    widget->setGeometry(twipsRect(left, top, width, height, widget));
    return widget;
}

QLabel* captionPanel(const QString& text, const char* name, int left, int top, QWidget* parent) {
    auto* panel = placed(new QLabel(text, parent), name, left, top, 1335, 375);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setAlignment(Qt::AlignCenter);
    return panel;
}

QLabel* valueLabel(const QString& text, const char* name, int left, int top, int width,
                   QWidget* parent) {
    auto* label = placed(new QLabel(text, parent), name, left, top, width, 495);
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 1.2);
    font.setBold(true);
    label->setFont(font);
    return label;
}

}  // namespace

MemoryWindow::MemoryWindow(Memory& memory, QWidget* panel, Mode mode)
    : memory_(memory), panel_(panel), mode_(mode) {
    ui::setWidgetName(this, kName);
    setWindowTitle(kName);
    setAttribute(Qt::WA_DeleteOnClose);
    build();
    setMode(mode);
    Form_Load();
}

MemoryWindow::~MemoryWindow() {
    if (!unloaded_) {
        unloaded_ = true;
        Form_Unload();
    }
}

void MemoryWindow::build() {
    SSPanel1 = captionPanel(QStringLiteral("MemorySize"), "SSPanel1", 120, 120, this);
    LblMemorySize = valueLabel(QStringLiteral("62 K"), "LblMemorySize", 120, 480, 1335, this);
    SSPanel2 = captionPanel(QStringLiteral("Remaining"), "SSPanel2", 1560, 120, this);
    LblRemaining = valueLabel(QString(), "LblRemaining", 1560, 480, 1335, this);
    CmdTimeofMeter = placed(new QPushButton(QStringLiteral("Time of Meter"), this),
                            "CmdTimeofMeter", 120, 1080, 2775, 375);
    LblTime = valueLabel(QString(), "LblTime", 120, 1440, 2775, this);
    CmdSingleRec = placed(new QPushButton(QStringLiteral("Single Record"), this), "CmdSingleRec",
                          120, 2040, 1335, 735);
    CmdSampling = placed(new QPushButton(QStringLiteral("Sampling"), this), "CmdSampling", 1560,
                         2040, 1335, 375);
    TxtSampling =
        placed(new QLineEdit(QStringLiteral("2 sec"), this), "TxtSampling", 1560, 2400, 1335, 375);
    LblTitle = placed(new QProgressBar(this), "LblTitle", 3000, 120, 2775, 375);
    LblTitle->setRange(0, 100);
    LblTitle->setValue(0);
    LblTitle->setAlignment(Qt::AlignCenter);
    Combo1 = new QComboBox(this);
    // A fixed-pitch font keeps the dates and counts of the entries in columns.
    Combo1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    placed(Combo1, "Combo1", 3000, 480, 2775, 0);
    // Wide enough for the widest entry: a one-digit set number with its ten blanks, the start
    // time, the twenty blanks and a count of up to five digits with a half record.
    Combo1->setMinimumContentsLength(
        int(QStringLiteral("1          00/00/00-----00:00:00                    99999.5 Records")
                .size()));
    Combo1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Combo1->resize(std::max(Combo1->width(), Combo1->sizeHint().width()),
                   Combo1->sizeHint().height());
    LblTitle->resize(Combo1->width(), LblTitle->height());

    connect(CmdTimeofMeter, &QPushButton::clicked, this, &MemoryWindow::CmdTimeofMeter_Click);
    connect(CmdSampling, &QPushButton::clicked, this, &MemoryWindow::CmdSampling_Click);
    connect(CmdSingleRec, &QPushButton::clicked, this, &MemoryWindow::CmdSingleRec_Click);
    connect(Combo1, &QComboBox::activated, this, &MemoryWindow::Combo1_Click);
}

void MemoryWindow::setMode(Mode mode) {
    const bool single = mode == Mode::Single;
    const int width = (single ? kSingleModeWidth : kMultiModeWidth) - kBorderWidth;
    QSize size = ui::twipsToPixels(width, kClientHeight, this);
    // Wide: the right column as wide as the set list, with the design's margin.
    if (!single)
        size.setWidth(std::max(size.width(), Combo1->geometry().right() + 1 +
                                                 ui::twipsToPixels(120, 0, this).width()));
    resize(size);
    CmdSingleRec->setVisible(single);
    LblTitle->setVisible(!single);
    Combo1->setVisible(!single);
    CmdSampling->setEnabled(false);
    TxtSampling->setEnabled(!single);
    // Opened wide only by the set download, which enables them once the dump is in.
    CmdTimeofMeter->setEnabled(single);
}

void MemoryWindow::setRemainingText(const QString& text) {
    LblRemaining->setText(text);
}

void MemoryWindow::setSetDumpRunning(bool running) {
    CmdSampling->setEnabled(!running);
    CmdTimeofMeter->setEnabled(!running);
    if (!running) TxtSampling->setEnabled(true);
}

void MemoryWindow::showDumpProgress(int percent) {
    LblTitle->setValue(percent);
}

void MemoryWindow::listSets(const QStringList& items) {
    Combo1->clear();
    Combo1->addItems(items);
    Combo1->setCurrentIndex(-1);
    // The entries are wider than the box: the list that drops down shows them whole.
    Combo1->view()->setMinimumWidth(Combo1->view()->sizeHintForColumn(0) + 24);
}

void MemoryWindow::setSingleDownloadRunning(bool running) {
    CmdSingleRec->setEnabled(!running);
}

void MemoryWindow::Form_Load() {
    ui::placeBesidePanel(this, panel_);
}

void MemoryWindow::Form_Resize() {
    emit memory_.windowOpenChanged(true);
    if (intervalRequestWaiting_ || unloaded_) return;
    intervalRequestWaiting_ = true;
    // Asked from the event loop, not from inside the resize: the request waits for the meter.
    QTimer::singleShot(0, this, &MemoryWindow::requestInterval);
}

void MemoryWindow::requestInterval() {
    if (unloaded_) return;
    QPointer<MemoryWindow> self(this);
    ReadLoggingInterval(memory_.queue(), this, [self](const Ending& ending, const QString& text) {
        if (!self) return;
        self->intervalRequestWaiting_ = false;
        if (self->unloaded_) return;
        if (!ending.isDone())
            ShowEnding(self, ending);
        else
            self->TxtSampling->setText(text);
    });
}

void MemoryWindow::Form_Unload() {
    emit memory_.windowOpenChanged(false);
    serial::Transaction back = serial::BackToDisplay();
    back.pauseBeforeMs = kUnloadPauseMs;
    memory_.queue().submit(panel_, std::move(back));
}

void MemoryWindow::CmdTimeofMeter_Click() {
    if (!panel_) return;
    QPointer<MemoryWindow> self(this);
    QPointer<QWidget> panel = panel_;
    ReadMeterClock(memory_.queue(), panel_,
                   [self, panel](const Ending& ending, const QString& text) {
                       if (!ending.isDone())
                           ShowEnding(self ? static_cast<QWidget*>(self) : panel.data(), ending);
                       else if (self)
                           self->LblTime->setText(text);
                   });
}

void MemoryWindow::CmdSampling_Click() {
    const std::optional<std::uint8_t> seconds =
        core::SamplingIntervalByte(TxtSampling->text().toStdString());
    if (!seconds) {
        ui::dialogs().message(this, kMessageTitle,
                              QString::fromLatin1(core::kSamplingRangeMessage.data(),
                                                  core::kSamplingRangeMessage.size()),
                              ui::Dialogs::Icon::None, ui::Dialogs::Buttons::Ok);
        return;
    }
    SendLoggingInterval(memory_.queue(), panel_, *seconds);
}

void MemoryWindow::CmdSingleRec_Click() {
    StartSingleDownload(memory_, panel_, this);
}

void MemoryWindow::Combo1_Click() {
    const int index = Combo1->currentIndex();
    if (index >= 0) ListRecordSet(memory_, index + 1);
}

void MemoryWindow::closeEvent(QCloseEvent* event) {
    if (!unloaded_) {
        unloaded_ = true;
        Form_Unload();
    }
    // A closed window is gone for everyone who asks for the open one, even before it is
    // destroyed.
    memory_.forget(this);
    event->accept();
}

void MemoryWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

}  // namespace memory
