#!/usr/bin/env python3
"""Inner link outer width b2max of the A-series roller chains, for tables/Roller.csv.

The catalogues at hand do not print b2, so it is derived by the ASME B29.1 proportion rule
    b2 = W + 2.12 * LPT
(maximum width over the roller link = nominal chain width + 2.12 x nominal link plate
thickness), with W and LPT the ASME B29.1 nominal inch values of the equivalent ANSI chain,
converted at 25.4 mm/in and rounded to 0.01 mm.

Run without arguments to print the values; with --check to compare them with Roller.csv
(exit status 1 on a difference).
"""

import sys

from tablefile import number_text, read_table

# ISO chain, ANSI chain, W (in), LPT (in): ASME B29.1 standard series.
ASME_B29_1 = [
    ("08A", "40", 0.312, 0.060),
    ("10A", "50", 0.375, 0.080),
    ("12A", "60", 0.500, 0.094),
    ("16A", "80", 0.625, 0.125),
    ("20A", "100", 0.750, 0.156),
    ("24A", "120", 1.000, 0.187),
    ("28A", "140", 1.000, 0.219),
    ("32A", "160", 1.250, 0.250),
    ("36A", "180", 1.406, 0.281),
    ("40A", "200", 1.500, 0.312),
    ("48A", "240", 1.875, 0.375),
]


def b2_mm(w_in, lpt_in):
    return round((w_in + 2.12 * lpt_in) * 25.4, 2)


def main():
    values = {iso: b2_mm(w, lpt) for iso, _, w, lpt in ASME_B29_1}
    if "--check" not in sys.argv:
        for iso, _, w, lpt in ASME_B29_1:
            print(iso, number_text(values[iso], 2))
        return 0
    _, rows = read_table("Roller")
    rows = [r for r in rows if r["编号"] == "1"]  # b2 is derived for the A series only
    bad = 0
    for row in rows:
        want = values.get(row["链号"])
        if want is None or abs(float(row["内链节外宽b2max"]) - want) > 1e-9:
            print("Roller.csv", row["链号"], row["内链节外宽b2max"], "expected", want)
            bad += 1
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
