#include "files/file_transfer.h"
#include "files/real_time_list.h"
#include "files/record_grid.h"

namespace files {

namespace {

// Once the row before the new one is past this, the view scrolls by one row per new row.
constexpr int kRowsBeforeScrolling = 20;

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

}  // namespace

void AppendLiveRowText(RecordGrid& grid, const QString& tabText) {
    grid.setCurrentRow(grid.rows() - 1);
    const bool scroll = grid.currentRow() > kRowsBeforeScrolling;
    const int top = grid.topRow();
    grid.addRow(tabText);
    // Moved after the row is added, so that the view can reach the new row. Where fewer than
    // twenty rows fit the view, it also scrolls on until the new row is in sight.
    if (!scroll) return;
    grid.setTopRow(top + 1);
    grid.showRow(grid.rows() - 1);
}

bool AppendLiveSample(core::RecordRow row) {
    if (!State.LiveListOpen) return false;
    ++State.LiveListCount;
    row.cells[0] = core::recordNumberText(State.LiveListCount);
    if (RealTimeList* list = RealTimeList::find())
        AppendLiveRowText(*list->grid(), fromUtf8(row.tabText()));
    return true;
}

}  // namespace files
