#!/usr/bin/env python3
"""The table program's work done the plain way, as the yardstick for its speed.

Same curve, same stations, same order of operations, same rounding and
printing rules, so the two outputs must also be byte for byte the same:
    table_baseline.py OUTPUT TYPE P L R H G1 G2 FROM_UNITS STEP_UNITS COUNT SCALE
"""
import sys


def text(x):
    # 15 significant digits, general format, never "-0".
    return "0" if x == 0 else "%.15G" % x


def main():
    out_path, curve_type = sys.argv[1], sys.argv[2]
    P, L, R, H, g1, g2 = (float(v) for v in sys.argv[3:9])
    first, step, count, scale = (int(v) for v in sys.argv[9:13])
    convex = curve_type == "convex"
    power = 10 ** scale
    lines = []
    for i in range(count):
        S = (first + i * step) / power  # int / int rounds correctly, as reading the text does
        if P < S:
            g, x = g2, (P + L) - S
        else:
            g, x = g1, (S - P) + L
        a = (L * g) / 100
        c = (x * g) / 100
        t = (H - a) + c if convex else (H + a) - c
        y = ((x ** 2.0) / R) / 2
        e = t - y if convex else y + t
        listed = round(float(text(e)), 3)  # exact value, ties to even
        lines.append("第%d待求点高程%s=%s\n" % (i + 1, text(S), text(listed)))
    with open(out_path, "w", encoding="utf-8") as out:
        out.write("".join(lines))


main()
