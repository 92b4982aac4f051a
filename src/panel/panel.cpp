#include "panel/panel.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

#include "core/recording_notice.h"
#include "link/port_failure.h"
#include "link/rs232.h"
#include "link/serial_line.h"
#include "link/transaction_queue.h"
#include "meter/display_poll.h"
#include "meter/readout.h"
#include "panel/clock_setting.h"
#include "panel/field_sizes.h"
#include "panel/keypad.h"
#include "panel/panel_icons.h"
#include "panel/segment_display.h"
#include "ui/accessible_name.h"
#include "ui/dialogs.h"
#include "ui/pc_clock.h"

namespace panel {
namespace {

const char* kLcdStyle =
    "#Shape2 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #cfd9bf, stop:1 #b7c4a6);"
    " border: 3px solid #3a3d40; border-radius: 10px; }"
    "#Shape2 QLabel { color: #1c261c; background: transparent; }";

const char* kBodyStyle =
    "#Shape1 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #5b6168, stop:1 #3e4349);"
    " border: 2px solid #2a2d31; border-radius: 14px; }"
    "#Shape1 > QLabel { color: #e8ecef; }"
    "#Shape3 { background: transparent; }";

PanelIcon keyPicture(const QString& name) {
    if (name == "CmdC") return PanelIcon::KeyCelsius;
    if (name == "CmdF") return PanelIcon::KeyFahrenheit;
    if (name == "CmdEnter") return PanelIcon::KeyEnter;
    if (name == "CmdLeft") return PanelIcon::KeyLeft;
    if (name == "CmdRight") return PanelIcon::KeyRight;
    if (name == "CmdUp") return PanelIcon::KeyUp;
    return PanelIcon::KeyDown;
}

}  // namespace

Panel::Panel(serial::SerialLine* line, serial::TransactionQueue* queue, meter::DisplayPoll* poll,
             const meter::Readout* readout, QWidget* parent)
    : QWidget(parent), line_(line), queue_(queue), poll_(poll), readout_(readout) {
    ui::setWidgetName(this, "Panel");
    setWindowTitle("Panel V7.0");
    setAttribute(Qt::WA_DeleteOnClose);

    connect(readout_, &meter::Readout::rendered, this, &Panel::applyState);
    connect(readout_, &meter::Readout::linkLost, this, &Panel::onLinkLost);
    connect(readout_, &meter::Readout::linkRestored, this, &Panel::onLinkRestored);

    auto* outer = new QVBoxLayout(this);
    auto* body = ui::named(new QFrame(this), "Shape1");
    body->setStyleSheet(kBodyStyle);
    auto* bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(18, 14, 18, 18);
    auto* title = ui::named(new QLabel("pH / ORP / Temperature Meter", body), "Label1");
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    bodyLayout->addWidget(title);

    auto* lcd = ui::named(new QFrame(body), "Shape2");
    lcd->setStyleSheet(kLcdStyle);
    buildDisplay(lcd);
    bodyLayout->addWidget(lcd);
    auto* line2 = ui::named(new QFrame(body), "Line2");
    line2->setFrameShape(QFrame::HLine);
    bodyLayout->addWidget(line2);
    bodyLayout->addWidget(buildKeypad());
    outer->addWidget(body);
    auto* line3 = ui::named(new QFrame(this), "Line3");
    line3->setFrameShape(QFrame::HLine);
    outer->addWidget(line3);
    outer->addWidget(buildToolButtons());
    outer->addWidget(buildStatus());

    // Marks keep their place in the layout when hidden, like the segments of a display.
    for (QWidget* w : std::initializer_list<QWidget*>{
             c_.LblAuto, c_.LblA, c_.LblM, c_.LblR, c_.LblCal, c_.LblAdj, c_.LblTest, c_.LblDate,
             c_.LblBt, c_.LblUOver, c_.LblUUnder, c_.LblDOver, c_.LblDUnder, c_.Lbl232}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }
    // Every fixed field gets room for the widest text it can show before its size is frozen.
    reserveRoomFor(c_.LblUpValue, widestUpperValues());
    reserveRoomFor(c_.LblDownLeftValue, widestLowerValues());
    reserveRoomFor(c_.LblDownRightValue, widestSmallValues());
    reserveRoomFor(c_.LblUpUnit, mainUnits());
    reserveRoomFor(c_.Lblfc, temperatureUnits());
    reserveRoomFor(c_.LblAuto, compensationTexts());
    // The instrument keeps the shape of its design: the window is not stretched.
    outer->setSizeConstraint(QLayout::SetFixedSize);
    // Shown exactly while a recording runs.
    c_.RecordingLbl->hide();
}

Panel::~Panel() = default;

void Panel::buildDisplay(QFrame* lcd) {
    auto* grid = new QGridLayout(lcd);
    grid->setContentsMargins(14, 8, 14, 10);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(2);
    const QColor ink(0x1c, 0x26, 0x1c);

    auto smallLabel = [&](const QString& name, const QString& text) {
        auto* l = ui::named(new QLabel(text, lcd), name);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        return l;
    };
    auto icon = [&](const QString& name, PanelIcon which) {
        auto* l = ui::named(new QLabel(lcd), name);
        l->setPixmap(iconPixmap(which, 22, ink));
        l->setFixedSize(24, 24);
        return l;
    };

    // Annunciator strip.
    auto* marks = new QHBoxLayout;
    marks->addWidget(c_.LblA = smallLabel("LblA", "A"));
    marks->addWidget(c_.LblM = smallLabel("LblM", "M"));
    marks->addWidget(c_.LblR = smallLabel("LblR", "R"));
    marks->addWidget(c_.LblCal = smallLabel("LblCal", "cal"));
    marks->addWidget(c_.LblAdj = icon("LblAdj", PanelIcon::Adjust));
    marks->addWidget(c_.LblTest = icon("LblTest", PanelIcon::Test));
    marks->addStretch();
    marks->addWidget(c_.LblDate = icon("LblDate", PanelIcon::Date));
    marks->addWidget(c_.LblBt = icon("LblBt", PanelIcon::Battery));
    grid->addLayout(marks, 0, 0, 1, 5);

    // Upper value with its alarm marks and unit.
    auto* upperMarks = new QVBoxLayout;
    upperMarks->addWidget(c_.LblUOver = smallLabel("LblUOver", "OVER"));
    upperMarks->addWidget(c_.LblUUnder = smallLabel("LblUUnder", "UNDER"));
    grid->addLayout(upperMarks, 1, 0);
    c_.LblUpValue = ui::named(new SegmentDisplay(lcd), "LblUpValue");
    c_.LblUpValue->setText("9999");
    c_.LblUpValue->setDigitHeight(64);
    grid->addWidget(c_.LblUpValue, 1, 1, 1, 3);
    c_.LblUpUnit = smallLabel("LblUpUnit", "mV");
    QFont unitFont = c_.LblUpUnit->font();
    unitFont.setPointSizeF(unitFont.pointSizeF() * 1.6);
    c_.LblUpUnit->setFont(unitFont);
    c_.LblUpUnit->setMinimumWidth(40);
    grid->addWidget(c_.LblUpUnit, 1, 4, Qt::AlignBottom);

    auto* line1 = ui::named(new QFrame(lcd), "Line1");
    line1->setFrameShape(QFrame::HLine);
    grid->addWidget(line1, 2, 0, 1, 5);

    // Lower value, its unit, the compensation text and the 2-digit field.
    auto* lowerMarks = new QVBoxLayout;
    lowerMarks->addWidget(c_.LblDOver = smallLabel("LblDOver", "OVER"));
    lowerMarks->addWidget(c_.LblDUnder = smallLabel("LblDUnder", "UNDER"));
    grid->addLayout(lowerMarks, 3, 0);
    c_.LblDownLeftValue = ui::named(new SegmentDisplay(lcd), "LblDownLeftValue");
    c_.LblDownLeftValue->setText("199.99");
    c_.LblDownLeftValue->setDigitHeight(40);
    grid->addWidget(c_.LblDownLeftValue, 3, 1);
    auto* unitBox = new QVBoxLayout;
    c_.Lblfc = smallLabel("Lblfc", "'F");
    c_.Lblfc->setFont(unitFont);
    unitBox->addWidget(c_.Lblfc);
    unitBox->addWidget(c_.LblAuto = smallLabel("LblAuto", "ATC"));
    grid->addLayout(unitBox, 3, 2);
    c_.LblDownRightValue = ui::named(new SegmentDisplay(lcd), "LblDownRightValue");
    c_.LblDownRightValue->setText("99");
    c_.LblDownRightValue->setDigitHeight(28);
    grid->addWidget(c_.LblDownRightValue, 3, 3, Qt::AlignBottom);

    // Segment-test digits in the corner: decoration that never changes.
    auto* lcdDigits = new QHBoxLayout;
    for (int i = 1; i <= 4; ++i) {
        auto* digit = ui::named(new QLabel("9", lcd), QStringLiteral("Lcd%1").arg(i));
        digit->setStyleSheet("color: rgba(28, 38, 28, 60);");
        lcdDigits->addWidget(digit);
    }
    grid->addLayout(lcdDigits, 3, 4, Qt::AlignBottom | Qt::AlignRight);
    grid->setColumnStretch(1, 1);
}

QWidget* Panel::buildKeypad() {
    auto* pad = ui::named(new QFrame, "Shape3");
    auto* grid = new QGridLayout(pad);
    grid->setSpacing(6);
    // Keys in the layout of a bench meter's membrane keypad.
    const QStringList order = {"CmdpH",   "CmdmV",   "CmdC",      "CmdF",      "CmdCal",
                               "CmdMem",  "CmdRead", "CmdTest10", "CmdToggle", "CmdEnter",
                               "CmdLeft", "CmdUp",   "CmdDown",   "CmdRight"};
    int index = 0;
    for (const QString& name : order) {
        const MeterKey* key = nullptr;
        for (const MeterKey& k : kMeterKeys)
            if (name == k.name) key = &k;
        auto* button = ui::named(new QPushButton(QString::fromLatin1(key->caption), pad), name);
        if (QString::fromLatin1(key->caption).isEmpty()) {
            button->setIcon(keyIcon(keyPicture(name)));
            button->setIconSize(QSize(24, 24));
        }
        button->setToolTip(QString::fromUtf8(key->tooltip));
        button->setAccessibleName(QString::fromUtf8(key->tooltip));
        button->setMinimumSize(64, 34);
        button->setFocusPolicy(Qt::TabFocus);
        const std::uint8_t code = key->code;
        connect(button, &QPushButton::clicked, this, [this, code] { keyClicked(code); });
        grid->addWidget(button, index / 5, index % 5);
        ++index;
    }
    // Small decorative shapes: the keypad's corner rivets.
    for (int i = 4; i <= 7; ++i) {
        auto* rivet = ui::named(new QFrame(pad), QStringLiteral("Shape%1").arg(i));
        rivet->setFixedSize(6, 6);
        rivet->setStyleSheet("background: #2a2d31; border-radius: 3px;");
        rivet->hide();
    }
    return pad;
}

QWidget* Panel::buildToolButtons() {
    auto* box = new QWidget;
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    struct Tool {
        const char* name;
        const char* caption;
        QPushButton* Controls::*button;
        void (Panel::*handler)();
        const char* tooltip;
    };
    const Tool tools[] = {
        {"CmdPopen", "Open File", &Controls::CmdPopen, &Panel::CmdPopen_Click,
         "Open File \u2014 list a data file (stops a running recording)"},
        {"CmdPlist", "List", &Controls::CmdPlist, &Panel::CmdPlist_Click,
         "List \u2014 live list of the sampled readings"},
        {"CmdPpHG", "pH/mV", &Controls::CmdPpHG, &Panel::CmdPpHG_Click,
         "pH/mV \u2014 live graph of the pH or mV reading"},
        {"CmdPtempG", "C / F", &Controls::CmdPtempG, &Panel::CmdPtempG_Click,
         "C / F \u2014 live temperature graph"},
        {"CmdPSample", "Sampling", &Controls::CmdPSample, &Panel::CmdPSample_Click,
         "Sampling \u2014 seconds between two recorded samples"},
        {"CmdPsingle", "Single Rec", &Controls::CmdPsingle, &Panel::CmdPsingle_Click,
         "Single Rec / Multi Rec \u2014 the meter's stored records"},
        {"CmdPmul", "Multi Rec", &Controls::CmdPmul, &Panel::CmdPmul_Click,
         "Single Rec / Multi Rec \u2014 the meter's stored records"},
        {"CmdPsavestop", "Save As", &Controls::CmdPsavestop, &Panel::CmdPsavestop_Click,
         "Save As / Stop Rec \u2014 start recording the samples into a data file, or stop"},
        {"SSCommand1", "Alarm", &Controls::SSCommand1, &Panel::SSCommand1_Click,
         "Alarm \u2014 high and low limits for pH, mV and temperature"},
        {"MnuSystem", "Time Set", &Controls::MnuSystem, &Panel::MnuSystem_Click,
         "Time Set \u2014 set the meter's clock to this computer's"},
    };
    int index = 0;
    for (const Tool& tool : tools) {
        auto* button = ui::named(new QPushButton(tool.caption, box), tool.name);
        button->setToolTip(QString::fromUtf8(tool.tooltip));
        c_.*tool.button = button;
        connect(button, &QPushButton::clicked, this, tool.handler);
        grid->addWidget(button, index / 5, index % 5);
        ++index;
    }
    return box;
}

QWidget* Panel::buildStatus() {
    auto* box = new QWidget;
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    const QColor ink = palette().color(QPalette::WindowText);
    auto* pole = ui::named(new QLabel(box), "LblPole");
    pole->setPixmap(iconPixmap(PanelIcon::Pole, 32, ink));
    c_.Lbl232 = ui::named(new QLabel(box), "Lbl232");
    c_.Lbl232->setPixmap(iconPixmap(PanelIcon::Link232, 32, ink));
    c_.Lbl232->setToolTip(tr("The meter answers"));
    c_.LblComm = ui::named(new QLabel(box), "LblComm");
    QFont bold = c_.LblComm->font();
    bold.setBold(true);
    c_.LblComm->setFont(bold);
    grid->addWidget(pole, 0, 0, 3, 1);
    grid->addWidget(c_.Lbl232, 0, 1, 3, 1);
    grid->addWidget(c_.LblComm, 0, 2, 2, 1);
    // Back to the port choice, e.g. after the wrong port left the panel at "No Com".
    auto* port = ui::named(new QPushButton(tr("Port…"), box), "CmdPort");
    port->setFocusPolicy(Qt::TabFocus);
    connect(port, &QPushButton::clicked, this, &Panel::portChoiceRequested);
    grid->addWidget(port, 2, 2);
    c_.RecordingLbl = ui::named(new QLabel("Recording:", box), "RecordingLbl");
    c_.LblCount = ui::named(new QLabel(box), "LblCount");
    QPalette red = c_.LblCount->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    c_.RecordingLbl->setPalette(red);
    c_.LblCount->setPalette(red);
    c_.LblSample = ui::named(new QLabel(box), "LblSample");
    c_.LblFile = ui::named(new QLabel(box), "LblFile");
    grid->addWidget(c_.RecordingLbl, 0, 3);
    grid->addWidget(c_.LblCount, 0, 4);
    grid->addWidget(ui::named(new QLabel("Sampling:", box), "SampleLbl"), 1, 3);
    grid->addWidget(c_.LblSample, 1, 4);
    grid->addWidget(ui::named(new QLabel("File Name:", box), "FileLbl"), 2, 3);
    grid->addWidget(c_.LblFile, 2, 4);
    // How the last recording ended, until the next one starts.
    c_.LblRecordingNotice = ui::named(new QLabel(box), "LblRecordingNotice");
    c_.LblRecordingNotice->setPalette(red);
    c_.LblRecordingNotice->setWordWrap(true);
    c_.LblRecordingNotice->hide();
    grid->addWidget(c_.LblRecordingNotice, 3, 0, 1, 5);
    grid->setColumnStretch(4, 1);
    return box;
}

QLabel* Panel::label(const QString& name) const {
    return findChild<QLabel*>(name);
}

QPushButton* Panel::button(const QString& name) const {
    return findChild<QPushButton*>(name);
}

QTimer* Panel::timer1() const {
    return poll_->timer1();
}

QString Panel::comText() const {
    return line_->portCaption();
}

QString Panel::portFailureText() const {
    return serial::portFailureMessage(line_->deviceName(), line_->errorText());
}

bool Panel::Form_Load() {
    move(0, 0);
    const bool settingsOk = line_->setSettings("9600,n,8,1");
    if (!settingsOk || !line_->open()) {
        ui::dialogs().message(this, windowTitle(), portFailureText(), ui::Dialogs::Icon::None,
                              ui::Dialogs::Buttons::Ok);
        return false;
    }
    c_.LblComm->setText(comText());
    c_.LblSample->setText("2 sec");
    poll_->start();
    return true;
}

void Panel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (displayFrozen_) return;
    displayFrozen_ = true;
    // The display's fields keep the size of the first layout, like the cells of a real display:
    // a fixed-size widget whose text or visibility changes does not make the whole window lay
    // itself out again, which keeps the twice-a-second refresh cheap.
    ensurePolished();
    if (layout()) layout()->activate();
    for (QWidget* w : std::initializer_list<QWidget*>{
             c_.LblUpValue, c_.LblUpUnit, c_.LblDownLeftValue, c_.LblDownRightValue, c_.LblAuto,
             c_.Lblfc, c_.LblA, c_.LblM, c_.LblR, c_.LblCal, c_.LblAdj, c_.LblTest, c_.LblDate,
             c_.LblBt, c_.LblUOver, c_.LblUUnder, c_.LblDOver, c_.LblDUnder, c_.Lbl232})
        w->setFixedSize(w->size());
    // The notice wraps within the panel's width instead of widening it.
    c_.LblRecordingNotice->setMaximumWidth(c_.LblRecordingNotice->parentWidget()->width());
}

void Panel::applyState() {
    const core::PanelState& s = readout_->display();
    auto text = [](QLabel* label, const std::string& value) {
        label->setText(QString::fromStdString(value));
    };
    text(c_.LblUpValue, s.LblUpValue);
    text(c_.LblUpUnit, s.LblUpUnit);
    text(c_.LblDownLeftValue, s.LblDownLeftValue);
    text(c_.LblDownRightValue, s.LblDownRightValue);
    text(c_.LblAuto, s.LblAuto);
    text(c_.Lblfc, s.Lblfc);
    const std::pair<QWidget*, bool> visibility[] = {{c_.LblAuto, s.LblAutoVisible},
                                                    {c_.LblA, s.LblA},
                                                    {c_.LblM, s.LblM},
                                                    {c_.LblR, s.LblR},
                                                    {c_.LblCal, s.LblCal},
                                                    {c_.LblAdj, s.LblAdj},
                                                    {c_.LblTest, s.LblTest},
                                                    {c_.LblDate, s.LblDate},
                                                    {c_.LblBt, s.LblBt},
                                                    {c_.LblUOver, s.LblUOver},
                                                    {c_.LblUUnder, s.LblUUnder},
                                                    {c_.LblDOver, s.LblDOver},
                                                    {c_.LblDUnder, s.LblDUnder}};
    for (const auto& [widget, visible] : visibility) widget->setVisible(visible);
}

void Panel::setMeterButtonsEnabled(bool enabled) {
    for (QPushButton* b : {c_.CmdPsingle, c_.CmdPmul, c_.CmdPtempG, c_.CmdPpHG})
        b->setEnabled(enabled);
}

void Panel::onLinkLost() {
    c_.LblComm->setText("No Com");
    setMeterButtonsEnabled(false);
    c_.Lbl232->hide();
}

void Panel::onLinkRestored() {
    c_.LblComm->setText(comText());
    c_.Lbl232->show();
    setMeterButtonsEnabled(true);
}

void Panel::showRecording(bool recording) {
    c_.CmdPsavestop->setText(recording ? "Stop Rec" : "Save As");
    c_.RecordingLbl->setVisible(recording);
}

void Panel::showRecordCount(const QString& text) {
    c_.LblCount->setText(text);
}

void Panel::showFileName(const QString& text) {
    c_.LblFile->setText(text);
}

void Panel::showRecordingNotice(const QString& text) {
    c_.LblRecordingNotice->setText(text);
    c_.LblRecordingNotice->setToolTip(text);
    c_.LblRecordingNotice->setVisible(!text.isEmpty());
}

void Panel::setDownloadRunning(bool running) {
    downloadRunning_ = running;
    for (QPushButton* b : {c_.CmdPsingle, c_.CmdPmul, c_.MnuSystem}) b->setEnabled(!running);
}

void Panel::setMemoryWindowOpen(bool open) {
    for (QPushButton* b : {c_.CmdPsingle, c_.CmdPmul}) b->setEnabled(!open);
}

void Panel::setsListed() {
    c_.MnuSystem->setEnabled(true);
}

QString Panel::samplingIntervalText() const {
    return c_.LblSample->text();
}

void Panel::showSamplingInterval(const QString& text) {
    c_.LblSample->setText(text);
}

void Panel::keyClicked(std::uint8_t code) {
    queue_->submit(this, serial::Key(code));
}

void Panel::MnuSystem_Click() {
    // The clock is read when the frame goes to the line, not when the click was queued.
    serial::Transaction setClock = serial::Transaction::pause(0);
    setClock.then = [this](const serial::Answer&) {
        c_.LblComm->setText("Wait...");
        serial::Transaction write;
        write.flush = false;
        write.frame = clockSetFrame(ui::pcNow());
        write.then = [this](const serial::Answer&) {
            if (!readout_->isLinkLost()) c_.LblComm->setText(comText());
            return serial::Next::end();
        };
        return serial::Next::then(std::move(write));
    };
    queue_->submit(this, std::move(setClock));
}

void Panel::SSCommand1_Click() {
    emit alarmRequested();
}
void Panel::CmdPopen_Click() {
    emit openFileRequested();
}
void Panel::CmdPlist_Click() {
    emit liveListRequested();
}
void Panel::CmdPpHG_Click() {
    emit phMvGraphRequested();
}
void Panel::CmdPtempG_Click() {
    emit temperatureGraphRequested();
}
void Panel::CmdPSample_Click() {
    emit samplingIntervalRequested();
}
void Panel::CmdPsingle_Click() {
    emit singleRecordsRequested();
}
void Panel::CmdPmul_Click() {
    emit multiRecordsRequested();
}
void Panel::CmdPsavestop_Click() {
    emit saveOrStopRequested();
}
void Panel::closeEvent(QCloseEvent* event) {
    // A running download or recording is not ended without asking; the download is asked
    // about first, as a Yes for the recording already stops it.
    if (downloadRunning_ &&
        ui::dialogs().message(
            this, windowTitle(), QString::fromStdString(core::DownloadQuitQuestion()),
            ui::Dialogs::Icon::Question, ui::Dialogs::Buttons::YesNo) != ui::Dialogs::Answer::Yes) {
        event->ignore();
        return;
    }
    if (closeCheck_ && !closeCheck_()) {
        event->ignore();
        return;
    }
    event->accept();
    // Ends the program at once: every wait returns, every window closes with the port.
    emit closing();
}

}  // namespace panel
