#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "core/text_rules.h"

namespace {

TEST(Hex2, PadsAndKeepsBlankAndDashNibbles) {
    EXPECT_EQ(core::Hex2(0x07), "07");
    EXPECT_EQ(core::Hex2(0x31), "31");
    EXPECT_EQ(core::Hex2(0xEF), "EF");
    EXPECT_EQ(core::Hex2(0x00), "00");
    EXPECT_EQ(core::Hex2(0xFF), "FF");
}

struct NumericCase {
    const char* text;
    double value;
};

void PrintTo(const NumericCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }


class NumericValueTest : public testing::TestWithParam<NumericCase> {};

TEST_P(NumericValueTest, TakesLongestLeadingNumber) {
    EXPECT_DOUBLE_EQ(core::NumericValue(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumericValueTest,
    testing::Values(NumericCase{"7012", 7012}, NumericCase{"FFFF", 0}, NumericCase{"", 0},
                    NumericCase{"10 sec", 10}, NumericCase{" 1 2 ", 12},
                    NumericCase{"-123.4", -123.4}, NumericCase{"12F5", 12},
                    NumericCase{"1e999", 1}, NumericCase{".5", 0.5}, NumericCase{"-.", 0},
                    NumericCase{"- . - - -", 0}, NumericCase{"2.5.3", 2.5},
                    NumericCase{"abc", 0}, NumericCase{"+3", 3}, NumericCase{"  E2", 0}));

TEST(WholeNumber, RefusesTextThatIsNotEntirelyANumber) {
    for (const char* bad : {"", "   ", "abc", "12abc", "NaN", "1e999", "inf", "1,5", "-", "."})
        EXPECT_FALSE(core::WholeNumber(bad).has_value()) << bad;
    EXPECT_DOUBLE_EQ(*core::WholeNumber(" 14 "), 14);
    EXPECT_DOUBLE_EQ(*core::WholeNumber("-2000"), -2000);
    EXPECT_DOUBLE_EQ(*core::WholeNumber("6.5"), 6.5);
    // 400 digits are finite when read as a decimal; they must not overflow into garbage.
    EXPECT_FALSE(core::WholeNumber(std::string(400, '9')).has_value());
}

struct PictureCase {
    double value;
    const char* picture;
    const char* text;
};

void PrintTo(const PictureCase& c, std::ostream* os) { *os << c.value << " as " << c.picture; }


class FormatPictureTest : public testing::TestWithParam<PictureCase> {};

TEST_P(FormatPictureTest, Formats) {
    EXPECT_EQ(core::FormatPicture(GetParam().value, GetParam().picture), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, FormatPictureTest,
    testing::Values(PictureCase{5, "000.0", "005.0"}, PictureCase{-123.44, "000.0", "-123.4"},
                    PictureCase{7, "0.000", "7.000"}, PictureCase{0.5, "#.000", ".500"},
                    PictureCase{25.34, "00.0", "25.3"}, PictureCase{25.35, "00.0", "25.4"},
                    PictureCase{100, "00.0", "100.0"}, PictureCase{-1999.9, "000.0", "-1999.9"},
                    PictureCase{14.0, "0.000", "14.000"}, PictureCase{61.015625, "#0.0", "61.0"},
                    PictureCase{-2, "#0.0", "-2.0"}, PictureCase{0, "#0.0", "0.0"},
                    PictureCase{-0.04, "0.0", "0.0"}, PictureCase{7, "00", "07"},
                    PictureCase{42, "#####", "42"}, PictureCase{0, "#####", ""},
                    PictureCase{25.0, "#00.0", "25.0"}, PictureCase{5.5, "#000.0", "005.5"},
                    PictureCase{2.0004, "0.000", "2.000"}, PictureCase{2.0005, "0.000", "2.001"},
                    PictureCase{1217217217.217, "0.000", "1217217217.217"},
                    PictureCase{5e11, "#####", "500000000000"},
                    PictureCase{-99999999999.95, "000.0", "-100000000000.0"},
                    PictureCase{0.05, "0.0", "0.1"}, PictureCase{0.049, "0.0", "0.0"}));

// Values too large to scale in a double still print every digit, never "inf".
TEST(FormatPicture, HugeValuesKeepTheirDigits) {
    const std::string text = core::FormatPicture(1.7e308, "0.000");
    EXPECT_EQ(text.substr(0, 3), "170");
    EXPECT_EQ(text.size(), 309u + 4u);
    EXPECT_EQ(text.find_first_not_of("0123456789.", 3), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 4), ".000");
}

}  // namespace
