#include "core/stored_record.h"

#include "core/text_rules.h"

namespace core {

namespace {

constexpr std::string_view kOverRangeDigits = "FFFF";

void setValueTexts(std::string digits, StoredRecordState& s) {
    MeterReading& r = s.reading;
    if (digits == kOverRangeDigits) {
        if (r.IsMV == 1) {
            s.unitText = "mV";
            s.valueText = r.IsNegative == 1 ? kOverRangeMvNegative : kOverRangeMv;
        } else if (r.IsPH == 1) {
            s.unitText = "pH";
            s.valueText = kOverRangePh;
        }
        return;
    }
    DigitsToValue(r, digits);
    if (r.IsMV == 1) {
        s.unitText = "mV";
        s.valueText = FormatPicture(r.MainValue, "000.0");
    } else if (r.IsPH == 1) {
        s.unitText = "pH";
        s.valueText = FormatPicture(r.MainValue, "0.000");
    }
}

}  // namespace

RecordRow DecodeStoredRecord(const StoredRecordFields& f, StoredRecordState& s) {
    MeterReading& r = s.reading;
    int a = f.statusA;
    int b = f.statusB;
    DecodeStatusA(r, a);
    DecodeStatusB(r, b);
    setValueTexts(f.valueDigits, s);
    std::string tempDigits = f.tempDigits;
    DigitsToTemperature(r, tempDigits);

    RecordRow row;
    row.cells = {DecimalText(f.number),
                 f.date,
                 f.time,
                 s.valueText,
                 s.unitText,
                 FormatPicture(r.TempValue, "00.0"),
                 r.IsCelsius == 1 ? "'C" : "'F",
                 r.IsManualTemp == 1 ? "MTC" : "ATC",
                 r.LowBattery == 1 ? "Low" : ""};
    return row;
}

RowTexts ToRowTexts(const std::vector<RecordRow>& rows) {
    RowTexts texts;
    texts.reserve(rows.size(), rows.size() * 48);
    for (const RecordRow& row : rows) texts.append(row.tabText());
    return texts;
}

}  // namespace core
