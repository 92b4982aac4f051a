#include "plots/plot_operations.h"

#include <string_view>
#include <utility>
#include <vector>

#include "core/plot_fit.h"
#include "core/plot_range.h"
#include "files/busy_cursor.h"
#include "files/data_list.h"
#include "files/file_list.h"
#include "files/files.h"
#include "files/record_grid.h"
#include "files/record_grid_model.h"
#include "plots/plot_range_dialog.h"
#include "plots/plot_windows.h"
#include "plots/plots.h"
#include "ui/dialogs.h"
#include "ui/trace_view.h"

namespace plots {

namespace {

constexpr std::size_t kTimeColumn = 2;

QString textOf(std::string_view cell) {
    return QString::fromUtf8(cell.data(), static_cast<qsizetype>(cell.size()));
}

QString labelText(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

void PlotQuantity(const Plots& plots, core::Quantity quantity, PlotWindow& window,
                  const files::RecordGrid& grid) {
    const core::PlotRange& range = plots.range(quantity);
    ui::TraceView& view = *window.view();

    const core::ScaleLabels values = core::ScaleLabelTexts(range.scale());
    view.setLabelText(QStringLiteral("LblValTop"), labelText(values.top));
    view.setLabelText(QStringLiteral("LblValMid"), labelText(values.middle));
    view.setLabelText(QStringLiteral("Lbl0"), labelText(values.base));
    if (quantity == core::Quantity::Mv) {
        view.setLabelText(QStringLiteral("MidLbl"), labelText(values.lowMiddle));
        view.setLabelText(QStringLiteral("TopLbl"), labelText(values.bottom));
    }
    if (!core::PlotHasTrace(range)) return;

    const core::RowTexts& rows = grid.recordModel()->dataRows();
    const std::pair<QString, long long> timeLabels[] = {
        {QStringLiteral("LblT1"), range.FirstRecord},
        {QStringLiteral("LblT2"), core::MiddleTimeRow(range)},
        {QStringLiteral("LblT3"), range.LastRecord},
    };
    for (const auto& [name, row] : timeLabels) {
        const std::optional<std::string_view> time = core::GridCell(rows, row, kTimeColumn);
        if (!time) return;  // a To beyond the last row: nothing past the first missing row
        view.setLabelText(name, textOf(*time));
    }
    const auto unitColumn = static_cast<std::size_t>(core::PlotUnitColumn(quantity));
    view.setLabelText(QStringLiteral("LblUnit"),
                      textOf(core::GridCell(rows, 1, unitColumn).value_or(std::string_view())));

    files::BusyCursor busy;
    std::vector<float> heights = core::PlotTraceHeights(rows, range, quantity);
    if (heights.empty()) return;
    const int trace = view.addTrace(core::kGraphLeftX, core::PlotStepX(range));
    view.setPoints(trace, std::move(heights));
}

void PlotPh(const Plots& plots, PlotWindow& window, const files::RecordGrid& grid) {
    PlotQuantity(plots, core::Quantity::Ph, window, grid);
}

void PlotMv(const Plots& plots, PlotWindow& window, const files::RecordGrid& grid) {
    PlotQuantity(plots, core::Quantity::Mv, window, grid);
}

void PlotTemp(const Plots& plots, PlotWindow& window, const files::RecordGrid& grid) {
    PlotQuantity(plots, core::Quantity::Temperature, window, grid);
}

void OpenPlotFromList(Plots& plots, QWidget* listWindow, const files::RecordGrid& grid,
                      files::ListPlotKind kind) {
    plots.PlotFromFileList = qobject_cast<files::FileList*>(listWindow) != nullptr;
    plots.PlotFromDataList = qobject_cast<files::DataList*>(listWindow) != nullptr;

    const core::RowTexts& rows = grid.recordModel()->dataRows();
    core::Quantity quantity = core::Quantity::Temperature;
    if (kind == files::ListPlotKind::PhMv) {
        const auto unitColumn = static_cast<std::size_t>(core::PlotUnitColumn(core::Quantity::Ph));
        const std::string_view unit =
            core::GridCell(rows, 1, unitColumn).value_or(std::string_view());
        if (unit == "pH") {
            quantity = core::Quantity::Ph;
        } else if (unit == "mV") {
            quantity = core::Quantity::Mv;
        } else {
            return;
        }
    }
    plots.range(quantity) = core::DefaultPlotRange(quantity, static_cast<long long>(rows.size()));
    PlotWindow* window = plots.showPlot(quantity);
    window->setSourceTitle(ListTitle(listWindow));
    PlotQuantity(plots, quantity, *window, grid);
}

void FitToData(Plots& plots, core::Quantity quantity, QWidget* parent) {
    const QString title = parent ? parent->windowTitle() : QString();
    files::RecordGrid* source = SourceGrid(plots);
    if (!source) {
        ReportClosedSource(parent, title);
        return;
    }
    const std::optional<core::PlotRange> fitted =
        core::FitPlotRange(source->recordModel()->dataRows(), plots.range(quantity), quantity);
    if (!fitted) {
        ui::dialogs().message(parent, title,
                              QStringLiteral("The list holds no readings to fit the plot to: "
                                             "over-range and blank records are left out.\n"
                                             "The range stays as it was."),
                              ui::Dialogs::Icon::Information, ui::Dialogs::Buttons::Ok);
        return;
    }
    plots.range(quantity) = *fitted;
    PlotWindow* window = plots.showAfreshPlot(quantity);
    window->setSourceTitle(SourceTitle(plots));
    PlotQuantity(plots, quantity, *window, *source);
    if (PlotRangeDialog* dialog = plots.findRangeDialog(quantity)) dialog->Form_Load();
}

void ReportClosedSource(QWidget* parent, const QString& title) {
    ui::dialogs().message(parent, title,
                          QStringLiteral("The list this plot was drawn from has been closed.\n"
                                         "Open the list again to plot it."),
                          ui::Dialogs::Icon::Information, ui::Dialogs::Buttons::Ok);
}

QString ListTitle(const QWidget* listWindow) {
    if (const auto* memory = qobject_cast<const files::DataList*>(listWindow))
        return QStringLiteral("Downloaded from the meter ") +
               memory->openedAt().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return listWindow ? listWindow->windowTitle() : QString();
}

QString SourceTitle(const Plots& plots) {
    return ListTitle(SourceList(plots));
}

files::RecordListWindow* SourceList(const Plots& plots) {
    if (plots.PlotFromDataList) return plots.files().findDataList();
    if (plots.PlotFromFileList) return plots.files().findFileList();
    return nullptr;
}

files::RecordGrid* SourceGrid(const Plots& plots) {
    files::RecordListWindow* list = SourceList(plots);
    return list ? list->grid() : nullptr;
}

}  // namespace plots
