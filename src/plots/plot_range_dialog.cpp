#include "plots/plot_range_dialog.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/plot_range.h"
#include "plots/plot_operations.h"
#include "plots/plot_windows.h"
#include "plots/plots.h"
#include "ui/accessible_name.h"
#include "ui/dialogs.h"
#include "ui/twips.h"

namespace plots {

namespace {

using core::Quantity;

// Client area: the OK button's bottom-right corner and the same margin as at the top left.
constexpr int kClientWidth = 120 + 2775 + 120;
constexpr int kClientHeight = 1080 + 495 + 120;

QString captionOf(Quantity quantity) {
    switch (quantity) {
        case Quantity::Mv:
            return QStringLiteral("mV Plot Range");
        case Quantity::Temperature:
            return QStringLiteral("Temperature Plot Range");
        case Quantity::Ph:
            break;
    }
    return QStringLiteral("pH Plot Range");
}

template <class W>
W* place(W* widget, int left, int top, int width, int height) {
    widget->setGeometry(
        QRect(ui::twipsPoint(left, top, widget), ui::twipsToPixels(width, height, widget)));
    return widget;
}

// A caption panel over a pair of boxes, at its fixed place; its font shrinks until the caption
// fits, as the panels keep their width whatever the system's font.
QLabel* captionPanel(const QString& text, const QString& name, QWidget* parent, int left) {
    auto* panel = place(ui::named(new QLabel(text, parent), name), left, 120, 1335, 315);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setAlignment(Qt::AlignCenter);
    QFont font = panel->font();
    const int room = panel->contentsRect().width() - 4;
    while (font.pointSizeF() > 6 && QFontMetrics(font).horizontalAdvance(text) > room)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    panel->setFont(font);
    return panel;
}

QLineEdit* numberBox(const QString& name, const QString& accessibleName, QWidget* parent) {
    auto* box = ui::named(new QLineEdit(parent), name);
    box->setAccessibleName(accessibleName);
    box->setInputMethodHints(Qt::ImhFormattedNumbersOnly);
    return box;
}

QString numberText(double value) {
    return QString::fromStdString(core::ScaleLabelText(value));
}

}  // namespace

PlotRangeDialog::PlotRangeDialog(Plots& plots, Quantity quantity)
    : plots_(plots), quantity_(quantity) {
    ui::setWidgetName(this, windowName(quantity));
    setWindowTitle(captionOf(quantity));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    captionPanel(QStringLiteral("No.s of Records"), QStringLiteral("SSPanelRecords"), this, 120);
    captionPanel(QStringLiteral("Limitation"), QStringLiteral("SSPanelLimits"), this, 1560);
    const struct {
        const char* text;
        const char* name;
        int left;
    } labels[] = {{"From", "LblFrom", 120},
                  {"To", "LblTo", 840},
                  {"Min.", "LblMin", 1560},
                  {"Max.", "LblMax", 2280}};
    for (const auto& label : labels)
        place(ui::named(new QLabel(QString::fromLatin1(label.text), this),
                        QString::fromLatin1(label.name)),
              label.left, 480, 615, 240);

    from_ = place(numberBox(QStringLiteral("TxtT1"), QStringLiteral("From record"), this), 120, 720,
                  615, 285);
    to_ = place(numberBox(QStringLiteral("TxtT2"), QStringLiteral("To record"), this), 840, 720,
                615, 285);
    min_ = place(numberBox(QStringLiteral("TxtR1"), QStringLiteral("Minimum value"), this), 1560,
                 720, 615, 285);
    max_ = place(numberBox(QStringLiteral("TxtR2"), QStringLiteral("Maximum value"), this), 2280,
                 720, 615, 285);
    ok_ = place(ui::named(new QPushButton(QStringLiteral("OK"), this), QStringLiteral("CmdOk")),
                120, 1080, 2775, 495);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &PlotRangeDialog::CmdOk_Click);

    resize(ui::twipsToPixels(kClientWidth, kClientHeight, this));
}

QString PlotRangeDialog::windowName(Quantity quantity) {
    switch (quantity) {
        case Quantity::Mv:
            return QStringLiteral("Plot2Range");
        case Quantity::Temperature:
            return QStringLiteral("Plot11Range");
        case Quantity::Ph:
            break;
    }
    return QStringLiteral("Plot1Range");
}

void PlotRangeDialog::Form_Load() {
    const core::PlotRange& range = plots_.range(quantity_);
    from_->setText(numberText(static_cast<double>(range.FirstRecord)));
    to_->setText(numberText(static_cast<double>(range.LastRecord)));
    min_->setText(numberText(range.MinValue));
    max_->setText(numberText(range.MaxValue));
}

void PlotRangeDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Form_Load();
}

void PlotRangeDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Form_Load();
}

void PlotRangeDialog::CmdOk_Click() {
    // Without its list there is nothing to draw: keep the plot on screen and say why.
    files::RecordGrid* source = plots::SourceGrid(plots_);
    if (!source) {
        plots::ReportClosedSource(this, windowTitle());
        return;
    }
    if (PlotWindow* open = plots_.findPlot(quantity_)) open->close();

    core::PlotRange& range = plots_.range(quantity_);
    const std::optional<core::PlotRange> entered =
        core::ApplyPlotRangeEntry(range, from_->text().toStdString(), to_->text().toStdString(),
                                  min_->text().toStdString(), max_->text().toStdString());
    if (!entered) {
        ui::dialogs().message(this, windowTitle(),
                              QString::fromLatin1(core::kPlotRangeInvalidMessage.data(),
                                                  core::kPlotRangeInvalidMessage.size()),
                              ui::Dialogs::Icon::Warning, ui::Dialogs::Buttons::Ok);
        return;
    }
    range = *entered;
    PlotWindow* window = plots_.showAfreshPlot(quantity_);
    window->setSourceTitle(plots::SourceTitle(plots_));
    plots::PlotQuantity(plots_, quantity_, *window, *source);
    close();
}

}  // namespace plots
