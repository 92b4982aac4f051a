#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/data_file_reader.h"
#include "core/record_row.h"

namespace {

using core::RecordRow;

RecordRow sampleRow() {
    return RecordRow{{"12", "24/03/05", "14:02:59", "7.012", "pH", "25.3", "'C", "ATC", "Low"}};
}

TEST(RecordRowTest, LineLayouts) {
    const RecordRow row = sampleRow();
    EXPECT_EQ(row.listFileLine(),
              "\"12\t24/03/05\t14:02:59\t7.012\tpH\t25.3\t'C\tATC\tLow\t\"\r\n");
    EXPECT_EQ(RecordRow{}.listFileLine(), "\"\t\t\t\t\t\t\t\t\t\"\r\n");
    EXPECT_EQ(row.recordingFileLine(), "12\t24/03/05\t14:02:59\t7.012\tpH\t25.3\t'C\tATC\r\n");
    EXPECT_EQ(row.tabText(), "12\t24/03/05\t14:02:59\t7.012\tpH\t25.3\t'C\tATC\tLow");
    RecordRow noBattery = row;
    noBattery.cells[8].clear();
    EXPECT_EQ(noBattery.tabText(), "12\t24/03/05\t14:02:59\t7.012\tpH\t25.3\t'C\tATC");
}

TEST(RecordRowTest, WrittenLinesReadBackAsTheSameCells) {
    const RecordRow rows[] = {
        sampleRow(),
        RecordRow{{"1", "", "", "- - . - - -", "pH", "", "'F", "MTC", ""}},
        RecordRow{},
    };
    std::string file;
    for (const RecordRow& row : rows) file += row.listFileLine();
    const core::RowTexts read = core::readDataFile(file);
    ASSERT_EQ(read.size(), std::size(rows));
    for (std::size_t r = 0; r < read.size(); ++r)
        EXPECT_EQ(RecordRow::fromTabText(read.row(r)), rows[r]) << "row " << r;

    // The recording layout loses only the battery cell.
    RecordRow expected = sampleRow();
    expected.cells[8].clear();
    const core::RowTexts recorded = core::readDataFile(sampleRow().recordingFileLine());
    ASSERT_EQ(recorded.size(), 1u);
    EXPECT_EQ(RecordRow::fromTabText(recorded.row(0)), expected);
}

TEST(RecordRowTest, FromTabTextFillsFromColumnZeroAndDropsExtraPieces) {
    struct Case {
        std::string_view text;
        std::array<std::string, 9> cells;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"\tb", {"", "b"}},
        {"1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11", {"1", "2", "3", "4", "5", "6", "7", "8", "9"}},
        {"1\t2\t3\t4\t5\t6\t7\t8\t\t", {"1", "2", "3", "4", "5", "6", "7", "8", ""}},
    };
    for (const Case& c : cases) EXPECT_EQ(RecordRow::fromTabText(c.text).cells, c.cells) << c.text;
}

TEST(RecordRowTest, DateAndTimeUseFixedSeparatorsAndTwoDigits) {
    EXPECT_EQ(core::recordDateText(2024, 3, 5), "24/03/05");
    EXPECT_EQ(core::recordDateText(2000, 12, 31), "00/12/31");
    EXPECT_EQ(core::recordTimeText(0, 0, 0), "00:00:00");
    EXPECT_EQ(core::recordTimeText(23, 59, 7), "23:59:07");
    EXPECT_EQ(core::recordNumberText(1000000), "1000000");
}

TEST(RowTextsTest, KeepsRowsCutToNineCellsAndTruncates) {
    core::RowTexts rows;
    rows.append("1\t2\t3\t4\t5\t6\t7\t8\t9\textra");
    rows.append("");
    rows.append("x\ty");
    core::RowTexts more;
    more.append("m");
    rows.append(more);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows.row(0), "1\t2\t3\t4\t5\t6\t7\t8\t9");
    EXPECT_EQ(rows.row(1), "");
    EXPECT_EQ(rows.cell(2, 1), "y");
    EXPECT_EQ(rows.cell(2, 2), "");
    EXPECT_EQ(rows.row(3), "m");

    rows.truncate(2);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows.byteSize(), rows.row(0).size());
    rows.append("new");
    EXPECT_EQ(rows.row(2), "new");
    rows.truncate(0);
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(rows.byteSize(), 0u);
}

// Rows may stay views into shared bytes (a data file's), mixed with rows of their own; a list
// with other shared bytes copies them, and the shared bytes live as long as the rows.
TEST(RowTextsTest, SharedRowsStayViewsAndLiveAsLongAsTheRows) {
    auto file = std::make_shared<std::string>("a\t1\t2\t3\t4\t5\t6\t7\t8\t9\r\nb\xff\r\nc");
    core::RowTexts rows;
    rows.shareBytes(*file, file);
    std::string scratch;
    core::DataFileReader reader(*file);
    std::string_view item;
    while (reader.next(item)) core::appendSharedItemRow(rows, item, scratch);
    rows.append("own");
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows.row(0), "a\t1\t2\t3\t4\t5\t6\t7\t8");
    EXPECT_EQ(rows.row(0).data(), file->data());
    EXPECT_EQ(rows.row(1), "b\xc3\xbf");  // not UTF-8: copied as display text
    EXPECT_EQ(rows.row(2).data(), file->data() + 25);
    EXPECT_EQ(rows.row(3), "own");
    EXPECT_EQ(rows.byteSize(), file->size() + 3 + 3);

    auto other = std::make_shared<std::string>("z");
    core::RowTexts copy;
    copy.shareBytes(*other, other);
    copy.appendShared(*other);
    copy.append(rows);  // other shared bytes: copied
    ASSERT_EQ(copy.size(), 5u);
    EXPECT_EQ(copy.row(0).data(), other->data());
    EXPECT_EQ(copy.row(1), rows.row(0));
    EXPECT_NE(copy.row(1).data(), file->data());
    EXPECT_EQ(copy.row(4), "own");

    core::RowTexts adopted;
    adopted.append(rows);  // no shared bytes of its own: shares them too
    file.reset();
    rows.clear();
    EXPECT_EQ(adopted.row(2), "c");
    adopted.truncate(1);
    EXPECT_EQ(adopted.byteSize(), 26u);  // the shared bytes only
    adopted.shareBytes(*other, other);  // the rows left move into the own buffer
    EXPECT_EQ(adopted.row(0), "a\t1\t2\t3\t4\t5\t6\t7\t8");
}

}  // namespace
