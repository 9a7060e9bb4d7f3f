#!/usr/bin/env python3
"""Toothed (silent) chain pitches and widths, written to tables/Dc.csv and tables/DcChild.csv.

Pitches: the seven the toothed chain pitch dialog offers (3/8 in to 1-1/2 in).

Widths follow the ASME B29.2M inverted-tooth chain numbering: SC + pitch in eighths of an inch
+ nominal width in quarter inches (SC302 = 3/8 in pitch x 1/2 in wide; SC1012 = 1-1/4 in x 3 in).
Published widths (with the maximum overall width M) were available for the 3/8 in pitch
(SC302..SC324, complete) and for the 1/2 in pitch up to SC410. Everything else is derived by one
rule, which reproduces both published lists:
  * nominal widths are whole quarter inches;
  * the narrowest is the first quarter inch at or above both 1/2 in and the pitch;
  * quarter-inch steps up to 2-1/2 in, then 3 in and every whole inch after it;
  * the widest is 16 x pitch (the standard does not recommend wider chains).
Widths are written in mm (1/4 in = 6.35 mm exactly).
"""

from fractions import Fraction as F

from tablefile import number_text, write_table

PITCH_EIGHTHS = [3, 4, 5, 6, 8, 10, 12]  # 9.525, 12.7, 15.875, 19.05, 25.4, 31.75, 38.1 mm

# ASME B29.2M widths as printed (chain number -> M max overall width, inches).
PUBLISHED_M_IN = {
    "SC302": 0.594, "SC303": 0.844, "SC304": 1.094, "SC305": 1.344, "SC306": 1.594,
    "SC307": 1.844, "SC308": 2.094, "SC309": 2.344, "SC310": 2.594, "SC312": 3.094,
    "SC316": 4.094, "SC320": 5.094, "SC324": 6.094,
    "SC402": 0.75, "SC403": 0.875, "SC404": 1.125, "SC405": 1.375, "SC406": 1.625,
    "SC407": 1.875, "SC408": 2.125, "SC409": 2.375, "SC410": 2.625,
}
PUBLISHED_COMPLETE = {3}  # pitches whose whole width list was seen


def width_quarters(eighths):
    pitch = F(eighths, 8)
    widest = 16 * pitch
    w = max(F(1, 2), pitch)
    w = F(-(-w.numerator * 4 // w.denominator), 4)  # round up to a quarter inch
    out = []
    while w <= widest:
        out.append(int(w * 4))
        w = w + F(1, 4) if w < F(5, 2) else (F(3) if w < 3 else w + 1)
    return out


def chain_no(eighths, quarters):
    return f"SC{eighths}{quarters:02d}"


def check_published():
    for eighths in (3, 4):
        derived = {chain_no(eighths, q) for q in width_quarters(eighths)}
        printed = {k for k in PUBLISHED_M_IN if k.startswith(f"SC{eighths}")}
        assert printed <= derived, (eighths, printed - derived)
        if eighths in PUBLISHED_COMPLETE:
            assert printed == derived, (eighths, derived ^ printed)


def main():
    check_published()
    dc_rows, child_rows = [], []
    for key, eighths in enumerate(PITCH_EIGHTHS, start=1):
        dc_rows.append((key, number_text(eighths * 25.4 / 8, 3), f"SC{eighths}"))
        for q in width_quarters(eighths):
            no = chain_no(eighths, q)
            m_in = PUBLISHED_M_IN.get(no)
            child_rows.append((
                key,
                number_text(q * 6.35, 3),
                no,
                None if m_in is None else number_text(m_in * 25.4, 2),
                "ASME B29.2M 表列" if m_in is not None else "按编号与宽度规则推导",
            ))

    write_table(
        "Dc",
        [
            "齿形链节距 → 编号（DcChild 的键）。节距为选择节距对话框所列的七种（3/8 in～1-1/2 in 的精确 mm 值）。",
            "来源: ASME B29.2M 齿形链（倒齿链）节距系列；链号系列 SC + 以 1/8 in 计的节距。",
            "生成: data/derive/silent_widths.py。",
        ],
        ["编号:integer", "节距:number", "链号系列:text:10"],
        dc_rows,
    )
    write_table(
        "DcChild",
        [
            "齿形链链宽（名义宽度，mm），按 编号（见 Dc）分组，每组宽度升序。",
            "来源: ASME B29.2M。编号规则：SC + 节距（1/8 in）+ 名义宽度（1/4 in），如 SC302 = 3/8 in 节距、1/2 in 宽。",
            "  节距 9.525 的 SC302～SC324 与节距 12.7 的 SC402～SC410 及其最大总宽M取自 Machinery's Handbook 第 27 版所载",
            "  ANSI B29.2M 链宽表（9.525 全表，12.7 只见到 SC410 为止）。",
            "推导: 其余链宽（12.7 节距 3 in 以上及 15.875～38.1 各节距）未见公开表，按编号规则与以下宽度规则推导，",
            "  该规则复现上述两组公开链宽：宽度取整 1/4 in；最窄为不小于 1/2 in 且不小于节距的第一个 1/4 in 倍数；",
            "  至 2-1/2 in 按 1/4 in 递增，其后为 3 in 及每整英寸；最宽为 16 倍节距（标准不推荐更宽）。推导行的最大总宽M为空。",
            "生成: data/derive/silent_widths.py。",
        ],
        ["编号:integer", "链宽:number", "链号:text:10", "最大总宽M:number", "数据:text:20"],
        child_rows,
    )


if __name__ == "__main__":
    main()
