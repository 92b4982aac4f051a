#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "core/memory_texts.h"
#include "core/record_time.h"

namespace {

using core::RecordTime;

struct TimeCase {
    const char* name;
    RecordTime start;
    int seconds;
    RecordTime expected;
};

TEST(RecordTimes, CarryIntoTheNextDayMonthAndYear) {
    const TimeCase cases[] = {
        {"midnight", {10, 5, 31, 23, 59, 55}, 10, {10, 6, 1, 0, 0, 5}},
        {"30 Jan", {10, 1, 30, 23, 59, 59}, 1, {10, 1, 31, 0, 0, 0}},
        {"31 Jan", {10, 1, 31, 23, 59, 59}, 1, {10, 2, 1, 0, 0, 0}},
        {"30 Apr", {10, 4, 30, 23, 59, 59}, 255, {10, 5, 1, 0, 4, 14}},
        {"28 Feb 08", {8, 2, 28, 23, 59, 59}, 1, {8, 2, 29, 0, 0, 0}},
        {"29 Feb 08", {8, 2, 29, 23, 59, 59}, 1, {8, 3, 1, 0, 0, 0}},
        {"28 Feb 09", {9, 2, 28, 23, 59, 59}, 1, {9, 3, 1, 0, 0, 0}},
        {"28 Feb 00", {0, 2, 28, 23, 59, 59}, 1, {0, 2, 29, 0, 0, 0}},
        {"30 Nov", {10, 11, 30, 23, 59, 59}, 1, {10, 12, 1, 0, 0, 0}},
        {"31 Dec 99", {99, 12, 31, 23, 59, 59}, 1, {0, 1, 1, 0, 0, 0}},
        {"day 0, month 13 (corrupt)", {10, 13, 0, 0, 0, 0}, 0, {11, 1, 1, 0, 0, 0}},
        {"day 60 of April (corrupt)", {10, 4, 60, 0, 0, 0}, 0, {10, 5, 30, 0, 0, 0}},
    };
    for (const TimeCase& c : cases) {
        RecordTime t = c.start;
        core::AdvanceRecordTime(t, c.seconds);
        EXPECT_EQ(t, c.expected) << c.name;
    }
    const std::uint8_t header[6] = {0x99, 0x12, 0x31, 0x23, 0x59, 0xFF};
    EXPECT_EQ(core::RecordTimeFromBcd(header), (RecordTime{99, 12, 31, 23, 59, 0}));
}

TEST(MemoryTexts, RemainingMemory) {
    const std::pair<unsigned, const char*> single[] = {
        {1792, "32.0K"}, {2816, "31.0K"}, {34560, "0.0K"}, {36608, "-2.0K"}};
    for (const auto& [pointer, text] : single)
        EXPECT_EQ(core::SingleModeRemainingText(pointer), text) << pointer;
    const std::pair<unsigned, const char*> multi[] = {
        {2816, "61.0K"}, {65279, "0.0K"}, {65280, "0 K"}, {65535, "0 K"}};
    for (const auto& [pointer, text] : multi)
        EXPECT_EQ(core::MultiModeRemainingText(pointer), text) << pointer;
}

TEST(MemoryTexts, MeterClockAndInterval) {
    const std::vector<std::uint8_t> reply = {0x10, 0x05, 0x31, 0x09, 0x07, 0x00, 0x99};
    EXPECT_EQ(core::MeterClockText(reply), "10/05/31-----09:07:00");
    EXPECT_EQ(core::MeterClockText(std::span(reply).first(5)), "");
    EXPECT_EQ(core::IntervalText(30), "30 sec");
}

TEST(MemoryTexts, SamplingIntervalToSend) {
    const std::pair<const char*, std::optional<std::uint8_t>> cases[] = {
        {"abc", std::nullopt},
        {"1", std::nullopt},
        {"1.9", std::nullopt},
        {"256", std::nullopt},
        {"255.1", std::nullopt},
        {"", std::nullopt},
        {"2", 2},
        {"255", 255},
        {"10 sec", 10},
        {"2.5", 2},
        {"3.5", 4},
        {"254.5", 254},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(core::SamplingIntervalByte(text), expected) << text;
}

}  // namespace
