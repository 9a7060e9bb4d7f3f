#!/usr/bin/env python3
"""Roller chain data: tables/Roller.csv and the A-series rows of tables/RAxialWidth.csv.

Dimensions d1, b1, d2, h2, pt and b2 are the maxima and minima of ISO 606:1994 Table 1 (as
reprinted in full in GOST 13568-97 Annex A, Table A.1), for every chain that table has. 36A is
not in the 1994 table: its dimensions are Renold's ISO-labelled catalogue values, and its b2,
which no catalogue prints, follows the ASME B29.1 proportion b2 = W + 2.12 * LPT.

Minimum tensile loads (simplex, duplex, triplex) are the current edition's (ISO 606:2004/2015),
as Renold prints them in its "ISO 606 min" columns; they agree with the ASME B29.1 minimum
ultimate tensile strengths. The 1994 values differ for several chains and are not used.

Mass per metre: Donghua for the A series, Renold for the B series.

A-series sprocket tooth widths follow from b1 and pt by the width factors (0.93/0.91 x b1 for
p <= 12.7 mm, 0.95/0.93 x b1 above); the B-series widths are a maker's DIN 8187 table.

Run without arguments to write both files; with --check to compare them (exit status 1 on a
difference).
"""

import os
import sys

from tablefile import TABLES, number_text, write_table

# chain, pitch, d1 max, b1 min, d2 max, h2 max, pt, b2 max: ISO 606:1994 Table 1 as printed.
ISO_1994 = [
    ("08A", "12.70", "7.95", "7.85", "3.96", "12.07", "14.38", "11.18"),
    ("10A", "15.875", "10.16", "9.40", "5.08", "15.09", "18.11", "13.84"),
    ("12A", "19.05", "11.91", "12.57", "5.94", "18.08", "22.78", "17.75"),
    ("16A", "25.40", "15.88", "15.75", "7.92", "24.13", "29.29", "22.61"),
    ("20A", "31.75", "19.05", "18.90", "9.53", "30.18", "35.76", "27.46"),
    ("24A", "38.10", "22.23", "25.22", "11.10", "36.20", "45.44", "35.46"),
    ("28A", "44.45", "25.40", "25.22", "12.70", "42.24", "48.87", "37.19"),
    ("32A", "50.80", "28.58", "31.55", "14.27", "48.26", "58.55", "45.21"),
    ("40A", "63.50", "39.68", "37.85", "19.84", "60.33", "71.55", "54.89"),
    ("48A", "76.20", "47.63", "47.36", "23.80", "72.39", "87.83", "67.82"),
    ("05B", "8.00", "5.00", "3.00", "2.31", "7.11", "5.64", "4.77"),
    ("06B", "9.525", "6.35", "5.72", "3.28", "8.26", "10.24", "8.53"),
    ("08B", "12.70", "8.51", "7.75", "4.45", "11.81", "13.92", "11.30"),
    ("10B", "15.875", "10.16", "9.65", "5.08", "14.73", "16.59", "13.28"),
    ("12B", "19.05", "12.07", "11.68", "5.72", "16.13", "19.46", "15.62"),
    ("16B", "25.40", "15.88", "17.02", "8.28", "21.08", "31.88", "25.45"),
    ("20B", "31.75", "19.05", "19.56", "10.19", "26.42", "36.45", "29.01"),
    ("24B", "38.10", "25.40", "25.40", "14.63", "33.40", "48.36", "37.92"),
    ("28B", "44.45", "27.94", "30.99", "15.90", "37.08", "59.56", "46.58"),
    ("32B", "50.80", "29.21", "30.99", "17.81", "42.29", "58.55", "45.57"),
    ("40B", "63.50", "39.37", "38.10", "22.89", "52.96", "72.29", "55.75"),
    ("48B", "76.20", "48.26", "45.72", "29.24", "63.88", "91.21", "70.56"),
]

# 36A: Renold catalogue (ISO-labelled); b2 by the ASME B29.1 rule from W = 1.406 in and
# LPT = 0.281 in of ANSI 180.
CATALOGUE_36A = ("36A", "57.15", "35.71", "35.48", "17.46", "54.30", "65.84",
                 number_text((1.406 + 2.12 * 0.281) * 25.4, 2))

# Minimum tensile loads in N, simplex / duplex / triplex (Renold, current ISO 606 edition).
LOADS = {
    "08A": (13900, 27800, 41700), "10A": (21800, 43600, 65400), "12A": (31300, 62600, 93900),
    "16A": (55600, 111200, 166800), "20A": (87000, 174000, 261000),
    "24A": (125000, 250000, 375000), "28A": (170000, 340000, 510000),
    "32A": (223000, 446000, 669000), "36A": (281000, 562000, 843000),
    "40A": (347000, 694000, 1041000), "48A": (500000, 1000000, 1500000),
    "05B": (4400, 7800, 11100), "06B": (8900, 16900, 24900), "08B": (17800, 31100, 44500),
    "10B": (22200, 44500, 66700), "12B": (28900, 57800, 86700), "16B": (60000, 106000, 160000),
    "20B": (95000, 170000, 250000), "24B": (160000, 280000, 425000),
    "28B": (200000, 360000, 530000), "32B": (250000, 450000, 670000),
    "40B": (355000, 630000, 950000), "48B": (560000, 1000000, 1500000),
}

# Mass per metre of one strand, kg/m: Donghua (A series), Renold (B series).
MASS = {
    "08A": "0.62", "10A": "1.02", "12A": "1.5", "16A": "2.6", "20A": "3.91", "24A": "5.62",
    "28A": "7.5", "32A": "10.1", "36A": "13.45", "40A": "16.15", "48A": "23.2",
    "05B": "0.18", "06B": "0.39", "08B": "0.7", "10B": "0.96", "12B": "1.22", "16B": "2.8",
    "20B": "3.85", "24B": "7.45", "28B": "9.35", "32B": "10.1", "40B": "16.5", "48B": "25.8",
}

NOTES = {
    "36A": "ISO 606:1994 无此链号：尺寸取 Renold 目录，b2 按 ASME B29.1 比例式",
    "48B": "Renold 未标注此行为 ISO 值，拉伸载荷为厂家值",
}

# B-series sprocket tooth widths of a maker's DIN 8187 table (Yavuzlar): bf1 single, bf1 multi,
# total width of two and of three rows.
B_TOOTH_WIDTHS = [
    ("06B", "9.525", "5.3", "5.2", "15.4", "25.6"), ("08B", "12.7", "7.2", "7.0", "21.0", "34.9"),
    ("10B", "15.875", "9.1", "9.0", "25.5", "42.1"), ("12B", "19.05", "11.1", "10.8", "30.3", "49.8"),
    ("16B", "25.4", "16.2", "15.8", "47.7", "79.6"), ("20B", "31.75", "18.5", "18.2", "54.6", "91.0"),
    ("24B", "38.1", "24.1", "23.6", "72.0", "120.3"), ("28B", "44.45", "29.4", "28.8", "88.4", "148.0"),
    ("32B", "50.8", "29.4", "28.8", "87.4", "146.0"),
]

ROLLER_COMMENTS = [
    "滚子链基本参数和尺寸（ISO 606 A 系列与 B 系列，单排），第一列为链号，每个链号一行。",
    "来源: 尺寸 d1、b1、d2、h2、pt、b2 取自 ISO 606:1994 表 1（GOST 13568-97 附录 A 表 A.1 全文转载）。",
    "来源: 36A 不在 1994 年版表中：尺寸取 Renold 驱动链目录标注 ISO 606 的一栏，b2 按 ASME B29.1 的比例式 "
    "b2 = W + 2.12 × LPT（W = 1.406 in，LPT = 0.281 in）换算为 mm。",
    "来源: 单排、双排、三排极限拉伸载荷为 ISO 606 现行版（2004 年起）的最小值，取自 Renold 目录“ISO 606 最小值”一栏，"
    "与 ASME B29.1 的最小极限抗拉强度一致；1994 年版的载荷不用。48B 一行 Renold 未标注 ISO，为厂家值。",
    "来源: 单排每米质量 q：A 系列取自东华（Donghua）《Product Catalogue Drive Chains 2020》第 24～27 页，B 系列取自 Renold 目录。",
    "单位: 节距、各尺寸 mm；载荷 N；质量 kg/m。",
    "编号: 1 = A 系列，2 = B 系列，是浏览器主表 RChainSeries 的子表键。设计步骤只按链号查找 A 系列各行。",
    "生成: data/derive/roller_chain.py。",
]
ROLLER_HEADER = [
    "链号:text:10", "节距:number", "单排极限拉伸载荷Qmin:number", "双排极限拉伸载荷:number",
    "三排极限拉伸载荷:number", "单排每米质量q:number", "内链节外宽b2max:number",
    "内链节内宽b1min:number", "销轴直径dzmax:number", "滚子外径drmax:number", "排距pt:number",
    "内链板高度hmax:number", "编号:integer", "备注:text:60",
]

AXIAL_COMMENTS = [
    "滚子链轮齿宽：主表 RChainSeries 的子表（编号 1 = A 系列，2 = B 系列）。",
    "来源: B 系列各值取自土耳其链轮厂 Yavuzlar Dişli 的 DIN 8187 链轮表（B1、b1、B2、B3），06B 一行与 Renold 目录第 68 页相同。",
    "推导: A 系列按齿宽系数由 ISO 606 的 b1、pt 算出：p ≤ 12.7 mm 时单排 bf1 = 0.93·b1、多排每排 0.91·b1；"
    "p > 12.7 mm 时 0.95·b1、0.93·b1；双排齿全宽 = pt + bf1（多排），三排 = 2pt + bf1（多排）；保留两位小数（四舍五入）。"
    "系数见 pinonario 链轮计算程序、Bulllead 关于 GB/T 1243 的说明和 FOSSEE 教材算例。",
    "生成: data/derive/roller_chain.py。",
]
AXIAL_HEADER = [
    "编号:integer", "链号:text:10", "节距p:number", "单排齿宽bf1:number", "多排每排齿宽bf1:number",
    "双排齿全宽bf2:number", "三排齿全宽bf3:number", "来源:text:40",
]


def chain_rows():
    rows = list(ISO_1994)
    rows.insert(8, CATALOGUE_36A)  # 36A between 32A and 40A, in ascending pitch
    return rows


def roller_rows():
    out = []
    for chain, p, d1, b1, d2, h2, pt, b2 in chain_rows():
        q1, q2, q3 = LOADS[chain]
        series = 1 if chain.endswith("A") else 2
        n = lambda t: number_text(float(t), 3)
        out.append([chain, n(p), q1, q2, q3, MASS[chain], n(b2), n(b1), n(d2), n(d1), n(pt), n(h2),
                    series, NOTES.get(chain)])
    return out


def half_up(x):
    return number_text(int(x * 100 + 0.5 + 1e-9) / 100, 2)


def axial_rows():
    out = []
    for chain, p, _d1, b1, _d2, _h2, pt, _b2 in chain_rows():
        if not chain.endswith("A"):
            continue
        pitch, b1v, ptv = float(p), float(b1), float(pt)
        single, multi = (0.93, 0.91) if pitch <= 12.7 else (0.95, 0.93)
        bf_multi = multi * b1v
        out.append([1, chain, number_text(pitch, 3), f"{float(half_up(single * b1v)):.2f}",
                    f"{float(half_up(bf_multi)):.2f}", f"{float(half_up(ptv + bf_multi)):.2f}",
                    f"{float(half_up(2 * ptv + bf_multi)):.2f}", "按齿宽系数由 ISO 606 的 b1、pt 算出"])
    for chain, p, s, m, two, three in B_TOOTH_WIDTHS:
        out.append([2, chain, p, s, m, two, three, "Yavuzlar 的 DIN 8187 链轮表"])
    return out


def main():
    check = "--check" in sys.argv
    bad = 0
    for name, comments, header, rows in [("Roller", ROLLER_COMMENTS, ROLLER_HEADER, roller_rows()),
                                         ("RAxialWidth", AXIAL_COMMENTS, AXIAL_HEADER, axial_rows())]:
        path = os.path.join(TABLES, name + ".csv")
        before = open(path, encoding="utf-8").read() if os.path.exists(path) else None
        if check:
            tmp = name + ".check"
            write_table(tmp, comments, header, rows)
            now = open(os.path.join(TABLES, tmp + ".csv"), encoding="utf-8").read()
            os.remove(os.path.join(TABLES, tmp + ".csv"))
            if now != before:
                print(f"{name}.csv differs from what roller_chain.py writes")
                bad += 1
        else:
            write_table(name, comments, header, rows)
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
