#include <gtest/gtest.h>

#include "core/file_suffix.h"

namespace {

// The filters the program's file dialogs offer, as Qt hands back the chosen one.
constexpr const char* kData = "Data Files (*.dat)";
constexpr const char* kAll = "All Files (*)";
constexpr const char* kPdf = "PDF Files (*.pdf)";

TEST(FileSuffix, ANameWithoutSuffixGetsTheChosenFiltersOne) {
    const struct {
        const char* path;
        const char* filter;
        const char* result;
    } cases[] = {
        {"/home/lab/rec", kData, "/home/lab/rec.dat"},
        {"/home/lab/rec.dat", kData, "/home/lab/rec.dat"},
        {"/home/lab/rec.txt", kData, "/home/lab/rec.txt"},  // a suffix typed on purpose
        {"/home/lab/buffer 7.00", kData, "/home/lab/buffer 7.00"},
        {"/home/lab.v2/rec", kData, "/home/lab.v2/rec.dat"},  // a dot in the folder only
        {"/home/lab/.rec", kData, "/home/lab/.rec"},
        {"/home/lab/rec.", kData, "/home/lab/rec."},
        {"/home/lab/rec", kAll, "/home/lab/rec"},
        {"/home/lab/listing", kPdf, "/home/lab/listing.pdf"},
        {"/home/lab/listing.PDF", kPdf, "/home/lab/listing.PDF"},
        {"rec", kData, "rec.dat"},
        {"", kData, ""},
        {"/home/lab/", kData, "/home/lab/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::WithFilterSuffix(c.path, c.filter), c.result) << c.path << " " << c.filter;

    EXPECT_EQ(core::FilterSuffix("Images (*.png *.jpg)"), ".png");
    EXPECT_EQ(core::FilterSuffix("*.*"), "");
    EXPECT_EQ(core::FilterSuffix("*.csv"), ".csv");
    EXPECT_EQ(core::FilterSuffix("Odd (*.d?t)"), "");
}

}  // namespace
