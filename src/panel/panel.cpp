#include "panel/panel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QShowEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "alarm/alarm_state.h"
#include "link/rs232.h"
#include "link/serial_line.h"
#include "meter/display_poll.h"
#include "panel/clock_setting.h"
#include "panel/clock_source.h"
#include "panel/keypad.h"
#include "panel/panel_icons.h"
#include "panel/segment_display.h"
#include "ui/accessible_name.h"
#include "ui/dialogs.h"

namespace panel {
namespace {

QPointer<Panel> theInstance;

constexpr int kPollIntervalMs = 500;
constexpr int kSampleIntervalMs = 950;

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

const QStringList& Panel::lostLinkWindows() {
    static const QStringList names = {"DataList",   "FileList",     "ListPlot1",   "ListPlot2",
                                      "ListPlot11", "Memory",       "Plot1Range",  "Plot11Range",
                                      "Plot2Range", "RealTime1",    "RealTime1_1", "RealTime2",
                                      "Real1Range", "Real1_1Range", "Real2Range",  "RealTimeList"};
    return names;
}

Panel* Panel::instance() {
    return theInstance;
}

template <class W>
W* Panel::add(W* widget, const QString& name) {
    ui::setWidgetName(widget, name);
    widgets_.insert(name, widget);
    return widget;
}

Panel::Panel(serial::SerialLine* line, QWidget* parent)
    : QWidget(parent), line_(line), poll_(new meter::DisplayPoll(this)) {
    theInstance = this;
    line_->setParent(this);
    ui::setWidgetName(this, "Panel");
    setWindowTitle("Panel V7.0");
    setAttribute(Qt::WA_DeleteOnClose);

    timer1_ = new QTimer(this);
    timer1_->setObjectName("Timer1");
    timer1_->setInterval(kPollIntervalMs);
    timer2_ = new QTimer(this);
    timer2_->setObjectName("Timer2");
    timer2_->setInterval(kSampleIntervalMs);
    connect(timer1_, &QTimer::timeout, poll_, &meter::DisplayPoll::Timer1_Timer);
    connect(timer2_, &QTimer::timeout, this, &Panel::Timer2_Timer);
    connect(poll_, &meter::DisplayPoll::rendered, this, &Panel::applyState);
    connect(poll_, &meter::DisplayPoll::linkLost, this, &Panel::onLinkLost);
    connect(poll_, &meter::DisplayPoll::linkRestored, this, &Panel::onLinkRestored);
    poll_->setAlarmLimits(&Alarm::AlarmLimits);

    auto* outer = new QVBoxLayout(this);
    auto* body = add(new QFrame(this), "Shape1");
    body->setStyleSheet(kBodyStyle);
    auto* bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(18, 14, 18, 18);
    auto* title = add(new QLabel("pH / ORP / Temperature Meter", body), "Label1");
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    bodyLayout->addWidget(title);

    auto* lcd = add(new QFrame(body), "Shape2");
    lcd->setStyleSheet(kLcdStyle);
    buildDisplay(lcd);
    bodyLayout->addWidget(lcd);
    auto* line2 = add(new QFrame(body), "Line2");
    line2->setFrameShape(QFrame::HLine);
    bodyLayout->addWidget(line2);
    bodyLayout->addWidget(buildKeypad());
    outer->addWidget(body);
    auto* line3 = add(new QFrame(this), "Line3");
    line3->setFrameShape(QFrame::HLine);
    outer->addWidget(line3);
    outer->addWidget(buildToolButtons());
    outer->addWidget(buildStatus());

    // Marks keep their place in the layout when hidden, like the segments of a display.
    for (const char* name : {"LblAuto", "LblA", "LblM", "LblR", "LblCal", "LblAdj", "LblTest",
                             "LblDate", "LblBt", "LblUOver", "LblUUnder", "LblDOver", "LblDUnder",
                             "Lbl232"}) {
        QWidget* w = widgets_.value(name);
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }

    timer2_->start();
}

Panel::~Panel() {
    Rs232::setTimer1(nullptr);
    if (Rs232::Comm1() == line_) Rs232::setComm1(nullptr);
}

void Panel::buildDisplay(QWidget* lcd) {
    auto* grid = new QGridLayout(lcd);
    grid->setContentsMargins(14, 8, 14, 10);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(2);
    const QColor ink(0x1c, 0x26, 0x1c);

    auto smallLabel = [&](const QString& name, const QString& text) {
        auto* l = add(new QLabel(text, lcd), name);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        return l;
    };
    auto icon = [&](const QString& name, PanelIcon which) {
        auto* l = add(new QLabel(lcd), name);
        l->setPixmap(iconPixmap(which, 22, ink));
        l->setFixedSize(24, 24);
        return l;
    };

    // Annunciator strip.
    auto* marks = new QHBoxLayout;
    marks->addWidget(smallLabel("LblA", "A"));
    marks->addWidget(smallLabel("LblM", "M"));
    marks->addWidget(smallLabel("LblR", "R"));
    marks->addWidget(smallLabel("LblCal", "cal"));
    marks->addWidget(icon("LblAdj", PanelIcon::Adjust));
    marks->addWidget(icon("LblTest", PanelIcon::Test));
    marks->addStretch();
    marks->addWidget(icon("LblDate", PanelIcon::Date));
    marks->addWidget(icon("LblBt", PanelIcon::Battery));
    grid->addLayout(marks, 0, 0, 1, 5);

    // Upper value with its alarm marks and unit.
    auto* upperMarks = new QVBoxLayout;
    upperMarks->addWidget(smallLabel("LblUOver", "OVER"));
    upperMarks->addWidget(smallLabel("LblUUnder", "UNDER"));
    grid->addLayout(upperMarks, 1, 0);
    auto* upValue = add(new SegmentDisplay(lcd), "LblUpValue");
    upValue->setText("9999");
    upValue->setDigitHeight(64);
    grid->addWidget(upValue, 1, 1, 1, 3);
    auto* upUnit = smallLabel("LblUpUnit", "mV");
    QFont unitFont = upUnit->font();
    unitFont.setPointSizeF(unitFont.pointSizeF() * 1.6);
    upUnit->setFont(unitFont);
    upUnit->setMinimumWidth(40);
    grid->addWidget(upUnit, 1, 4, Qt::AlignBottom);

    auto* line1 = add(new QFrame(lcd), "Line1");
    line1->setFrameShape(QFrame::HLine);
    grid->addWidget(line1, 2, 0, 1, 5);

    // Lower value, its unit, the compensation text and the 2-digit field.
    auto* lowerMarks = new QVBoxLayout;
    lowerMarks->addWidget(smallLabel("LblDOver", "OVER"));
    lowerMarks->addWidget(smallLabel("LblDUnder", "UNDER"));
    grid->addLayout(lowerMarks, 3, 0);
    auto* downLeft = add(new SegmentDisplay(lcd), "LblDownLeftValue");
    downLeft->setText("199.99");
    downLeft->setDigitHeight(40);
    grid->addWidget(downLeft, 3, 1);
    auto* unitBox = new QVBoxLayout;
    auto* fc = smallLabel("Lblfc", "'F");
    fc->setFont(unitFont);
    unitBox->addWidget(fc);
    unitBox->addWidget(smallLabel("LblAuto", "ATC"));
    grid->addLayout(unitBox, 3, 2);
    auto* downRight = add(new SegmentDisplay(lcd), "LblDownRightValue");
    downRight->setText("99");
    downRight->setDigitHeight(28);
    grid->addWidget(downRight, 3, 3, Qt::AlignBottom);

    // Segment-test digits in the corner: decoration that never changes.
    auto* lcdDigits = new QHBoxLayout;
    for (int i = 1; i <= 4; ++i) {
        auto* digit = add(new QLabel("9", lcd), QStringLiteral("Lcd%1").arg(i));
        digit->setStyleSheet("color: rgba(28, 38, 28, 60);");
        lcdDigits->addWidget(digit);
    }
    grid->addLayout(lcdDigits, 3, 4, Qt::AlignBottom | Qt::AlignRight);
    grid->setColumnStretch(1, 1);
}

QWidget* Panel::buildKeypad() {
    auto* pad = add(new QFrame, "Shape3");
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
        auto* button = add(new QPushButton(QString::fromLatin1(key->caption), pad), name);
        if (QString::fromLatin1(key->caption).isEmpty()) {
            button->setIcon(keyIcon(keyPicture(name)));
            button->setIconSize(QSize(24, 24));
        }
        button->setToolTip(QString::fromLatin1(key->tooltip));
        button->setAccessibleName(QString::fromLatin1(key->tooltip));
        button->setMinimumSize(64, 34);
        button->setFocusPolicy(Qt::TabFocus);
        const int code = key->code;
        connect(button, &QPushButton::clicked, this, [this, code] { keyClicked(code); });
        grid->addWidget(button, index / 5, index % 5);
        ++index;
    }
    // Small decorative shapes: the keypad's corner rivets.
    for (int i = 4; i <= 7; ++i) {
        auto* rivet = add(new QFrame(pad), QStringLiteral("Shape%1").arg(i));
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
    const QList<QPair<QString, QString>> tools = {
        {"CmdPopen", "Open File"}, {"CmdPlist", "List"},        {"CmdPpHG", "pH/mV"},
        {"CmdPtempG", "C / F"},    {"CmdPSample", "Sampling"},  {"CmdPsingle", "Single Rec"},
        {"CmdPmul", "Multi Rec"},  {"CmdPsavestop", "Save As"}, {"SSCommand1", "Alarm"},
        {"MnuSystem", "Time Set"}};
    int index = 0;
    for (const auto& [name, caption] : tools) {
        auto* button = add(new QPushButton(caption, box), name);
        grid->addWidget(button, index / 5, index % 5);
        ++index;
    }
    connect(button("MnuSystem"), &QPushButton::clicked, this, &Panel::MnuSystem_Click);
    connect(button("SSCommand1"), &QPushButton::clicked, this, &Panel::SSCommand1_Click);
    return box;
}

QWidget* Panel::buildStatus() {
    auto* box = new QWidget;
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    const QColor ink = palette().color(QPalette::WindowText);
    auto* pole = add(new QLabel(box), "LblPole");
    pole->setPixmap(iconPixmap(PanelIcon::Pole, 32, ink));
    auto* link232 = add(new QLabel(box), "Lbl232");
    link232->setPixmap(iconPixmap(PanelIcon::Link232, 32, ink));
    link232->setToolTip(tr("The meter answers"));
    auto* comm = add(new QLabel(box), "LblComm");
    QFont bold = comm->font();
    bold.setBold(true);
    comm->setFont(bold);
    grid->addWidget(pole, 0, 0, 3, 1);
    grid->addWidget(link232, 0, 1, 3, 1);
    grid->addWidget(comm, 0, 2, 3, 1);
    grid->addWidget(add(new QLabel("Recording:", box), "RecordingLbl"), 0, 3);
    grid->addWidget(add(new QLabel(box), "LblCount"), 0, 4);
    grid->addWidget(add(new QLabel("Sampling:", box), "SampleLbl"), 1, 3);
    grid->addWidget(add(new QLabel(box), "LblSample"), 1, 4);
    grid->addWidget(add(new QLabel("File Name:", box), "FileLbl"), 2, 3);
    grid->addWidget(add(new QLabel(box), "LblFile"), 2, 4);
    grid->setColumnStretch(4, 1);
    return box;
}

QLabel* Panel::label(const QString& name) const {
    return qobject_cast<QLabel*>(widgets_.value(name));
}

QPushButton* Panel::button(const QString& name) const {
    return qobject_cast<QPushButton*>(widgets_.value(name));
}

QString Panel::comText() const {
    return QStringLiteral("Com%1").arg(Rs232::CommPortNumber);
}

bool Panel::Form_Load() {
    move(0, 0);
    Rs232::setComm1(line_);
    Rs232::setTimer1(timer1_);
    line_->setPortNumber(Rs232::CommPortNumber);
    const bool settingsOk = line_->setSettings("9600,n,8,1");
    if (!settingsOk || !line_->open()) {
        ui::dialogs().message(this, windowTitle(), "No device found, try again!",
                              ui::Dialogs::Icon::None, ui::Dialogs::Buttons::Ok);
        Rs232::RequestShutdown();
        return false;
    }
    label("LblComm")->setText(comText());
    label("LblSample")->setText("2 sec");
    Alarm::ResetAlarmLimits();
    timer1_->start();
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
    for (const char* name : {"LblUpValue", "LblUpUnit", "LblDownLeftValue", "LblDownRightValue",
                             "LblAuto", "Lblfc", "LblA", "LblM", "LblR", "LblCal", "LblAdj",
                             "LblTest", "LblDate", "LblBt", "LblUOver", "LblUUnder", "LblDOver",
                             "LblDUnder", "Lbl232"}) {
        QWidget* w = widgets_.value(name);
        w->setFixedSize(w->size());
    }
}

void Panel::applyState() {
    const core::PanelState& s = poll_->panelState();
    auto text = [this](const char* name, const std::string& value) {
        label(name)->setText(QString::fromStdString(value));
    };
    text("LblUpValue", s.LblUpValue);
    text("LblUpUnit", s.LblUpUnit);
    text("LblDownLeftValue", s.LblDownLeftValue);
    text("LblDownRightValue", s.LblDownRightValue);
    text("LblAuto", s.LblAuto);
    text("Lblfc", s.Lblfc);
    const QList<QPair<const char*, bool>> visibility = {{"LblAuto", s.LblAutoVisible},
                                                        {"LblA", s.LblA},
                                                        {"LblM", s.LblM},
                                                        {"LblR", s.LblR},
                                                        {"LblCal", s.LblCal},
                                                        {"LblAdj", s.LblAdj},
                                                        {"LblTest", s.LblTest},
                                                        {"LblDate", s.LblDate},
                                                        {"LblBt", s.LblBt},
                                                        {"LblUOver", s.LblUOver},
                                                        {"LblUUnder", s.LblUUnder},
                                                        {"LblDOver", s.LblDOver},
                                                        {"LblDUnder", s.LblDUnder}};
    for (const auto& [name, visible] : visibility) widgets_.value(name)->setVisible(visible);
}

void Panel::setMeterButtonsEnabled(bool enabled) {
    for (const char* name : {"CmdPsingle", "CmdPmul", "CmdPtempG", "CmdPpHG"})
        button(name)->setEnabled(enabled);
}

void Panel::onLinkLost() {
    label("LblComm")->setText("No Com");
    setMeterButtonsEnabled(false);
    label("Lbl232")->hide();
    for (const QString& name : lostLinkWindows()) {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->objectName() == name && window->isVisible()) window->close();
        }
    }
}

void Panel::onLinkRestored() {
    label("LblComm")->setText(comText());
    label("Lbl232")->show();
    setMeterButtonsEnabled(true);
}

void Panel::keyClicked(int code) {
    Rs232::timer1Off();
    Rs232::SendKey(code);
    Rs232::timer1On();
}

void Panel::MnuSystem_Click() {
    label("LblComm")->setText("Wait...");
    const QByteArray frame = clockSetFrame(currentDateTime());
    Rs232::timer1Off();
    Rs232::Output(frame);
    label("LblComm")->setText(comText());
    Rs232::timer1On();
}

void Panel::SSCommand1_Click() {
    emit alarmRequested();
}

void Panel::Timer2_Timer() {
    // The sampling tick of the recording; it reads what the display poll has rendered.
}

void Panel::closeEvent(QCloseEvent* event) {
    event->accept();
    // Ends the program at once: every wait returns, every window closes with the port.
    Rs232::RequestShutdown();
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != this && window->isVisible()) window->close();
}

}  // namespace panel
