#!/usr/bin/env python3
"""Centre distance factor Ka, written to tables/Ka.csv.

a = p * Ka * (2*Lp - z1 - z2). Model: the chain as a flexible band on the two pitch circles
(radius z*p/(2*pi)); theta is the inclination of the straight spans to the line of centres,
sin(theta) = (z2 - z1)*p / (2*pi*a). The chain length in links is then
    Lp = (z1 + z2)/2 + (z2 - z1)*theta/pi + 2*(a/p)*cos(theta)
so that, with r = (Lp - z1)/(z2 - z1),
    r  = 1/2 + (theta + cot(theta))/pi
    Ka = 1 / (4*(theta*sin(theta) + cos(theta)))
theta is found from r by bisection (r falls monotonically as theta grows in (0, pi/2)).
At r = 1.05 this gives 0.19245, the value the program uses at and below that ratio; Ka tends
to 0.25 (the program's value above r = 30) as r grows.

Grid (our choice): 1.05 to 2.00 by 0.01, 2.1 to 4.0 by 0.1, 4.5 to 10 by 0.5, 11 to 30 by 1.
Ka is rounded to 5 decimals.
"""

import math

from tablefile import number_text, write_table


def ratio_of_theta(theta):
    return 0.5 + (theta + 1.0 / math.tan(theta)) / math.pi


def theta_of_ratio(r):
    lo, hi = 1e-12, math.pi / 2  # ratio_of_theta(lo) is huge, ratio_of_theta(pi/2) = 1
    for _ in range(200):
        mid = 0.5 * (lo + hi)
        if ratio_of_theta(mid) > r:
            lo = mid
        else:
            hi = mid
    return 0.5 * (lo + hi)


def ka_of_ratio(r):
    t = theta_of_ratio(r)
    return 1.0 / (4.0 * (t * math.sin(t) + math.cos(t)))


def grid():
    pts = [105 + k for k in range(96)]            # hundredths: 1.05 .. 2.00
    pts += [200 + 10 * k for k in range(1, 21)]   # 2.1 .. 4.0
    pts += [400 + 50 * k for k in range(1, 13)]   # 4.5 .. 10.0
    pts += [100 * k for k in range(11, 31)]       # 11 .. 30
    return [p / 100.0 for p in pts]


COMMENTS = [
    "中心距计算系数Ka：a = p·Ka·(2Lp − z1 − z2)；第 0 列为 r = (Lp − z1)/(z2 − z1)，第 1 列为 Ka，r 升序，程序在相邻两行间线性插值。",
    "来源: 推导值（未照抄手册表）。按链条绕两节圆的精确几何：sinθ = (z2 − z1)p/(2πa)，",
    "  Lp = (z1 + z2)/2 + (z2 − z1)θ/π + 2(a/p)cosθ，故 r = 1/2 + (θ + cotθ)/π，Ka = 1/[4(θ·sinθ + cosθ)]；由 r 二分求 θ。",
    "r = 1.05 时 Ka = 0.19245（与程序在 r ≤ 1.05 时所用值一致），r 增大时 Ka 趋于 0.25（程序在 r > 30 时所用值）。",
    "取值网格为本表自定：1.05～2.00 步长 0.01，2.1～4.0 步长 0.1，4.5～10 步长 0.5，11～30 步长 1；Ka 保留 5 位小数。",
    "生成: data/derive/ka.py。",
]


def main():
    rows = [(number_text(r, 2), f"{ka_of_ratio(r):.5f}") for r in grid()]
    write_table("Ka", COMMENTS, ["(Lp-z1)/(z2-z1):number", "Ka:number"], rows)


if __name__ == "__main__":
    main()
