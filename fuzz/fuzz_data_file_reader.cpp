// libFuzzer target: the data-file reading rules over any bytes. Every item must be a view into
// the input, reading must always move on, every stored row must be valid UTF-8 with at most
// nine cells, and rows kept as views into the bytes must read as the copied ones.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/data_file_reader.h"
#include "core/print_listing.h"
#include "core/record_row.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    core::DataFileReader reader(bytes);
    std::string_view item;
    std::size_t items = 0;
    std::size_t last = 0;
    while (reader.next(item)) {
        if (item.data() < bytes.data() || item.data() + item.size() > bytes.data() + bytes.size())
            std::abort();
        if (reader.position() <= last && items > 0) std::abort();
        last = reader.position();
        if (++items > size + 1) std::abort();
    }

    const core::RowTexts rows = core::readDataFile(bytes);
    if (rows.size() != items) std::abort();

    // Rows kept as views into the bytes (as Open File keeps them) read the same.
    core::RowTexts shared;
    shared.shareBytes(bytes, nullptr);
    core::DataFileReader again(bytes);
    std::string scratch;
    while (again.next(item)) core::appendSharedItemRow(shared, item, scratch);
    if (shared.size() != rows.size()) std::abort();
    for (std::size_t r = 0; r < rows.size(); ++r)
        if (shared.row(r) != rows.row(r)) std::abort();
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const std::string_view row = rows.row(r);
        if (!core::isValidUtf8(row)) std::abort();
        std::size_t tabs = 0;
        for (char ch : row) tabs += ch == '\t';
        if (tabs >= core::kRecordCells) std::abort();
        const core::RecordRow record = core::RecordRow::fromTabText(row);
        // A row written as a list-file line reads back unchanged unless a cell holds a quotation
        // mark (which ends the item by the rules).
        if (row.find('"') == std::string_view::npos) {
            const core::RowTexts back = core::readDataFile(record.listFileLine());
            if (back.size() != 1 || core::RecordRow::fromTabText(back.row(0)) != record)
                std::abort();
        }
        if (core::utf8Length(core::listingLine(record)) < 66) std::abort();
    }
    return 0;
}
