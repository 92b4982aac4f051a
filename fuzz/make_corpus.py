#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into corpus/<target>/, drawn from the unit tests'
vectors, and the inputs of mended findings. Run it again after changing a seed; libFuzzer adds
its own finds beside them when scripts/fuzz runs."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
PH, MV, C, NEG, MTC = 0x01, 0x02, 0x04, 0x10, 0x20
UPPER_ONE, LOW, LOWER_ONE = 0x01, 0x08, 0x40
MARKER = bytes([0xAA, 0xBB, 0xCC, 0xDD])


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode("latin-1"))


def single(value, temp, a, b, date=(0x10, 0x05, 0x31), time=(0x09, 0x07, 0x00)):
    """A single record from digits most significant first."""
    return bytes(value[::-1]) + bytes(temp[::-1]) + bytes([a, b, *date, *time])


def count(n):
    return bytes([n & 0xFF, n >> 8])


# The single-record dump: two bytes of announced count, then the records.
records = [
    single((7, 0, 1, 2), (2, 5, 0, 0), PH | C, 0),
    single((0, 0, 0, 5), (0, 5, 0, 0), MV | MTC, LOW | LOWER_ONE),
    single((1, 2, 3, 4), (2, 5, 0, 0), MV | C | NEG, 0),
    single((9, 9, 9, 9), (2, 5, 0, 0), MV | C, UPPER_ONE),
    single((0, 12, 3, 4), (2, 5, 0, 0), PH | C, 0),
    single((15, 15, 15, 15), (15, 15, 15, 15), MV | C | NEG, 0),
    single((7, 0, 0, 0), (2, 5, 3, 5), C, 0),
]
write("fuzz_single_dump", "test_records", count(len(records)) + b"".join(records))
write("fuzz_single_dump", "surplus_and_cut", count(3) + records[1] + records[6] + MARKER[:3])
write("fuzz_single_dump", "nothing_to_carry", count(1) + records[6])
# Mended: large digit bytes rounded up the last digit (1217217217.218).
write("fuzz_single_dump", "large_digits_keep_last_digit",
      count(1) + single((217, 217, 217, 217), (0, 0, 0, 0), PH, UPPER_ONE))
write("fuzz_single_dump", "largest_digits",
      count(2) + single((255, 255, 255, 255), (255, 255, 255, 255), MV | NEG, UPPER_ONE | LOWER_ONE)
      + single((255, 255, 255, 255), (9, 9, 9, 5), PH, 0))


# The set dump: two bytes of used memory, then the dump.
def header(date=(0x10, 0x05, 0x31), time=(0x09, 0x07, 0x00), interval=10):
    return bytes([*date, *time, interval])


PH_RECORD = bytes([0x12, 0x70, 0x34, 0x25, PH | C, 0])
MV_DASHES = bytes([0xFF, 0xFF, 0xFF, 0xFF, MV | NEG, LOW])
PH_DASHES = bytes([0xFF, 0xFF, 0x00, 0x25, PH | MTC, LOWER_ONE])
NO_UNIT = bytes([0x00, 0x05, 0x50, 0x25, C, 0])


def dump(*sets, trailer=True):
    used = b"".join(MARKER + s for s in sets)
    return count(len(used)) + used + (bytes(7) if trailer else b"")


write("fuzz_set_dump", "two_sets", dump(header() + PH_RECORD * 2, header() + PH_RECORD))
write("fuzz_set_dump", "over_midnight_and_year",
      dump(header((0x99, 0x12, 0x31), (0x23, 0x59, 0x55), 10) + PH_RECORD * 3))
write("fuzz_set_dump", "leap_days",
      dump(header((0x08, 0x02, 0x28), (0x23, 0x59, 0x59), 1) + PH_RECORD * 3,
           header((0x09, 0x02, 0x28), (0x23, 0x59, 0x59), 255) + PH_RECORD * 3,
           header((0x00, 0x02, 0x28), (0x23, 0x59, 0x59), 2) + PH_RECORD * 2))
write("fuzz_set_dump", "dashes_and_carried_units",
      dump(header() + NO_UNIT + MV_DASHES + NO_UNIT + PH_DASHES + PH_RECORD))
write("fuzz_set_dump", "corrupt_header",
      dump(header((0x00, 0x00, 0x00), (0xFF, 0x99, 0x61), 0) + PH_RECORD * 2,
           header((0x99, 0x13, 0x32), (0x24, 0x60, 0x60), 200) + PH_RECORD))
write("fuzz_set_dump", "cut_short",
      count(200) + MARKER + header() + PH_RECORD + PH_RECORD[:3])
write("fuzz_set_dump", "partial_record_and_short_header",
      dump(header() + PH_RECORD + PH_RECORD[:2], header()[:4]))

# The typed texts: a selector byte (plot quantity and list size), then the fields at line
# feeds: sampling answer, logging interval, live records / min / max, plot from / to / min /
# max, alarm high / low, and a caption or cell text.
def typed(selector, *fields):
    return bytes([selector]) + "\n".join(fields).encode("latin-1")


write("fuzz_typed_texts", "defaults",
      typed(3, "2", "30 sec", "300", "0", "14", "1", "5", "0", "14", "14", "0", "7.012"))
write("fuzz_typed_texts", "separators_and_halves",
      typed(7, "1,000", "2.5", "10.5", "5", "5.5", "0", "19", "1", "10", "2000", "-2000",
            "- - - . -"))
write("fuzz_typed_texts", "rounding",
      typed(0, " 3.5 ", "255.4", "13.5", "0", "2000", "2abc", "9 rows", "4", "10", "25.35",
            "25.34", "-123.44"))
# Mended: large values rounded up in their last digit, and a plot range near 2^53 counted
# one point more than the list has rows.
write("fuzz_typed_texts", "large_values",
      typed(12, "86400", "1", "8800000000000001", "0", "1217217217.217", "0",
            "9007199254740992", "0", "14", "500000000000", "-99999999999.95", "0.05"))
write("fuzz_typed_texts", "huge_ranges",
      typed(9, "99999999999", "", "9007199254740993", "0.0001", "0.0002", "1",
            "9007199254740992", "0", "2000", "1" + "0" * 300, "0", "-" + "9" * 15))

# The data-file reader: recording lines, list-file lines, quoted items and bare line ends.
write("fuzz_data_file_reader", "recording_lines",
      "1\t24/03/05\t14:02:59\t7.012\tpH\t25.3\t'C\tATC\r\n"
      "2\t24/03/05\t14:03:01\t- . - - -\tpH\t25.3\t'C\tATC\r\n")
write("fuzz_data_file_reader", "list_file_lines",
      "\"1\t10/05/31\t09:07:00\t000.5\tmV\t105.0\t'F\tMTC\tLow\t\"\r\n"
      "\"2\t10/05/31\t09:07:00\t-123.4\tmV\t25.0\t'C\tATC\t\t\"\r\n")
write("fuzz_data_file_reader", "quotes_commas_and_line_ends",
      "  \"a,b\r\nc\" tail,next\rlast\n\"open quote\t1\t2")
write("fuzz_data_file_reader", "latin1_and_too_many_cells",
      "1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\n\xe9t\xe9\t\xc3\xa9\n")


# The display frames: 9 bytes each, nibble pairs of the upper, lower and small fields.
def frame(upper, lower, small, a, b):
    n = lambda two: int(two, 16)
    return bytes([0, n(upper[2:]), n(upper[:2]), n(lower[2:]), n(lower[:2]), n(small), a, b, 0])


write("fuzz_display_frame", "readings",
      frame("7012", "2530", "EE", PH | C, 0) + frame("1234", "2500", "EE", MV | C | NEG, 0)
      + frame("9999", "0500", "EE", MV, UPPER_ONE | LOWER_ONE | LOW)
      + frame("FFFF", "2500", "EE", PH | MTC, 0))
write("fuzz_display_frame", "clock_interval_cal",
      frame("0907", "1005", "31", 0, 0x02) + frame("0030", "EEEE", "EE", 0, 0x04)
      + frame("7000", "2500", "01", PH, 0x80) + frame("EEEE", "EEEE", "EE", 0, 0x30))
