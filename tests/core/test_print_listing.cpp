#include <gtest/gtest.h>

#include "core/print_listing.h"

namespace {

using core::RecordRow;

TEST(PrintListingTest, HeadingsAreFixed) {
    EXPECT_EQ(core::kListingHeading1,
              "          Date       Time       Value   Unit Value  C/F A/T  BAT");
    EXPECT_EQ(core::kListingHeading2,
              "       ----------  --------  ----------- --  -----  --- ---  ---");
}

TEST(PrintListingTest, FieldsArePaddedToTheirWidths) {
    const RecordRow full{{"1", "24/03/05", "14:02:59", "7.012", "pH", "25.3", "'C", "ATC", "Low"}};
    EXPECT_EQ(core::listingLine(full),
              "1      24/03/05    14:02:59  7.012       pH  25.3   'C  ATC  Low  ");

    const RecordRow rows[] = {full, RecordRow{},
                              RecordRow{{"1234567", "", "", "", "", "", "", "", ""}}};
    for (const RecordRow& row : rows) EXPECT_EQ(core::listingLine(row).size(), 66u);

    RecordRow noBattery = full;
    noBattery.cells[8].clear();
    const std::string line = core::listingLine(noBattery);
    EXPECT_EQ(line.size(), 66u);
    EXPECT_EQ(line.substr(56), "ATC       ");
}

TEST(PrintListingTest, OverlongCellKeepsTheRowWhole) {
    RecordRow row{{"12345678", "24/03/05", "14:02:59", "a very long value text", "pH", "25.3", "'C",
                   "ATC", ""}};
    const std::string line = core::listingLine(row);
    EXPECT_EQ(line.substr(0, 9), "12345678 ");
    EXPECT_NE(line.find("a very long value text pH"), std::string::npos);
    EXPECT_EQ(line.size(), 66u + (8 - 7 + 1) + (22 - 12 + 1));
}

TEST(PrintListingTest, WidthsCountCharactersAndControlBytesPrintAsBlanks) {
    RecordRow row;
    row.cells[5] = "25\xC2\xB0";  // three characters, four bytes
    row.cells[3] = "a\r\nb";
    const std::string line = core::listingLine(row);
    EXPECT_EQ(core::utf8Length(line), 66u);
    EXPECT_EQ(line.substr(29, 12), "a  b        ");
}

}  // namespace
