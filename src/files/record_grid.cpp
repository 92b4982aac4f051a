#include "files/record_grid.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <array>
#include <numeric>

#include "files/record_grid_model.h"
#include "ui/accessible_name.h"

namespace files {

namespace {

// The lists' font size in points; with it some twenty rows fit the grids' fixed heights.
constexpr int kListFontPoints = 8;
// Padding around a row's text in pixels.
constexpr int kRowPadding = 2;

using ColumnWidths = std::array<int, core::kRecordCells>;

// Column widths that fill at most `available` pixels: the wanted widths when they fit, else
// shrunk in proportion to them, but never below each column's minimum (then the grid scrolls).
ColumnWidths fitWidths(const ColumnWidths& wanted, const ColumnWidths& minimum, int available) {
    if (std::accumulate(wanted.begin(), wanted.end(), 0) <= available) return wanted;
    ColumnWidths widths = wanted;
    std::array<bool, core::kRecordCells> atMinimum{};
    for (bool changed = true; changed;) {
        changed = false;
        int fixedWidth = 0;
        int freeWanted = 0;
        for (std::size_t c = 0; c < wanted.size(); ++c) {
            if (atMinimum[c])
                fixedWidth += minimum[c];
            else
                freeWanted += wanted[c];
        }
        if (freeWanted == 0) break;
        const double scale = double(available - fixedWidth) / freeWanted;
        for (std::size_t c = 0; c < wanted.size(); ++c) {
            if (atMinimum[c]) continue;
            widths[c] = int(wanted[c] * scale);
            if (widths[c] <= minimum[c]) {
                widths[c] = minimum[c];
                atMinimum[c] = true;
                changed = true;
            }
        }
    }
    return widths;
}

}  // namespace

RecordGrid::RecordGrid(QWidget* parent) : QTableView(parent), model_(new RecordGridModel(this)) {
    ui::setWidgetName(this, "Grid");
    QFont listFont = font();
    listFont.setPointSize(kListFontPoints);
    setFont(listFont);
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    // Uniform fixed row heights keep a view of a million rows quick.
    QHeaderView* rowsHeader = verticalHeader();
    rowsHeader->hide();
    rowsHeader->setSectionResizeMode(QHeaderView::Fixed);
    rowsHeader->setMinimumSectionSize(1);
    rowsHeader->setDefaultSectionSize(fontMetrics().height() + kRowPadding);

    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    // Row 0 holds the header texts; the view shows them in its frozen header instead.
    setRowHidden(0, true);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] { setRowHidden(0, true); });
}

void RecordGrid::setUpRecordColumns() {
    const QFontMetrics metrics(font());
    ColumnWidths wanted{};
    ColumnWidths headers{};
    for (std::size_t c = 0; c < core::kRecordCells; ++c) {
        const std::string_view header = core::kRecordHeaderTexts[c];
        const std::string_view pattern = core::kRecordWidthTemplates[c];
        model_->setHeaderText(int(c), QString::fromLatin1(header.data(), qsizetype(header.size())));
        // The header draws its text in its own font and with margins; the template, measured in
        // the list font, can be narrower than that.
        headers[c] = horizontalHeader()->sectionSizeHint(int(c));
        const QString templateText = QString::fromLatin1(pattern.data(), qsizetype(pattern.size()));
        wanted[c] = std::max(headers[c], metrics.horizontalAdvance(templateText));
    }
    // The templates were made for a narrower font than most systems have: fitted to the grid's
    // width (with room for the vertical scroll bar of a long list), the last column stays in view
    // instead of being cut at the grid's edge.
    const int available = width() - 2 * frameWidth() -
                          style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const ColumnWidths widths = fitWidths(wanted, headers, available);
    for (std::size_t c = 0; c < core::kRecordCells; ++c) setColumnWidth(int(c), widths[c]);
}

int RecordGrid::rows() const {
    return model_->rowCount();
}

void RecordGrid::setRows(int rows) {
    model_->setRowCount(rows);
    currentRow_ = std::min(currentRow_, model_->rowCount() - 1);
}

int RecordGrid::columns() const {
    return model_->columnCount();
}

QString RecordGrid::cellText(int row, int column) const {
    return model_->cellText(row, column);
}

void RecordGrid::addRow(const QString& tabText) {
    model_->addRow(tabText);
}

void RecordGrid::addRows(const core::RowTexts& rows) {
    model_->addRows(rows);
}

void RecordGrid::addRows(core::RowTexts&& rows) {
    model_->addRows(std::move(rows));
}

int RecordGrid::topRow() const {
    const int row = rowAt(0);
    return row > 0 ? row : 1;
}

void RecordGrid::setTopRow(int row) {
    // Rows inserted just now are laid out lazily; bring the scroll range up to date first.
    updateGeometries();
    // Scrolling is per row and the hidden row 0 takes no place, so value v shows row v + 1.
    verticalScrollBar()->setValue(std::max(row, 1) - 1);
}

void RecordGrid::showRow(int row) {
    if (row < 1 || row >= rows()) return;
    const int fitting = std::max(1, viewport()->height() / verticalHeader()->defaultSectionSize());
    const int top = topRow();
    if (row < top) {
        setTopRow(row);
    } else if (row >= top + fitting) {
        setTopRow(row - fitting + 1);
    }
}

void RecordGrid::setCurrentRow(int row) {
    currentRow_ = std::clamp(row, 0, rows() - 1);
}

}  // namespace files
