#include "memory/set_listing.h"

#include <QLabel>

#include "core/set_records.h"
#include "core/stored_record.h"
#include "files/data_list.h"
#include "files/files.h"
#include "files/record_grid.h"
#include "link/rs232.h"
#include "memory/memory.h"
#include "memory/memory_exchange.h"

namespace memory {

void ListRecordSet(Memory& memory, int number) {
    if (number < 1 || number > memory.SetCount ||
        static_cast<std::size_t>(number) > memory.RecordSets.size())
        return;
    memory.files().closeDataList();
    memory.files().SingleRecordList = false;
    // Decoded into a reading of the listing's own; the live reading stays the meter's.
    const std::vector<core::RecordRow> rows =
        core::DecodeSetRecords(memory.RecordSets[static_cast<std::size_t>(number - 1)]);
    if (!rows.empty()) {
        files::DataList* list = memory.files().showAfreshDataList();
        list->grid()->addRows(core::ToRowTexts(rows));
        list->lblTitle()->setText(QString::number(rows.size()) +
                                  QStringLiteral(" Records Completed"));
    }
    emit memory.downloadRunningChanged(false);
}

}  // namespace memory
