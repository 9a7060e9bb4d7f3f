#!/usr/bin/env python3
"""Check the table sources against the file format and against what the design steps walk.

Run from anywhere: python3 data/derive/check_tables.py. Prints each problem; exit status 1 if any.
"""

import math
import os
import re
import sys

from tablefile import TABLES, read_table

KINDS = {"text", "number", "integer", "memo", "graphic"}
problems = []


def fail(msg):
    problems.append(msg)


def check_format(path):
    name = os.path.basename(path)
    raw = open(path, "rb").read()
    if b"\r" in raw:
        fail(f"{name}: CR in file")
    text = raw.decode("utf-8")
    lines = text.split("\n")
    if lines[-1] != "":
        fail(f"{name}: no final LF")
    lines = lines[:-1]
    i = 0
    has_source = False
    while i < len(lines) and lines[i].startswith("#"):
        has_source |= "来源" in lines[i]
        i += 1
    if not has_source:
        fail(f"{name}: no '# 来源:' comment")
    header = lines[i].split(",")
    kinds = []
    for h in header:
        parts = h.split(":")
        if len(parts) not in (2, 3) or parts[1] not in KINDS or not parts[0]:
            fail(f"{name}: bad header field {h!r}")
            continue
        size = int(parts[2]) if len(parts) == 3 else 40
        kinds.append((parts[0], parts[1], size))
    _, rows = read_table(name[:-4])
    for n, row in enumerate(rows, start=1):
        if len(row) != len(kinds):
            fail(f"{name}: row {n} has {len(row)} values")
            continue
        for fname, kind, size in kinds:
            v = row[fname]
            if v == "":
                continue
            if kind == "number" and not re.fullmatch(r"-?\d+(\.\d+)?([eE]-?\d+)?", v):
                fail(f"{name}: row {n} {fname} not a number: {v!r}")
            if kind == "integer" and not re.fullmatch(r"-?\d+", v):
                fail(f"{name}: row {n} {fname} not an integer: {v!r}")
            if kind == "text" and len(v) > size:
                fail(f"{name}: row {n} {fname} longer than {size}: {v!r}")
    return rows


def num(x):
    return float(x)


def main():
    for f in sorted(os.listdir(TABLES)):
        if f.endswith(".csv"):
            check_format(os.path.join(TABLES, f))

    # ChainNoNd and Roller: same chains, same pitches; Roller carries every field the static step reads.
    _, chains = read_table("ChainNoNd")
    names, roller = read_table("Roller")
    # The design steps read the A series (编号 1); the B series rows are for the browser only.
    roller = [r for r in roller if r["编号"] == "1"]
    for field in ["单排极限拉伸载荷Qmin", "单排每米质量q", "内链节外宽b2max", "销轴直径dzmax",
                  "滚子外径drmax", "排距pt", "内链板高度hmax"]:
        if field not in names:
            fail(f"Roller: no field {field}")
    if [c["链号"] for c in chains] != [r[names[0]] for r in roller]:
        fail("ChainNoNd and Roller list different chains")
    for c, r in zip(chains, roller):
        if num(c["节距"]) != num(r["节距"]):
            fail(f"pitch of {c['链号']} differs")
        if not num(r["内链节外宽b2max"]) > num(r["内链节内宽b1min"]):
            fail(f"Roller {c['链号']}: b2 not above b1")

    # dKZnum walk: first row for z1 <= 11; from the second row on, a row with z1 or z1 + 1.
    _, zrows = read_table("dKZnum")
    counts = [num(r["小链轮齿数"]) for r in zrows]
    if counts != sorted(counts):
        fail("dKZnum not ascending")
    _, krows = read_table("dKmax")
    for z1 in range(1, 26):
        idx = 0
        if z1 > 11:
            while True:
                if idx + 1 < len(zrows):
                    idx += 1
                d = counts[idx] - z1
                if d in (0, 1) or idx == len(zrows) - 1:
                    break
            if counts[idx] - z1 not in (0, 1):
                fail(f"dKZnum: no row for z1 = {z1}")
        key = zrows[idx]["编号"]
        for c in chains:
            p = num(c["节距"])
            lit = f"{p:.3f}" if p == 15.875 else f"{p:.2f}"  # the pitch text of the query
            hits = [r for r in krows if r["编号"] == key and num(r["节距"]) == float(lit)]
            if len(hits) != 1 or not num(hits[0]["最大许用孔径dKmax"]) > 0:
                fail(f"dKmax: z1 = {z1}, pitch {lit}: {len(hits)} rows")

    # Ka: ascending from 1.05 up to 30.
    knames, ka = read_table("Ka")
    rs = [num(r[knames[0]]) for r in ka]
    ks = [num(r[knames[1]]) for r in ka]
    if rs[0] != 1.05 or rs[-1] != 30 or any(b <= a for a, b in zip(rs, rs[1:])):
        fail("Ka: ratios not ascending from 1.05 to 30")
    if ks[0] != 0.19245 or any(b < a for a, b in zip(ks, ks[1:])) or ks[-1] > 0.25:
        fail("Ka: factors not rising from 0.19245 towards 0.25")

    # dkz: every odd count 17..37, joining 0.77 and 1.88.
    _, dkz = read_table("dkz")
    if [round(num(r["小链轮齿数"])) for r in dkz] != list(range(17, 38, 2)):
        fail("dkz: counts are not the odd 17..37")
    kz = [num(r["齿数系数"]) for r in dkz]
    if kz[0] != 0.77 or kz[-1] != 1.88 or any(b <= a for a, b in zip(kz, kz[1:])):
        fail("dkz: not rising from 0.77 to 1.88")

    # Dc / DcChild: the dialog's seven pitches, widths ascending per pitch.
    _, dc = read_table("Dc")
    offered = ["38.1", "31.75", "25.4", "19.05", "15.875", "12.7", "9.525"]
    if sorted(num(r["节距"]) for r in dc) != sorted(num(t) for t in offered):
        fail("Dc: pitches differ from the pitch dialog")
    _, child = read_table("DcChild")
    for r in dc:
        w = [num(c["链宽"]) for c in child if c["编号"] == r["编号"]]
        if not w or any(b <= a for a, b in zip(w, w[1:])):
            fail(f"DcChild: widths of pitch {r['节距']} missing or not ascending")

    # Size templates: same columns, the names the sprocket steps pass, empty values.
    want = {
        "R_Size": ["排距", "分度圆直径", "齿顶圆最大直径", "齿顶圆最小直径", "分度圆最大舷齿高",
                   "分度圆最小舷齿高", "齿顶圆直径", "分度圆舷齿高", "齿根圆直径", "最大齿根距离",
                   "齿侧凸缘或排间槽直径"],
        "D_Size": ["齿楔角", "分度圆直径", "齿顶圆直径", "齿槽定位圆半径", "分度角", "齿槽角", "齿形角",
                   "齿面工作段最低点至节距线距离", "齿根间隙(h方向)", "齿根圆直径", "接触终止圆直径"],
    }
    cols = ["名称", "符号", "关系式", "小链轮数值", "大链轮数值", "单位"]
    for t, items in want.items():
        n, rows = read_table(t)
        if n != cols:
            fail(f"{t}: columns {n}")
        if sorted(r["名称"] for r in rows) != sorted(items):
            fail(f"{t}: names differ")
        if any(r["小链轮数值"] or r["大链轮数值"] for r in rows):
            fail(f"{t}: template values not empty")
    n, rows = read_table("Result")
    if n != ["项目", "数值", "单位"] or rows:
        fail("Result: not an empty template with 项目, 数值, 单位")

    # Worked example of the sprocket sizes: 10A (p 15.875) with z = 21 gives a rim of 88.87 mm.
    r10 = next(r for r in roller if r[names[0]] == "10A")
    p, h = num(r10["节距"]), num(r10["内链板高度hmax"])
    if f"{p / math.tan(math.pi / 21) - 1.04 * h - 0.76:.2f}" != "88.87":
        fail("10A plate height does not reproduce the rim example")

    for msg in problems:
        print(msg)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
