#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/data_file_reader.h"

namespace {

std::vector<std::string> items(std::string_view bytes) {
    std::vector<std::string> out;
    core::DataFileReader reader(bytes);
    std::string_view item;
    while (reader.next(item)) out.emplace_back(item);
    return out;
}

using Items = std::vector<std::string>;

TEST(DataFileReaderTest, ItemRules) {
    struct Case {
        const char* what;
        std::string bytes;
        Items expected;
    };
    const Case cases[] = {
        {"empty file", "", {}},
        {"only blanks", "   ", {}},
        {"CR LF lines", "a\r\nb\r\n", {"a", "b"}},
        {"LF lines", "a\nb\n", {"a", "b"}},
        {"CR lines", "a\rb\r", {"a", "b"}},
        {"no final line end", "a\r\nb", {"a", "b"}},
        {"empty line is an empty item", "a\r\n\r\nb", {"a", "", "b"}},
        {"leading blanks skipped, trailing kept", "  a b \r\n", {"a b "}},
        {"comma splits unquoted", "7,012\tpH\r\n", {"7", "012\tpH"}},
        {"quoted keeps commas, tabs, blanks", "\" a,b\tc \"\r\n", {" a,b\tc "}},
        {"quoted item spans line ends", "\"a\r\nb\"\r\nc", {"a\r\nb", "c"}},
        {"text after closing quote dropped", "\"ab\"cd,ef\r\n", {"ab", "ef"}},
        {"inner quote cuts the item", "\"1\t7.0\"1\tpH\t\"\r\nnext", {"1\t7.0", "next"}},
        {"unterminated quote runs to the end", "\"abc\r\ndef", {"abc\r\ndef"}},
        {"quote inside an unquoted item stays", "a\"b\r\n", {"a\"b"}},
        {"lone quote", "\"", {""}},
        {"comma at line end gives empty item", "a,\r\nb", {"a", "", "b"}},
    };
    for (const Case& c : cases) EXPECT_EQ(items(c.bytes), c.expected) << c.what;
}

TEST(DataFileReaderTest, DisplayTextKeepsUtf8AndShowsOtherBytesAsLatin1) {
    EXPECT_EQ(core::displayText("25.3 \xC2\xB0"
                                "C"),
              "25.3 \xC2\xB0"
              "C");
    EXPECT_EQ(core::displayText("25.3 \xB0"
                                "C"),
              "25.3 \xC2\xB0"
              "C");
    EXPECT_EQ(core::displayText(std::string("a\0b", 3)), std::string("a\0b", 3));
    EXPECT_EQ(core::displayText("\xFF\xFE"), "\xC3\xBF\xC3\xBE");

    const std::string_view invalid[] = {
        "\xC0\xAF",          // overlong
        "\xE0\x80\xAF",      // overlong
        "\xED\xA0\x80",      // surrogate
        "\xF4\x90\x80\x80",  // past U+10FFFF
        "\xE2\x82",          // cut short
        "\x80",              // stray continuation
        "\xF8\x88\x80\x80\x80",
    };
    for (std::string_view bytes : invalid) EXPECT_FALSE(core::isValidUtf8(bytes)) << bytes.size();
    const std::string_view valid[] = {
        "", "plain", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\xF4\x8F\xBF\xBF", "\xEF\xBF\xBF"};
    for (std::string_view bytes : valid) EXPECT_TRUE(core::isValidUtf8(bytes)) << bytes;
}

TEST(DataFileReaderTest, RowsAreDecodedOneByOne) {
    // A Latin-1 row does not change how a UTF-8 row of the same file is shown.
    const core::RowTexts rows = core::readDataFile("a\xB0\r\nb\xC2\xB0\r\n");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows.row(0), "a\xC2\xB0");
    EXPECT_EQ(rows.row(1), "b\xC2\xB0");
}

TEST(DataFileReaderTest, BinaryJunkLoadsWithValidTextAndNineCellsAtMost) {
    std::string junk;
    unsigned state = 12345;
    for (int i = 0; i < 200000; ++i) {
        state = state * 1103515245u + 12345u;
        junk += static_cast<char>(state >> 16);
    }
    const core::RowTexts rows = core::readDataFile(junk);
    EXPECT_GT(rows.size(), 0u);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        ASSERT_TRUE(core::isValidUtf8(rows.row(r))) << r;
        std::size_t tabs = 0;
        for (char ch : rows.row(r)) tabs += ch == '\t';
        ASSERT_LE(tabs, 8u) << r;
    }
}

TEST(DataFileReaderTest, HugeLineIsOneRow) {
    std::string line(5'000'000, 'x');
    line += "\tpH\r\n";
    const core::RowTexts rows = core::readDataFile(line);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows.cell(0, 0).size(), 5'000'000u);
    EXPECT_EQ(rows.cell(0, 1), "pH");
}

}  // namespace
