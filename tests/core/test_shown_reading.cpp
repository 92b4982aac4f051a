// The values the render writes beside the captions (PanelState::Shown) against the captions
// themselves: the limit alarm and the live graphs come out the same whichever they read.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "caption_reference.h"
#include "core/alarm_limits.h"
#include "core/sample.h"
#include "core/sample_row.h"
#include "core/screen_render.h"
#include "frame_builder.h"

namespace {

using A = core::StatusByteA::Bit;
using B = core::StatusByteB::Bit;
using core::MainUnit;
using core::Quantity;
using core::ShownNumber;
using core::ShownOverRange;
using core::ShownValue;
using core::TempUnit;

struct ShownCase {
    const char* name;
    const char* upper;
    const char* lower;
    int statusA;
    int statusB;
    core::ShownReading shown;
};

TEST(ShownReading, RenderWritesEachScreensValuesAndUnits) {
    const ShownValue none;
    const ShownCase cases[] = {
        {"ph",
         "7000",
         "2534",
         A::IsPH | A::IsCelsius,
         0,
         {ShownNumber(7.0), MainUnit::Ph, ShownNumber(25.3), TempUnit::Celsius}},
        {"mvNegLead",
         "9999",
         "2500",
         A::IsMV | A::IsNegative | A::IsFahrenheit,
         B::UpperLeadingOne,
         {ShownNumber(-1999.9), MainUnit::Mv, ShownNumber(25.0), TempUnit::Fahrenheit}},
        {"phOverNeg",
         "FFFF",
         "2500",
         A::IsPH | A::IsNegative,
         0,
         {ShownOverRange(true), MainUnit::Ph, ShownNumber(25.0), TempUnit::None}},
        {"mvOver",
         "FFFF",
         "0000",
         A::IsMV,
         B::LowerLeadingOne,
         {ShownOverRange(false), MainUnit::Mv, ShownNumber(100.0), TempUnit::None}},
        // Without a unit the value field keeps its text and its value.
        {"noUnit", "7000", "2500", 0, 0, {none, MainUnit::None, ShownNumber(25.0), TempUnit::None}},
        {"clock",
         "12F5",
         "0930",
         A::IsPH | A::IsCelsius,
         B::ClockMode,
         {none, MainUnit::None, none, TempUnit::None}},
        {"intervalCelsius",
         "EEEE",
         "2505",
         A::IsCelsius,
         B::IntervalMode,
         {none, MainUnit::None, none, TempUnit::Celsius}},
        {"calPh",
         "0500",
         "0250",
         A::IsPH | A::IsCelsius,
         B::CalMode,
         {ShownNumber(0.5), MainUnit::Ph, ShownNumber(25.0), TempUnit::Celsius}},
        {"calNone", "E1F2", "1230", 0, B::CalMode, {none, MainUnit::None, none, TempUnit::None}},
    };
    for (const ShownCase& c : cases) {
        core::MeterReading reading;
        core::PanelState panel;
        core::RenderFrame(makeFrame(c.upper, c.lower, "EE", c.statusA, c.statusB), reading, panel);
        EXPECT_EQ(panel.Shown, c.shown) << c.name;
        // On a measuring screen the values are what the captions read.
        if (core::MeterIsMeasuring(reading) && c.shown.upperUnit != MainUnit::None) {
            EXPECT_EQ(panel.Shown, reference::ShownOfCaptions(panel)) << c.name;
        }
        EXPECT_EQ(core::MakeSample(panel, reading, "", "").shown, c.shown) << c.name;
    }
    core::MeterReading reading;
    core::PanelState lost;
    core::RenderFrame(makeFrame("7000", "2534", "EE", A::IsPH | A::IsCelsius, 0), reading, lost);
    core::ClearDisplayForLostLink(lost);
    EXPECT_EQ(lost.Shown, core::ShownReading{});
}

core::ShownReading upperOnly(ShownValue upper, MainUnit unit) {
    core::ShownReading shown;
    shown.upper = upper;
    shown.upperUnit = unit;
    return shown;
}

TEST(ShownReading, GraphValueOfEachField) {
    const struct {
        core::ShownReading shown;
        Quantity quantity;
        double value;
    } cases[] = {
        {upperOnly(ShownNumber(7.25), MainUnit::Ph), Quantity::Ph, 7.25},
        {upperOnly(ShownOverRange(false), MainUnit::Ph), Quantity::Ph, 18},
        {upperOnly(ShownOverRange(true), MainUnit::Ph), Quantity::Ph, -18},
        {upperOnly(ShownOverRange(false), MainUnit::Mv), Quantity::Mv, 4000},
        {upperOnly(ShownOverRange(true), MainUnit::Mv), Quantity::Mv, -4000},
        // Another quantity's dashes read as no number, as their text does.
        {upperOnly(ShownOverRange(true), MainUnit::Mv), Quantity::Ph, 0},
        {upperOnly(ShownValue{}, MainUnit::Mv), Quantity::Mv, 0},
        {{ShownNumber(-3), MainUnit::Mv, ShownNumber(25.3), TempUnit::Celsius},
         Quantity::Temperature,
         25.3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::PlotValue(c.shown, c.quantity), c.value)
            << int(c.shown.upper.kind) << " " << int(c.quantity);
}

// What the sweep saw, so that it cannot pass by never comparing.
struct Seen {
    long graphValues = 0;
    long overBlinks = 0;
    long underBlinks = 0;
    long dashesHide = 0;
    long boundaries = 0;
};

// Two panels fed the same frames: one alarm reads the values, the other the captions.
class Twin {
  public:
    explicit Twin(std::uint32_t seed) : dice_(seed) {}

    // Renders `frame` on both, with the alarm armed now and then, and compares.
    bool tick(const core::DisplayFrame& frame, Seen& seen) {
        arm();
        core::RenderFrame(frame, typedReading_, typed_);
        core::RenderFrame(frame, captionReading_, captions_);
        core::StepAnnunciators(frame, typedReading_, typed_);
        core::StepAnnunciators(frame, captionReading_, captions_);
        const core::PanelState rendered = typed_;
        core::EvaluateAlarm(typedReading_, typedLimits_, typed_);
        reference::EvaluateAlarmOnCaptions(captionReading_, captionLimits_, captions_);
        if (!(typed_ == captions_) || !(typedLimits_ == captionLimits_)) return false;
        count(rendered, seen);
        return graphsAgree(seen);
    }

    std::string describe() const {
        return "upper '" + typed_.LblUpValue + "' " + typed_.LblUpUnit + ", lower '" +
               typed_.LblDownLeftValue + "' " + typed_.Lblfc;
    }

  private:
    // Switches a main and a temperature alarm on with limits around the shown values, the
    // shown value itself among them (the comparisons are strict).
    void arm() {
        if (dice_() % 4 != 0) return;
        core::AlarmLimits& a = typedLimits_;
        const double upper = typed_.Shown.upper.number;
        const double temperature = typed_.Shown.temperature.number;
        const bool ph = dice_() % 2 == 0;
        const bool celsius = dice_() % 2 == 0;
        a.PhAlarmOn = ph;
        a.MvAlarmOn = !ph;
        a.CAlarmOn = celsius;
        a.FAlarmOn = !celsius;
        const double spread = ph ? 2 : 200;
        (ph ? a.PhHigh : a.MvHigh) = limitNear(upper, spread);
        (ph ? a.PhLow : a.MvLow) = limitNear(upper, spread) - spread;
        (celsius ? a.CHigh : a.FHigh) = limitNear(temperature, 20);
        (celsius ? a.CLow : a.FLow) = limitNear(temperature, 20) - 20;
        captionLimits_ = a;
    }

    double limitNear(double value, double spread) {
        switch (dice_() % 4) {
            case 0:
                return value;
            case 1:
                return value + spread;
            case 2:
                return value - spread / 2;
            default:
                return double(dice_() % 1000) * spread / 500 - spread;
        }
    }

    static void countPair(bool overBefore, bool underBefore, bool over, bool under,
                          const ShownValue& value, Seen& seen) {
        if (over && !overBefore) ++seen.overBlinks;
        if (under && !underBefore) ++seen.underBlinks;
        if (value.kind == ShownValue::Kind::OverRange && (overBefore || underBefore) && !over &&
            !under)
            ++seen.dashesHide;
    }

    void count(const core::PanelState& rendered, Seen& seen) {
        countPair(rendered.LblUOver, rendered.LblUUnder, typed_.LblUOver, typed_.LblUUnder,
                  typed_.Shown.upper, seen);
        countPair(rendered.LblDOver, rendered.LblDUnder, typed_.LblDOver, typed_.LblDUnder,
                  typed_.Shown.temperature, seen);
        const core::AlarmLimits& a = typedLimits_;
        const double upper = typed_.Shown.upper.number;
        if ((a.PhAlarmOn && (upper == a.PhHigh || upper == a.PhLow)) ||
            (a.MvAlarmOn && (upper == a.MvHigh || upper == a.MvLow)))
            ++seen.boundaries;
    }

    // The samples the live graphs take (measuring screens with their unit) give the same value
    // from the sample's values as from its captions, to the bit.
    bool graphsAgree(Seen& seen) {
        const core::MeterReading& r = typedReading_;
        if (!core::MeterIsMeasuring(r)) return true;
        const core::Sample sample = core::MakeSample(typed_, r, "", "");
        std::vector<Quantity> drawn;
        if (r.IsMV == 1)
            drawn.push_back(Quantity::Mv);
        else if (r.IsPH == 1)
            drawn.push_back(Quantity::Ph);
        if (r.IsCelsius == 1 || r.IsFahrenheit == 1) drawn.push_back(Quantity::Temperature);
        for (Quantity quantity : drawn) {
            const double fromValues = core::PlotValue(sample.shown, quantity);
            const double fromCaption = reference::GraphValueOfCaption(typed_, quantity);
            if (std::memcmp(&fromValues, &fromCaption, sizeof(double)) != 0) return false;
            ++seen.graphValues;
        }
        // And the values are what the captions read, field by field.
        const core::ShownReading read = reference::ShownOfCaptions(typed_);
        const core::ShownReading& shown = typed_.Shown;
        return shown.temperature == read.temperature &&
               shown.temperatureUnit == read.temperatureUnit && shown.upperUnit == read.upperUnit &&
               (shown.upperUnit == MainUnit::None || shown.upper == read.upper);
    }

    std::mt19937 dice_;
    core::MeterReading typedReading_, captionReading_;
    core::PanelState typed_, captions_;
    core::AlarmLimits typedLimits_, captionLimits_;
};

core::DisplayFrame frameOf(const std::uint8_t (&digits)[5], int statusA, int statusB) {
    core::DisplayFrame f;
    for (int i = 0; i < 5; ++i) f.bytes[std::size_t(i) + 1] = digits[i];
    f.bytes[6] = std::uint8_t(statusA);
    f.bytes[7] = std::uint8_t(statusB);
    return f;
}

TEST(ShownReading, EveryStatusPairWithDigitPatternsAgreesWithTheCaptions) {
    // Upper and lower digit texts, low byte first as on the line: readings, leading-one and
    // rounding edges, over-range dashes, blanks and letters.
    const char* uppers[] = {"7000", "0000", "9999", "FFFF", "EEEE", "1F05",
                            "12E4", "ABCD", "0001", "4999", "0005", "F000"};
    const char* lowers[] = {"2534", "0000", "9999", "EEEE", "0930", "FFFF", "2535", "0005"};
    Twin twin(1);
    Seen seen;
    long frames = 0;
    for (int b = 0; b < 256; ++b) {
        for (int a = 0; a < 256; ++a, ++frames) {
            const std::size_t i = std::size_t(b * 256 + a);
            const core::DisplayFrame frame = makeFrame(
                uppers[i % std::size(uppers)], lowers[(i / 7) % std::size(lowers)], "EE", a, b);
            ASSERT_TRUE(twin.tick(frame, seen))
                << "status " << a << "/" << b << ": " << twin.describe();
        }
    }
    EXPECT_EQ(frames, 65536);
    EXPECT_GT(seen.graphValues, 10000);
    EXPECT_GT(seen.overBlinks, 0);
    EXPECT_GT(seen.underBlinks, 0);
    EXPECT_GT(seen.dashesHide, 0);
    EXPECT_GT(seen.boundaries, 0);
}

TEST(ShownReading, SeededRandomFramesAgreeWithTheCaptions) {
    std::mt19937 dice(20240305);
    Twin twin(7);
    Seen seen;
    for (long n = 0; n < 100000; ++n) {
        // Mostly decimal digits, now and then a letter (E blank, F dash, A..D stray).
        std::uint8_t digits[5];
        for (std::uint8_t& byte : digits) {
            std::uint8_t pair = 0;
            for (int half = 0; half < 2; ++half) {
                const std::uint32_t r = dice();
                pair = std::uint8_t(pair << 4 | (r % 5 == 0 ? 10 + (r / 5) % 6 : (r / 5) % 10));
            }
            byte = pair;
        }
        // The over-range dashes of the upper field now and then.
        if (dice() % 8 == 0) digits[0] = digits[1] = 0xFF;
        int statusA = int(dice() % 256);
        int statusB = int(dice() % 256);
        // Mostly measuring screens, so that the alarm stays armed for a while.
        if (dice() % 4 != 0) statusB &= ~(B::ClockMode | B::IntervalMode | B::CalMode);
        ASSERT_TRUE(twin.tick(frameOf(digits, statusA, statusB), seen))
            << "frame " << n << ": " << twin.describe();
    }
    EXPECT_GT(seen.graphValues, 50000);
    EXPECT_GT(seen.overBlinks, 0);
    EXPECT_GT(seen.underBlinks, 0);
    EXPECT_GT(seen.dashesHide, 0);
    EXPECT_GT(seen.boundaries, 0);
}

}  // namespace
