#!/usr/bin/env python3
"""Golden values for the indicator tests, computed straight from the formulas
(not from the C++). Prints the constants pasted into uIndicatorCalc_test.cpp."""
import math

OPEN = [10, 11, 13, 12, 14, 13, 15, 17]
HIGH = [12, 14, 15, 14, 16, 17, 18, 19]
LOW = [9, 10, 11, 10, 12, 12, 14, 15]
CLOSE = [11, 13, 12, 14, 13, 15, 17, 16]
PRICES = {"PRICE_CLOSE": CLOSE, "PRICE_OPEN": OPEN, "PRICE_HIGH": HIGH, "PRICE_LOW": LOW}
PERIOD = 3


def sma(p, i, n):
    return sum(p[i - j] for j in range(n)) / n


def lwma(p, i, n):
    return sum(p[i - j] * (j + 1) for j in range(n)) / sum(j + 1 for j in range(n))


def smoothed(p, n, alpha):
    out, prev = [], None
    for i in range(n, len(p)):
        prev = sma(p, i, n) if prev is None else alpha * p[i] + (1 - alpha) * prev
        out.append(prev)
    return out


def ma(p, n, method):
    if method == "MODE_SMA":
        return [sma(p, i, n) for i in range(n, len(p))]
    if method == "MODE_LWMA":
        return [lwma(p, i, n) for i in range(n, len(p))]
    return smoothed(p, n, 2 / (n + 1) if method == "MODE_EMA" else 1 / n)


def bollinger(p, n, dev):
    rows = []
    for i in range(n, len(p)):
        m = sma(p, i, n)
        s = math.sqrt(sum((p[i - j] - m) ** 2 for j in range(n)) / n)
        rows.append((m + dev * s, m, m - dev * s))
    return rows


def fractals(high, low, n):
    up, down = [], []
    for i in range(n, len(high) - 2):
        others = (i - 2, i - 1, i + 1, i + 2)
        if all(high[i] > high[k] for k in others):
            up.append(i)
        if all(low[i] < low[k] for k in others):
            down.append(i)
    return up, down


def zigzag(high, low, depth, backstep):
    pivot = [0] * len(high)
    last_low = last_high = 0
    started = False

    def find_min(a, b):
        best = a
        for k in range(a + 1, b + 1):
            if low[k] < low[best]:
                best = k
        return best

    def find_max(a, b):
        best = a
        for k in range(a + 1, b + 1):
            if high[k] > high[best]:
                best = k
        return best

    for i in range(depth, len(high)):
        if not started:
            last_low = find_min(i - depth, i)
            pivot[last_low] = -1
            started = True
        elif last_low < last_high:
            if i - last_low >= backstep and find_min(i - depth, i) == i:
                last_low = i
                pivot[i] = -1
            elif high[i] > high[last_high]:
                pivot[last_high] = 0
                last_high = i
                pivot[i] = 1
        else:
            if i - last_high >= backstep and find_max(i - depth, i) == i:
                last_high = i
                pivot[i] = 1
            elif low[i] < low[last_low]:
                pivot[last_low] = 0
                last_low = i
                pivot[i] = -1
    return [(k, low[k] if v < 0 else high[k]) for k, v in enumerate(pivot) if v]


def num(x):
    return repr(float(x))


for method in ("MODE_SMA", "MODE_EMA", "MODE_SMMA", "MODE_LWMA"):
    for price, p in PRICES.items():
        print("{%s, %s, {%s}}," % (method, price, ", ".join(num(v) for v in ma(p, PERIOD, method))))
print("bollinger close", [tuple(num(v) for v in r) for r in bollinger(CLOSE, PERIOD, 2)])

FH = [5, 7, 6, 9, 6, 5, 8, 8, 7, 4, 6, 10, 7]
FL = [4, 3, 5, 2, 5, 4, 3, 6, 1, 3, 2, 6, 5]
print("fractals period 2", fractals(FH, FL, 2), "period 4", fractals(FH, FL, 4))

SAW_H = [3, 5, 7, 6, 4, 3, 5, 8, 6, 4, 2, 4, 6]
SAW_L = [1, 3, 5, 4, 2, 1, 3, 6, 4, 2, 0.5, 2, 4]
print("sawtooth depth 2 backstep 2", zigzag(SAW_H, SAW_L, 2, 2))
LOW0_H = [2, 4, 6, 5, 3, 5, 7]
LOW0_L = [1, 3, 5, 4, 2, 4, 6]
print("candle 0 first low, depth 2 backstep 1", zigzag(LOW0_H, LOW0_L, 2, 1))
