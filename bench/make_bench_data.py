#!/usr/bin/env python3
"""Writes a benchmark set: N PSD files of P points and their files.in, deterministic for a seed.

    python3 make_bench_data.py FOLDER [--files 400] [--points 2000] [--seed 1] [--crlf]

Every file holds the same frequencies (10 Hz upward in steps of 0.5 Hz), so a run passes its
check; amplitudes are a random-vibration profile between about 1e-6 and 1e-1 with measurement
scatter. The files rotate through the number styles measurement tools export.
"""
import argparse
import math
import os
import random

STYLES = [
    "{:.4f} {:.6e}",
    "{:g}  {:g}",
    "{:.6e}\t{:.6e}",
    "{:>14.4f}{:>18.8e}",
]


def profile(frequency, peak):
    base = 1e-3 / (1.0 + ((frequency - peak) / 25.0) ** 2) + 2e-5
    roll_off = 1.0 if frequency < 600.0 else (600.0 / frequency) ** 2
    return base * roll_off


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("folder")
    parser.add_argument("--files", type=int, default=400)
    parser.add_argument("--points", type=int, default=2000)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--crlf", action="store_true")
    args = parser.parse_args()
    rng = random.Random(args.seed)
    os.makedirs(args.folder, exist_ok=True)
    line_end = "\r\n" if args.crlf else "\n"
    names = []
    for f in range(args.files):
        name = "psd{:03d}.txt".format(f)
        style = STYLES[f % len(STYLES)]
        peak = rng.uniform(80.0, 400.0)
        lines = []
        for p in range(args.points):
            frequency = 10.0 + 0.5 * p
            amplitude = profile(frequency, peak) * math.exp(rng.gauss(0.0, 0.3))
            lines.append(style.format(frequency, min(amplitude, 0.1)) + line_end)
        with open(os.path.join(args.folder, name), "w", newline="") as out:
            out.write("".join(lines))
        names.append(name)
    with open(os.path.join(args.folder, "files.in"), "w", newline="") as out:
        out.write(line_end.join(names) + line_end)


if __name__ == "__main__":
    main()
