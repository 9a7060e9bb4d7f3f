#!/usr/bin/env python3
"""Largest hub bore of the small sprocket, written to tables/dKZnum.csv and tables/dKmax.csv.

No published table of this quantity was at hand, so it is derived, for each tooth count z and
A-series pitch p, from two rules:

1. The hub must stay inside the largest hub diameter that clears the chain,
       DH = p*(cot(180deg/z) - 1) - 0.76 mm
   (JIS B 1801 maximum hub and groove diameter; the same as the ASME B29.1 MHD
   p*(cot(180deg/z) - 1) - 0.030 in). DH is never above the flank rim diameter
   dg = p*cot(180deg/z) - 1.04*h2 - 0.76 that the sprocket-size step reports, because
   1.04*h2 < p for every A-series chain (h2 from Roller.csv).
2. Minimum hub wall (integral steel small sprocket, hub proportion of the Chinese
   machine-design handbooks):
       h = K + dk/6 + 0.01*d,  hub diameter dh = dk + 2h,
   d the pitch circle diameter p/sin(180deg/z), K = 3.2 mm for d < 50 mm, 4.8 for 50 <= d < 100,
   6.4 for 100 <= d < 150, 9.5 for d >= 150.

dh <= DH then gives dk_max = 0.75*(DH - 2K - 0.02d), rounded DOWN to whole millimetres.

Tooth counts: the program uses the first row for every z1 up to 11 and, for z1 = 12..25, the row
of z1 (or z1 + 1). The first row is therefore computed at z = 9, the smallest tooth count the
program advises (Zmin = 9), so that z1 = 9, 10 and 11 get a bore that fits all three; the rows
12..25 follow. Rows for 10 and 11 would never be reached and are left out.
"""

import math

from tablefile import number_text, read_table, write_table

FIRST_ROW_Z = 9
WALKED_Z = list(range(12, 26))
DH_CLEARANCE_MM = 0.76          # JIS B 1801 DH constant (ASME: 0.030 in)


def hub_constant_k(d):
    if d < 50:
        return 3.2
    if d < 100:
        return 4.8
    if d < 150:
        return 6.4
    return 9.5


def max_hub_diameter(p, z):
    return p * (1.0 / math.tan(math.pi / z) - 1.0) - DH_CLEARANCE_MM


def max_bore(p, z):
    d = p / math.sin(math.pi / z)
    dk = 0.75 * (max_hub_diameter(p, z) - 2.0 * hub_constant_k(d) - 0.02 * d)
    # the tiny epsilon keeps an exact whole number from dropping a millimetre by rounding noise
    return math.floor(dk + 1e-9)


def rim_diameter(p, z, h2):
    return p / math.tan(math.pi / z) - 1.04 * h2 - 0.76


def main():
    _, chains = read_table("Roller")
    chains = [c for c in chains if c["编号"] == "1"]  # the A series
    pitches = [(float(c["节距"]), c["节距"], float(c["内链板高度hmax"])) for c in chains]
    teeth = [FIRST_ROW_Z] + WALKED_Z

    zrows = [(z, key) for key, z in enumerate(teeth, start=1)]
    krows = []
    for z, key in zrows:
        for p, ptext, h2 in pitches:
            dk = max_bore(p, z)
            if dk <= 0:
                raise SystemExit(f"no bore at z={z}, p={ptext}")
            if max_hub_diameter(p, z) > rim_diameter(p, z, h2):
                raise SystemExit(f"DH above dg at z={z}, p={ptext}")
            krows.append((key, ptext, number_text(dk, 0)))

    write_table(
        "dKZnum",
        [
            "小链轮齿数 → 编号（dKmax 的键）。齿数升序。",
            "程序对 z1 ≤ 11 取第一行；z1 = 12～25 时自第二行起逐行找齿数等于 z1 或 z1 + 1 的行。",
            "第一行按程序建议的最少齿数 Zmin = 9 计算，z1 = 9、10、11 共用它（偏安全）；10、11 两行不会被查到，故不列。",
            "来源: 推导值，规则见 dKmax.csv 与 data/derive/hub_bore.py。",
        ],
        ["小链轮齿数:number", "编号:integer"],
        [(z, key) for z, key in zrows],
    )
    write_table(
        "dKmax",
        [
            "小链轮轮毂孔最大许用直径 dKmax（mm），按 编号（见 dKZnum）与节距查找；第 2 列为孔径。",
            "来源: 推导值（未找到公开的手册表）。对每个齿数 z 与 A 系列节距 p：",
            "  轮毂外径不超过最大轮毂直径 DH = p(cot(180°/z) − 1) − 0.76（JIS B 1801；即 ASME B29.1 的 MHD，",
            "  p(cot(180°/z) − 1) − 0.030 in），DH 总小于齿侧凸缘直径 dg = p·cot(180°/z) − 1.04h2 − 0.76；",
            "  最小轮毂壁厚按整体式钢制小链轮的轮毂比例 h = K + dk/6 + 0.01d，dh = dk + 2h（中国机械设计手册的链轮结构尺寸），",
            "  d = p/sin(180°/z)，K = 3.2（d < 50）、4.8（50 ≤ d < 100）、6.4（100 ≤ d < 150）、9.5（d ≥ 150），单位 mm；",
            "  由 dh ≤ DH 得 dk = 0.75(DH − 2K − 0.02d)，向下取整到整毫米。",
            "节距值与 ChainNoNd、Roller 相同（12.7、15.875、19.05、25.4 …），以数值比较。",
            "生成: data/derive/hub_bore.py（读取 Roller.csv 的节距与链板高度）。",
        ],
        ["编号:integer", "节距:number", "最大许用孔径dKmax:number"],
        krows,
    )


if __name__ == "__main__":
    main()
