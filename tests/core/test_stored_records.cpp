#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/record_row.h"
#include "core/set_memory.h"
#include "core/set_records.h"
#include "core/single_records.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t kPh = 0x01, kMv = 0x02, kC = 0x04, kNeg = 0x10, kMtc = 0x20;
constexpr std::uint8_t kUpperOne = 0x01, kLow = 0x08, kLowerOne = 0x40;

// A single record: value and temperature digits most significant first, as they are read.
Bytes singleRecord(std::array<std::uint8_t, 4> value, std::array<std::uint8_t, 4> temp,
                   std::uint8_t a, std::uint8_t b) {
    return {value[3], value[2], value[1], value[0], temp[3], temp[2], temp[1], temp[0],
            a,        b,        0x10,     0x05,     0x31,    0x09,    0x07,    0x00};
}

TEST(SingleRecords, DecodeEachRecordIntoItsCells) {
    const std::pair<Bytes, const char*> cases[] = {
        {singleRecord({7, 0, 1, 2}, {2, 5, 0, 0}, kPh | kC, 0), "7.012\tpH\t25.0\t'C\tATC"},
        {singleRecord({0, 0, 0, 5}, {0, 5, 0, 0}, kMv | kMtc, kLow | kLowerOne),
         "000.5\tmV\t105.0\t'F\tMTC\tLow"},
        {singleRecord({1, 2, 3, 4}, {2, 5, 0, 0}, kMv | kC | kNeg, 0), "-123.4\tmV\t25.0\t'C\tATC"},
        {singleRecord({9, 9, 9, 9}, {2, 5, 0, 0}, kMv | kC, kUpperOne),
         "1999.9\tmV\t25.0\t'C\tATC"},
        {singleRecord({0, 12, 3, 4}, {2, 5, 0, 0}, kPh | kC, 0), "1.234\tpH\t25.0\t'C\tATC"},
        {singleRecord({15, 15, 15, 15}, {15, 15, 15, 15}, kMv | kC | kNeg, 0),
         "- - - - . -\tmV\t00.0\t'C\tATC"},
        // Large digit bytes keep the value's last digit.
        {singleRecord({217, 217, 217, 217}, {0, 0, 0, 0}, kPh, kUpperOne),
         "1217217217.217\tpH\t00.0\t'F\tATC"},
    };
    for (const auto& [record, cells] : cases) {
        const auto rows = core::DecodeSingleDump(record, 1);
        ASSERT_EQ(rows.size(), 1u) << cells;
        EXPECT_EQ(rows[0].tabText(), std::string("1\t10/05/31\t09:07:00\t") + cells);
    }
}

TEST(SingleRecords, DumpCarriesUnitTextsAndKeepsOnlyAnnouncedCompleteRecords) {
    Bytes dump = singleRecord({0, 0, 0, 5}, {2, 5, 0, 0}, kMv | kC, 0);
    const Bytes noUnit = singleRecord({7, 0, 0, 0}, {2, 5, 0, 0}, kC, 0);
    dump.insert(dump.end(), noUnit.begin(), noUnit.end());
    dump.insert(dump.end(), {0xAA, 0xBB, 0xCC});  // surplus or a record cut short

    const auto rows = core::DecodeSingleDump(dump, 3);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].cells[0], "2");
    EXPECT_EQ(rows[1].cells[3], "000.5");
    EXPECT_EQ(rows[1].cells[4], "mV");
    EXPECT_EQ(core::DecodeSingleDump(dump, 1).size(), 1u);
    EXPECT_EQ(core::DecodeSingleDump(noUnit, 1)[0].cells[3], "") << "nothing to carry yet";
}

// The set dump's used part: a marker before every set.
Bytes setDump(const std::vector<Bytes>& sets) {
    Bytes dump;
    for (const Bytes& s : sets) {
        dump.insert(dump.end(), {0xAA, 0xBB, 0xCC, 0xDD});
        dump.insert(dump.end(), s.begin(), s.end());
    }
    return dump;
}

const Bytes kHeader = {0x10, 0x05, 0x31, 0x09, 0x07, 0x00, 0x0A};

Bytes set(std::initializer_list<Bytes> records) {
    Bytes s = kHeader;
    for (const Bytes& r : records) s.insert(s.end(), r.begin(), r.end());
    return s;
}

const Bytes kPhRecord = {0x12, 0x70, 0x34, 0x25, kPh | kC, 0};

TEST(SetMemory, TwoSetsAreSplitListedAndDecodedCompletely) {
    const Bytes used = setDump({set({kPhRecord, kPhRecord}), set({kPhRecord})});
    Bytes dump = used;
    dump.insert(dump.end(), {0, 0, 0, 0, 0, 0, 0, 0xAA, 0xBB, 0xCC, 0xDD, 1, 2});  // + surplus
    const unsigned pointer = core::MemoryPointer(0x07, static_cast<std::uint8_t>(used.size()));
    ASSERT_EQ(core::UsedBytes(pointer), used.size());

    const core::SetDumpSplit split = core::SplitSetDump(dump, core::UsedBytes(pointer));
    EXPECT_FALSE(split.cutShort);
    ASSERT_EQ(split.sets.size(), 2u);
    const std::string gap(20, ' ');
    EXPECT_EQ(core::SetItemText(1, split.sets[0]),
              "1" + std::string(10, ' ') + "10/05/31-----09:07:00" + gap + "2 Records");
    EXPECT_EQ(core::SetItemText(2, split.sets[1]),
              "2" + std::string(10, ' ') + "10/05/31-----09:07:00" + gap + "1 Records");

    const auto rows = core::DecodeSetRecords(split.sets[0]);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].tabText(), "2\t10/05/31\t09:07:10\t7.012\tpH\t25.3\t'C\tATC");
    EXPECT_EQ(core::DecodeSetRecords(split.sets[1]).size(), 1u) << "a set of one record";
}

TEST(SetMemory, EmptyCutShortAndPartialDumps) {
    EXPECT_EQ(core::UsedBytes(core::MemoryPointer(0x07, 0x00)), 0u);
    EXPECT_EQ(core::UsedBytes(0x0100), 0u) << "a pointer below the start";
    EXPECT_TRUE(core::SplitSetDump({}, 0).sets.empty());

    const Bytes full = setDump({set({kPhRecord, kPhRecord}), set({kPhRecord})});
    auto cutAfter = [&](std::size_t n) {
        return core::SplitSetDump(std::span(full).first(n), full.size());
    };
    const core::SetDumpSplit inRecord = cutAfter(4 + 7 + 6 + 3);
    EXPECT_TRUE(inRecord.cutShort);
    ASSERT_EQ(inRecord.sets.size(), 1u);
    EXPECT_EQ(core::SetRecordCountText(inRecord.sets[0].size()), "1.5");
    EXPECT_EQ(core::DecodeSetRecords(inRecord.sets[0]).size(), 1u) << "partial record not listed";

    const core::SetDumpSplit inHeader = cutAfter(4 + 7 + 12 + 4 + 2);
    ASSERT_EQ(inHeader.sets.size(), 2u);
    EXPECT_EQ(core::SetItemText(2, inHeader.sets[1]), "2" + std::string(10, ' ') + "10/05/--" +
                                                          "-----" + "--:--:--" +
                                                          std::string(20, ' ') + "0 Records");
    EXPECT_TRUE(core::DecodeSetRecords(inHeader.sets[1]).empty());
}

TEST(SetMemory, EverySetIsKeptAndEntryNumbersReadBack) {
    std::vector<Bytes> sets(150, set({kPhRecord}));
    const Bytes dump = setDump(sets);
    const core::SetDumpSplit split = core::SplitSetDump(dump, dump.size());
    ASSERT_EQ(split.sets.size(), 150u);
    for (long long k : {1LL, 9LL, 10LL, 99LL, 100LL, 150LL, 99999LL, 999999LL}) {
        const std::string text = core::SetItemText(k, split.sets.back());
        EXPECT_EQ(core::SetNumberOfItemText(text), k) << text;
    }
    EXPECT_EQ(core::SetItemText(100, split.sets.back()).substr(0, 12), "100      10/");
    EXPECT_EQ(core::SetItemText(123456, split.sets.back()).substr(0, 8), "123456 1");
}

TEST(SetRecords, ValueAndTemperatureTexts) {
    const std::pair<Bytes, const char*> cases[] = {
        {{0xFF, 0xFF, 0x00, 0x25, kMv | kC | kNeg, 0}, "- - - - . -\tmV\t25.0"},
        {{0xFF, 0xFF, 0x00, 0x25, kMv | kC, 0}, "- - - . -\tmV\t25.0"},
        {{0xFF, 0xFF, 0x00, 0x25, kPh | kC | kNeg, 0}, "- . - - -\tpH\t25.0"},
        {{0xFF, 0xFF, 0x00, 0x25, kC, 0}, "7.012\tpH\t25.0"},  // no unit: carried
        {{0x34, 0x12, 0xFF, 0xFF, kMv | kC | kNeg, 0}, "-123.4\tmV\t00.0"},
        {{0x34, 0x12, 0x00, 0x05, kPh | kC, kUpperOne | kLowerOne}, "11.234\tpH\t105.0"},
    };
    for (const auto& [record, cells] : cases) {
        const auto rows = core::DecodeSetRecords(set({kPhRecord, record}));
        ASSERT_EQ(rows.size(), 2u) << cells;
        EXPECT_EQ(rows[1].cells[3] + "\t" + rows[1].cells[4] + "\t" + rows[1].cells[5], cells);
    }
}

}  // namespace
