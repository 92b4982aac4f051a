#include "recording/graph_range_dialog.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "recording/live_graphs.h"
#include "ui/accessible_name.h"
#include "ui/dialogs.h"
#include "ui/twips.h"

namespace recording {

namespace {

constexpr QSize kDialogTwips(3000, 3400);

QString nameOf(core::Quantity quantity) {
    switch (quantity) {
        case core::Quantity::Ph:
            return QStringLiteral("Real1Range");
        case core::Quantity::Mv:
            return QStringLiteral("Real2Range");
        case core::Quantity::Temperature:
            break;
    }
    return QStringLiteral("Real1_1Range");
}

QString captionOf(core::Quantity quantity) {
    switch (quantity) {
        case core::Quantity::Ph:
            return QStringLiteral("Real Time pH Range");
        case core::Quantity::Mv:
            return QStringLiteral("Real Time mV Range");
        case core::Quantity::Temperature:
            break;
    }
    return QStringLiteral("Real Time Temperature Range");
}

// The text boxes' prefix: "TxtReal2" for the mV dialog, "TxtReal1" for the other two.
QString boxPrefixOf(core::Quantity quantity) {
    return quantity == core::Quantity::Mv ? QStringLiteral("TxtReal2") : QStringLiteral("TxtReal1");
}

QString numberText(double value) {
    return QString::fromStdString(core::ScaleLabelText(value));
}

}  // namespace

GraphRangeDialog::GraphRangeDialog(LiveGraphs& graphs, core::Quantity quantity)
    : graphs_(graphs), quantity_(quantity) {
    ui::setWidgetName(this, nameOf(quantity));
    setWindowTitle(captionOf(quantity));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    auto* layout = new QVBoxLayout(this);
    const QString prefix = boxPrefixOf(quantity);
    const auto panel = [&](int number, const QString& caption, const QString& box) {
        auto* group =
            ui::named(new QGroupBox(caption, this), QStringLiteral("SSPanel%1").arg(number));
        auto* edit = ui::named(new QLineEdit(group), prefix + box);
        (new QVBoxLayout(group))->addWidget(edit);
        layout->addWidget(group);
        return edit;
    };
    records_ = panel(1, QStringLiteral("No.s of Records"), QStringLiteral("Rec"));
    min_ = panel(2, QStringLiteral("Min. Limitation"), QStringLiteral("Min"));
    max_ = panel(3, QStringLiteral("Max. Limitation"), QStringLiteral("Max"));
    auto* ok = ui::named(new QPushButton(QStringLiteral("OK"), this), QStringLiteral("CmdOk"));
    ok->setDefault(true);
    layout->addWidget(ok);
    connect(ok, &QPushButton::clicked, this, &GraphRangeDialog::CmdOk_Click);

    const core::GraphRange& range = graphs_.TraceOf(quantity).Range;
    records_->setText(numberText(range.RecordsPerGraph));
    min_->setText(numberText(range.MinValue));
    max_->setText(numberText(range.MaxValue));

    resize(ui::twipsToPixels(kDialogTwips.width(), kDialogTwips.height(), this));
}

void GraphRangeDialog::CmdOk_Click() {
    // An invalid entry closes the graph; a valid range starts it again empty, in its window.
    const core::GraphRangeEntry entry = core::CheckGraphRange(
        records_->text().toStdString(), min_->text().toStdString(), max_->text().toStdString());
    if (!entry.range) {
        graphs_.closeGraph(quantity_);
        ui::dialogs().message(
            this, windowTitle(),
            QString::fromUtf8(entry.message.data(), qsizetype(entry.message.size())),
            ui::Dialogs::Icon::None, ui::Dialogs::Buttons::Ok);
        return;
    }
    graphs_.TraceOf(quantity_).Range = *entry.range;
    if (quantity_ == core::Quantity::Temperature)
        graphs_.TempGraphOpen = true;
    else
        graphs_.PhMvGraphOpen = true;
    graphs_.showGraph(quantity_);
    close();
}

}  // namespace recording
