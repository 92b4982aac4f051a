#include "files/file_transfer.h"
#include "files/files.h"
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

bool Files::AppendLiveSample(core::RecordRow row) {
    if (!liveList_) return false;
    ++LiveListCount;
    row.cells[0] = core::recordNumberText(LiveListCount);
    AppendLiveRowText(*liveList_->grid(), fromUtf8(row.tabText()));
    return true;
}

}  // namespace files
