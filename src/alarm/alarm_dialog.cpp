#include "alarm/alarm_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <charconv>
#include <string>

#include "alarm/alarm.h"
#include "core/protocol.h"
#include "core/text_rules.h"
#include "link/rs232.h"
#include "link/transaction_queue.h"
#include "ui/accessible_name.h"
#include "ui/dialogs.h"

namespace alarms {

namespace {

using Limits = core::AlarmLimits;

// Everything that tells the four quantities apart: widget names, the fields they edit, the
// meter key that selects the unit, and the quantity that excludes it.
struct RowSpec {
    const char* box;
    const char* caption;
    const char* highPanel;
    const char* lowPanel;
    const char* high;
    const char* low;
    double Limits::*highLimit;
    double Limits::*lowLimit;
    bool Limits::*on;
    std::uint8_t keyCode;
    int partner;
};

// In key order: pH, mV, 'C, 'F (the meter's pH, mV, 'C and 'F keys).
constexpr RowSpec kRows[] = {
    {"Ckp", "pH", "PpH", "PpL", "TpH", "TpL", &Limits::PhHigh, &Limits::PhLow, &Limits::PhAlarmOn,
     core::protocol::key::kPh, 1},
    {"Ckm", "mV", "PmH", "PmL", "TmH", "TmL", &Limits::MvHigh, &Limits::MvLow, &Limits::MvAlarmOn,
     core::protocol::key::kMv, 0},
    {"CkC", "Celsius", "PCH", "PCL", "TCH", "TCL", &Limits::CHigh, &Limits::CLow, &Limits::CAlarmOn,
     core::protocol::key::kCelsius, 3},
    {"CkF", "Fahrenheit", "PFH", "PFL", "TFH", "TFL", &Limits::FHigh, &Limits::FLow,
     &Limits::FAlarmOn, core::protocol::key::kFahrenheit, 2},
};

constexpr int kKeyPauseMs = 1000;

// Plain decimal text with "." in every locale and no exponent: the shortest text that reads
// back as the same number, so an unchanged box stores exactly what it showed.
QString limitText(double value) {
    if (value == 0) value = 0;  // no "-0"
    char buffer[400];           // the longest double in fixed notation fits
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (error != std::errc{}) return QString::number(value, 'g', 17);
    return QString::fromLatin1(buffer, static_cast<int>(end - buffer));
}

std::optional<double> limitValue(const QLineEdit* box) {
    return core::WholeNumber(box->text().toStdString());
}

// A caption panel: a framed, raised "High" / "Low" label beside its text box.
QLabel* captionPanel(const QString& text, const char* name, QLineEdit* buddy, QWidget* parent) {
    auto* panel = ui::named(new QLabel(text, parent), name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setAlignment(Qt::AlignCenter);
    panel->setMargin(2);
    panel->setBuddy(buddy);
    return panel;
}

void keepPlaceWhenHidden(QWidget* w) {
    QSizePolicy policy = w->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    w->setSizePolicy(policy);
}

}  // namespace

AlarmDialog::AlarmDialog(Alarm& alarm, QWidget* parent)
    : QDialog(parent), limits_(alarm.AlarmLimits), queue_(alarm.queue()) {
    ui::setWidgetName(this, "Alarm");
    setWindowTitle("Alarm");
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    auto* frame = ui::named(new QGroupBox("Alarm Function", this), "FFunction");
    auto* grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(8);
    grid->setColumnMinimumWidth(1, 12);
    grid->setColumnMinimumWidth(4, 12);
    for (int q = 0; q < kQuantities; ++q) buildRow(static_cast<Quantity>(q), grid);

    ok_ = ui::named(new QPushButton("OK", this), "CmdOK");
    ok_->setDefault(true);
    ok_->setAutoDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(rows_[Ph].box, &QCheckBox::toggled, this, &AlarmDialog::Ckp_Click);
    connect(rows_[Mv].box, &QCheckBox::toggled, this, &AlarmDialog::Ckm_Click);
    connect(rows_[Celsius].box, &QCheckBox::toggled, this, &AlarmDialog::CkC_Click);
    connect(rows_[Fahrenheit].box, &QCheckBox::toggled, this, &AlarmDialog::CkF_Click);
    connect(ok_, &QPushButton::clicked, this, &AlarmDialog::CmdOk_Click);
    Form_Load();
}

void AlarmDialog::buildRow(Quantity q, QGridLayout* grid) {
    const RowSpec& def = kRows[q];
    Row& row = rows_[q];
    const QString caption = def.caption;
    row.box = ui::named(new QCheckBox(caption, this), def.box);
    row.high = ui::named(new QLineEdit(this), def.high);
    row.low = ui::named(new QLineEdit(this), def.low);
    row.highPanel = captionPanel("High", def.highPanel, row.high, this);
    row.lowPanel = captionPanel("Low", def.lowPanel, row.low, this);
    row.high->setAccessibleName(tr("%1 high limit").arg(caption));
    row.low->setAccessibleName(tr("%1 low limit").arg(caption));
    const int boxWidth = row.high->fontMetrics().horizontalAdvance("-00000.000") + 12;
    for (QLineEdit* box : {row.high, row.low}) {
        box->setAlignment(Qt::AlignRight);
        box->setInputMethodHints(Qt::ImhFormattedNumbersOnly);
        box->setFixedWidth(boxWidth);
    }
    for (QWidget* w : {static_cast<QWidget*>(row.highPanel), static_cast<QWidget*>(row.high),
                       static_cast<QWidget*>(row.lowPanel), static_cast<QWidget*>(row.low)})
        keepPlaceWhenHidden(w);

    grid->addWidget(row.box, q, 0);
    grid->addWidget(row.highPanel, q, 2);
    grid->addWidget(row.high, q, 3);
    grid->addWidget(row.lowPanel, q, 5);
    grid->addWidget(row.low, q, 6);
}

void AlarmDialog::Form_Load() {
    for (int q = 0; q < kQuantities; ++q) fillLimits(static_cast<Quantity>(q));
    for (int q = 0; q < kQuantities; ++q) {
        // Read the switch afresh: ticking a box switches its partner off.
        const bool on = limits_.*kRows[q].on;
        showLimits(static_cast<Quantity>(q), on);
        rows_[q].box->setChecked(on);
    }
}

void AlarmDialog::Ckp_Click() {
    checkClicked(Ph);
}
void AlarmDialog::Ckm_Click() {
    checkClicked(Mv);
}
void AlarmDialog::CkC_Click() {
    checkClicked(Celsius);
}
void AlarmDialog::CkF_Click() {
    checkClicked(Fahrenheit);
}

void AlarmDialog::checkClicked(Quantity q) {
    core::AlarmLimits& limits = limits_;
    if (!rows_[q].box->isChecked()) {
        limits.*kRows[q].on = false;
        showLimits(q, false);
        return;
    }
    const auto partner = static_cast<Quantity>(kRows[q].partner);
    limits.*kRows[q].on = true;
    limits.*kRows[partner].on = false;
    showLimits(q, true);
    // Entries typed since the last "OK" give way to the stored limits.
    fillLimits(q);
    rows_[partner].box->setChecked(false);  // runs the partner's own handler when it changes
    showLimits(partner, false);
}

void AlarmDialog::showLimits(Quantity q, bool shown) {
    const Row& row = rows_[q];
    for (QWidget* w : {static_cast<QWidget*>(row.highPanel), static_cast<QWidget*>(row.high),
                       static_cast<QWidget*>(row.lowPanel), static_cast<QWidget*>(row.low)})
        w->setVisible(shown);
}

void AlarmDialog::fillLimits(Quantity q) {
    rows_[q].high->setText(limitText(limits_.*kRows[q].highLimit));
    rows_[q].low->setText(limitText(limits_.*kRows[q].lowLimit));
}

std::optional<core::AlarmLimits> AlarmDialog::enteredLimits() const {
    core::AlarmLimits entered = limits_;
    for (int q = 0; q < kQuantities; ++q) {
        const std::optional<double> high = limitValue(rows_[q].high);
        const std::optional<double> low = limitValue(rows_[q].low);
        // Every quantity counts, also those whose boxes are hidden.
        if (!high || !low || *low >= *high) return std::nullopt;
        entered.*kRows[q].highLimit = *high;
        entered.*kRows[q].lowLimit = *low;
    }
    return entered;
}

void AlarmDialog::CmdOk_Click() {
    // A click that arrives while the keys of an earlier "OK" are waiting or being pressed.
    if (sendingKeys_) return;
    const std::optional<core::AlarmLimits> entered = enteredLimits();
    if (!entered) {
        ui::dialogs().message(this, windowTitle(), "Invalid settings, try again!",
                              ui::Dialogs::Icon::Critical, ui::Dialogs::Buttons::Ok);
        return;
    }
    core::AlarmLimits& limits = limits_;
    for (const RowSpec& def : kRows) {
        limits.*def.highLimit = (*entered).*def.highLimit;
        limits.*def.lowLimit = (*entered).*def.lowLimit;
    }
    for (int q = 0; q < kQuantities; ++q) limits.*kRows[q].on = rows_[q].box->isChecked();

    sendingKeys_ = true;
    ok_->setEnabled(false);
    // The key sequence is a chain of its own; it goes on when the dialog is closed meanwhile,
    // and the dialog closes once it is done.
    QPointer<AlarmDialog> self(this);
    queue_.submit(nullptr, unitKeys(&limits_, 0), [self](const serial::Ending&) {
        if (self) self->close();
    });
}

serial::Transaction AlarmDialog::unitKeys(const core::AlarmLimits* limits, int from) {
    // The watched quantities as they are when the key is pressed, not when OK was clicked.
    serial::Transaction next = serial::Transaction::pause(0);
    next.then = [limits, from](const serial::Answer&) {
        for (int q = from; q < kQuantities; ++q) {
            const RowSpec& def = kRows[q];
            if (!(limits->*def.on)) continue;
            serial::Transaction key = serial::Key(static_cast<std::uint8_t>(def.keyCode));
            key.then = [limits, q](const serial::Answer&) {
                serial::Transaction pause = serial::Transaction::pause(kKeyPauseMs);
                pause.then = [limits, q](const serial::Answer&) {
                    return serial::Next::then(unitKeys(limits, q + 1));
                };
                return serial::Next::then(std::move(pause));
            };
            return serial::Next::then(std::move(key));
        }
        return serial::Next::end();
    };
    return next;
}

}  // namespace alarms
