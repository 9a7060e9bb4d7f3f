#!/usr/bin/env python3
"""Tooth-count coefficient Kz of the toothed (silent) chain, written to tables/dkz.csv.

No published table for the odd small-sprocket counts 17..37 was at hand, so the values are
derived. Model: the power-law tooth factor of the chain power ratings, Kz = (z1/z0)^k (the link-plate
fatigue rating of roller chains grows as z1^1.08, whence the roller chain factor (z1/19)^1.08
that this program also uses). Here z0 and k are fixed by the
two values the program itself uses outside the table, Kz = 0.77 for z1 < 17 and Kz = 1.88 for
z1 > 37, so that the table joins them at its ends:
    Kz(z1) = 0.77 * (z1/17)^k,   k = ln(1.88/0.77) / ln(37/17)  (about 1.148)
which is 1 at z1 = 17 * (1/0.77)^(1/k) (about 21.3). Values are rounded to 3 decimals.
"""

import math

from tablefile import number_text, write_table

Z_LOW, KZ_LOW = 17, 0.77
Z_HIGH, KZ_HIGH = 37, 1.88
EXPONENT = math.log(KZ_HIGH / KZ_LOW) / math.log(Z_HIGH / Z_LOW)


def kz(z):
    return KZ_LOW * (z / Z_LOW) ** EXPONENT


def main():
    rows = [(z, number_text(round(kz(z), 3), 3)) for z in range(Z_LOW, Z_HIGH + 1, 2)]
    write_table(
        "dkz",
        [
            "齿形链小链轮齿数系数Kz：奇数齿 17～37，齿数升序；偶数齿由程序在相邻奇数齿之间线性插值。",
            "来源: 推导值（未找到公开的逐齿数表）。采用链条额定功率中的幂函数齿数系数形式 Kz = (z1/z0)^k",
            "  （滚子链链板疲劳额定功率与 z1^1.08 成正比，即滚子链的 (z1/19)^1.08），其 z0 与 k 由程序在表外所用的两端值确定：",
            "  z1 < 17 时 Kz = 0.77，z1 > 37 时 Kz = 1.88，使本表两端与之衔接：",
            f"  Kz = 0.77·(z1/17)^k，k = ln(1.88/0.77)/ln(37/17) = {EXPONENT:.4f}；保留 3 位小数。",
            "生成: data/derive/dkz.py。",
        ],
        ["小链轮齿数:number", "齿数系数:number"],
        rows,
    )


if __name__ == "__main__":
    main()
