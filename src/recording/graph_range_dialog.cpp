#include "recording/graph_range_dialog.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "link/link_events.h"
#include "recording/graph_windows.h"
#include "recording/recording_state.h"
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

GraphRangeDialog::GraphRangeDialog(core::Quantity quantity) : quantity_(quantity) {
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

    const core::GraphRange& range = recording::TraceOf(quantity).Range;
    records_->setText(numberText(range.RecordsPerGraph));
    min_->setText(numberText(range.MinValue));
    max_->setText(numberText(range.MaxValue));

    resize(ui::twipsToPixels(kDialogTwips.width(), kDialogTwips.height(), this));
    serial::closeOnLinkLost(this);
}

GraphRangeDialog* GraphRangeDialog::find(core::Quantity quantity) {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == nameOf(quantity) && window->isVisible())
            return qobject_cast<GraphRangeDialog*>(window);
    return nullptr;
}

GraphRangeDialog* GraphRangeDialog::showFor(core::Quantity quantity) {
    GraphRangeDialog* dialog = find(quantity);
    if (!dialog) dialog = new GraphRangeDialog(quantity);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}

void GraphRangeDialog::CmdOk_Click() {
    // An invalid entry closes the graph; a valid range starts it again empty, in its window.
    const core::GraphRangeEntry entry = core::CheckGraphRange(
        records_->text().toStdString(), min_->text().toStdString(), max_->text().toStdString());
    if (!entry.range) {
        RealTimeGraph::closeWindow(quantity_);
        ui::dialogs().message(
            this, windowTitle(),
            QString::fromUtf8(entry.message.data(), qsizetype(entry.message.size())),
            ui::Dialogs::Icon::None, ui::Dialogs::Buttons::Ok);
        return;
    }
    recording::TraceOf(quantity_).Range = *entry.range;
    if (quantity_ == core::Quantity::Temperature)
        recording::State.TempGraphOpen = true;
    else
        recording::State.PhMvGraphOpen = true;
    RealTimeGraph::open(quantity_);
    close();
}

}  // namespace recording
