#include <gtest/gtest.h>

#include "core/clock_frame.h"

namespace {

TEST(ClockFrame, BcdFieldsOfOneMoment) {
    const auto frame = core::ClockSetFrame({2026, 12, 8, 5, 9, 7});
    const std::array<std::uint8_t, 7> expected = {0x44, 0x26, 0x12, 0x08, 0x05, 0x09, 0x07};
    EXPECT_EQ(frame, expected);
    const auto lastSecond = core::ClockSetFrame({2099, 12, 31, 23, 59, 59});
    const std::array<std::uint8_t, 7> expectedLast = {0x44, 0x99, 0x12, 0x31, 0x23, 0x59, 0x59};
    EXPECT_EQ(lastSecond, expectedLast);
    EXPECT_EQ(core::ClockSetFrame({2000, 1, 1, 0, 0, 0})[1], 0x00);
}

TEST(ClockFrame, ToBcd) {
    EXPECT_EQ(core::ToBcd(59), 0x59);
    EXPECT_EQ(core::ToBcd(7), 0x07);
    EXPECT_EQ(core::ToBcd(12), 0x12);
    EXPECT_EQ(core::ToBcd(2026), 0x26);
}

}  // namespace
