#!/usr/bin/env python3
"""Writes the sample recording of examples/ to standard output.

Four hours of readings every 10 seconds in the recording-file layout: record number, date
"yy/mm/dd", time "hh:mm:ss", pH value, "pH", temperature, "'C", "ATC", joined by TABs, CR LF line
ends. A slowly drifting pH around 7 with small noise, a room warming by about one and a half
degrees. The output is the same on every run and every Python version (own random generator).

    python3 tools/make_sample_recording.py > examples/sample_recording.dat
"""

import datetime
import math
import sys

START = datetime.datetime(2024, 3, 14, 9, 0, 0)
INTERVAL_SECONDS = 10
HOURS = 4


class Noise:
    """A small linear congruential generator, so that the file never changes."""

    def __init__(self, seed):
        self.state = seed

    def uniform(self):
        self.state = (self.state * 6364136223846793005 + 1442695040888963407) % 2**64
        return (self.state >> 11) / 2**53

    def gauss(self, sigma):
        # Sum of twelve uniforms: close enough to a normal distribution for meter noise.
        return (sum(self.uniform() for _ in range(12)) - 6.0) * sigma


def readings():
    noise = Noise(20240314)
    count = HOURS * 3600 // INTERVAL_SECONDS
    for i in range(count):
        hours = i * INTERVAL_SECONDS / 3600
        # The electrode settles after immersion, then drifts slowly with a gentle swing.
        ph = 7.0 + 0.04 * math.exp(-hours * 6) + 0.025 * hours + 0.02 * math.sin(hours * 1.7)
        ph += noise.gauss(0.002)
        temperature = 24.2 + 1.6 * (1 - math.exp(-hours / 1.5)) + noise.gauss(0.04)
        yield START + datetime.timedelta(seconds=i * INTERVAL_SECONDS), ph, temperature


def main():
    out = sys.stdout.buffer
    for number, (when, ph, temperature) in enumerate(readings(), start=1):
        cells = [
            str(number),
            when.strftime("%y/%m/%d"),
            when.strftime("%H:%M:%S"),
            f"{ph:.3f}",
            "pH",
            f"{temperature:.1f}",
            "'C",
            "ATC",
        ]
        out.write(("\t".join(cells) + "\r\n").encode("ascii"))


if __name__ == "__main__":
    main()
