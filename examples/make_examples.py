#!/usr/bin/env python3
"""Writes the bundled example: four measured-looking PSD files and files.in.

Each curve is the same random-vibration profile (a plateau with a resonance near 180 Hz and
a roll-off above 800 Hz) with its own measurement scatter. The files use the number styles
that measurement systems export, with LF or CR LF line ends. Deterministic: run it again and
the files come out byte for byte the same.

    python3 make_examples.py            # writes into the folder of this script
"""
import math
import os
import random

FIRST_HZ = 20.0
STEP_HZ = 10.0
POINTS = 199  # 20 Hz to 2000 Hz

STYLES = [
    ("run01.txt", "{:.4f} {:.6e}", "\n"),
    ("run02.txt", "{:g}  {:g}", "\r\n"),
    ("run03.txt", "{:.6e}\t{:.6e}", "\n"),
    ("run04.txt", "{:>12.3f}{:>16.6e}", "\r\n"),
]


def profile(frequency):
    """Target PSD in g^2/Hz."""
    plateau = 0.02
    resonance = 0.08 / (1.0 + ((frequency - 180.0) / 15.0) ** 2)
    roll_off = 1.0 if frequency <= 800.0 else (800.0 / frequency) ** 3
    return (plateau + resonance) * roll_off


def main():
    folder = os.path.dirname(os.path.abspath(__file__))
    rng = random.Random(20261211)
    names = []
    for name, style, line_end in STYLES:
        lines = []
        for i in range(POINTS):
            frequency = FIRST_HZ + STEP_HZ * i
            scatter = math.exp(rng.gauss(0.0, 0.15))
            lines.append(style.format(frequency, profile(frequency) * scatter) + line_end)
        with open(os.path.join(folder, name), "w", newline="") as out:
            out.write("".join(lines))
        names.append(name)
    with open(os.path.join(folder, "files.in"), "w", newline="") as out:
        out.write("\n".join(names) + "\n")


if __name__ == "__main__":
    main()
