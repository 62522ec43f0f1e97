#!/usr/bin/env python3
"""Draws the application icon (icon.png) and the dialog picture (picture.png).

Pure Python with the standard library only, so the art can be regenerated on
any machine: python3 resources/art/make_art.py [output-folder]
The output is deterministic; the PNGs it writes are checked in beside it.
"""

import math
import os
import struct
import sys
import zlib


def write_png(path, width, height, color_type, bit_depth, rows, palette=None, trns=None):
    """Writes a non-interlaced PNG; rows are the packed scanline bytes."""

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b"".join(b"\x00" + row for row in rows)
    out = b"\x89PNG\r\n\x1a\n"
    out += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, bit_depth, color_type, 0, 0, 0))
    if palette is not None:
        out += chunk(b"PLTE", b"".join(bytes(c) for c in palette))
    if trns is not None:
        out += chunk(b"tRNS", bytes(trns))
    out += chunk(b"IDAT", zlib.compress(raw, 9))
    out += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(out)


def hex_rgb(text):
    return tuple(int(text[i : i + 2], 16) for i in (1, 3, 5))


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def gradient(stops, t):
    """Colour at t along a list of (position, colour) stops."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix(c0, c1, (t - p0) / (p1 - p0))
    return stops[-1][1]


# ---------------------------------------------------------------------------
# Icon: 32 x 32, 16 colours, index 0 transparent. A monitor showing a
# mountain landscape, with a gold gear in front of its lower right corner.

ICON_PALETTE = [
    "#000000",  # 0 transparent
    "#15171d",  # 1 outline
    "#353b48",  # 2 bezel
    "#59616f",  # 3 bezel highlight
    "#9aa1ad",  # 4 stand
    "#1c3c86",  # 5 sky, top
    "#2f6acb",  # 6 sky, middle
    "#86bdf2",  # 7 sky, horizon
    "#3b9a48",  # 8 hill
    "#22663a",  # 9 hill, shade
    "#f5f7fb",  # 10 snow
    "#77839a",  # 11 rock
    "#f2b233",  # 12 gear
    "#8f530b",  # 13 gear, shade and outline
    "#ffe28e",  # 14 gear, highlight
    "#c9ced6",  # 15 stand highlight
]


def icon_pixels():
    size = 32
    px = [[0] * size for _ in range(size)]

    def put(x, y, c):
        if 0 <= x < size and 0 <= y < size:
            px[y][x] = c

    def rect(x0, y0, x1, y1, c):  # inclusive
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                put(x, y, c)

    # Monitor: outline, bezel with a top-left highlight, screen.
    left, top, right, bottom = 0, 2, 29, 23
    rect(left + 1, top, right - 1, bottom, 1)
    rect(left, top + 1, right, bottom - 1, 1)
    rect(left + 1, top + 1, right - 1, bottom - 1, 2)
    rect(left + 2, top + 1, right - 2, top + 1, 3)
    rect(left + 1, top + 2, left + 1, bottom - 2, 3)
    sx0, sy0, sx1, sy1 = 3, 4, 26, 20
    rect(sx0 - 1, sy0 - 1, sx1 + 1, sy1 + 1, 1)
    for y in range(sy0, sy1 + 1):
        t = (y - sy0) / (sy1 - sy0)
        c = 5 if t < 0.3 else (6 if t < 0.62 else 7)
        rect(sx0, y, sx1, y, c)

    # Mountain with a snow cap, and a green hill in front.
    peak_x, peak_y = 12, 7
    for y in range(sy0, sy1 + 1):
        for x in range(sx0, sx1 + 1):
            dy = y - peak_y
            if dy >= 0 and abs(x + 0.5 - (peak_x + 0.5)) <= dy * 1.15 + 0.5:
                px[y][x] = 10 if dy <= 3 and abs(x - peak_x) <= dy * 0.9 else 11
            hill = 16.5 + 3.2 * math.cos((x - 20.5) / 6.5)
            if y + 0.5 >= hill:
                px[y][x] = 9 if y + 0.5 < hill + 1.2 else 8

    # Stand.
    rect(12, 24, 17, 26, 1)
    rect(13, 24, 16, 25, 4)
    rect(7, 27, 22, 29, 1)
    rect(8, 27, 21, 28, 4)
    rect(8, 27, 21, 27, 15)

    # Gear: eight teeth, outlined so it stands out against the bezel, with
    # its upper left rim lit and its lower right rim in shade.
    cx, cy = 24.0, 24.0
    teeth, outer, inner, hole = 8, 7.4, 5.2, 2.1

    def gear_radius(theta):
        phase = (theta * teeth / (2 * math.pi)) % 1.0
        d = abs(phase - 0.5)  # trapezoid teeth, flat on top
        if d < 0.16:
            return outer
        if d < 0.26:
            return outer - (outer - inner) * (d - 0.16) / 0.1
        return inner

    def covered(x, y, grow):
        hits = 0
        for j in range(4):
            for i in range(4):
                dx, dy = x + (i + 0.5) / 4 - cx, y + (j + 0.5) / 4 - cy
                r = math.hypot(dx, dy)
                theta = math.atan2(dy, dx)
                hits += hole - grow <= r <= gear_radius(theta) + grow
        return hits >= 8

    body = [[covered(x, y, 0.0) for x in range(size)] for y in range(size)]

    def in_body(x, y):
        return 0 <= x < size and 0 <= y < size and body[y][x]

    for y in range(size):
        for x in range(size):
            if not body[y][x] and any(
                in_body(x + i, y + j) for i in (-1, 0, 1) for j in (-1, 0, 1)
            ):
                px[y][x] = 1
    for y in range(size):
        for x in range(size):
            if not body[y][x]:
                continue
            outer_rim = math.hypot(x + 0.5 - cx, y + 0.5 - cy) > hole + 1.2
            if outer_rim and (not in_body(x - 1, y) or not in_body(x, y - 1)):
                px[y][x] = 14
            elif outer_rim and (not in_body(x + 1, y) or not in_body(x, y + 1)):
                px[y][x] = 13
            elif not outer_rim and (not in_body(x + 1, y) or not in_body(x, y + 1)):
                px[y][x] = 14  # the hole's far wall catches the light
            elif not outer_rim:
                px[y][x] = 13
            else:
                px[y][x] = 12
    return px


def make_icon(path):
    px = icon_pixels()
    rows = []
    for row in px:
        rows.append(bytes((row[i] << 4) | row[i + 1] for i in range(0, 32, 2)))
    palette = [hex_rgb(c) for c in ICON_PALETTE]
    write_png(path, 32, 32, 3, 4, rows, palette=palette, trns=[0])


# ---------------------------------------------------------------------------
# Picture: 100 x 159, 24 bits. Dusk over mountain ranges; below the horizon
# the land turns into a receding wireframe grid, the graphics motif.

W, H = 100, 159
HORIZON = 104.0
SKY = [
    (0.00, hex_rgb("#0b0d2a")),
    (0.35, hex_rgb("#24205a")),
    (0.62, hex_rgb("#6b3277")),
    (0.82, hex_rgb("#d3587a")),
    (1.00, hex_rgb("#ffae6b")),
]
SUN = (50.0, 80.0, 15.0)
STARS = [(9, 8, 1.0), (27, 15, 0.6), (43, 5, 0.8), (71, 11, 1.0), (88, 21, 0.5), (16, 31, 0.7),
         (60, 26, 0.5), (82, 40, 0.4), (35, 37, 0.4), (93, 4, 0.7), (5, 52, 0.3), (57, 3, 0.5)]


def ridge(x, base, amp, valley, parts):
    """Mountain ridge height at x: sines, pulled down towards a valley."""
    shape = sum(a * math.sin(x * f + p) for a, f, p in parts)
    dip = math.exp(-(((x - valley) / 16.0) ** 2))
    return base - amp * (0.55 + 0.45 * shape) * (1 - 0.75 * dip)


RANGES = [
    # Far to near: ridge, colour; farther ranges fade into the sky.
    (lambda x: ridge(x, 98, 30, 50, [(0.6, 0.07, 0.3), (0.3, 0.16, 1.7), (0.1, 0.41, 0.5)]),
     hex_rgb("#8a4a86"), 0.35),
    (lambda x: ridge(x, 102, 20, 62, [(0.7, 0.09, 2.4), (0.25, 0.19, 0.2), (0.1, 0.47, 1.1)]),
     hex_rgb("#4e2865"), 0.15),
    (lambda x: ridge(x, 105, 11, 30, [(0.6, 0.11, 4.0), (0.3, 0.23, 2.6), (0.1, 0.61, 0.3)]),
     hex_rgb("#2a1842"), 0.0),
]
GROUND = hex_rgb("#140c26")
GRID = hex_rgb("#ff5fb0")
GLOW = hex_rgb("#ff9a7a")


def sample(x, y):
    """Colour of the scene at a point (pixel coordinates, y down)."""
    if y < HORIZON:
        c = gradient(SKY, y / HORIZON)
        sx, sy, sr = SUN
        d = math.hypot(x - sx, y - sy)
        if d < sr:
            sun = mix(hex_rgb("#fff1a0"), hex_rgb("#ff8a4c"), (y - (sy - sr)) / (2 * sr))
            # Bands cut out of the lower half, widening towards the horizon.
            band = (y - sy) / sr
            if not (band > 0.1 and ((y - sy) % 4.0) < 0.4 + band * 1.4):
                c = sun
        elif d < sr + 10:
            c = mix(c, hex_rgb("#ffb27a"), 0.4 * (1 - (d - sr) / 10) ** 2)
        for f, col, haze in RANGES:
            top = f(x)
            if y >= top:
                c = mix(col, gradient(SKY, 0.85), haze * (1 - min(1.0, (y - top) / 25)))
        return c
    # Ground plane: eye height h, focal length f; grid lines every 4 units
    # across and every 2 units in depth.
    h, f = 6.0, 60.0
    dy = y - HORIZON + 0.35
    depth = h * f / dy
    wx = (x - W / 2) * depth / f
    across_px = 4 * f / depth  # spacing of the lines across, in pixels
    deep_px = 2 * dy * dy / (h * f)  # spacing of the lines in depth, in pixels
    on_x = abs(wx / 4 - round(wx / 4)) * across_px < 0.45
    on_z = abs(depth / 2 - round(depth / 2)) * deep_px < 0.45
    c = GROUND
    if on_x or on_z:
        # Lines closer than a few pixels apart fade out instead of merging.
        spacing = across_px if on_x else deep_px
        c = mix(GROUND, GRID, max(0.0, min(1.0, (spacing - 2.5) / 6)))
    # Haze near the horizon, lit by the sun.
    return mix(c, GLOW, 0.65 * math.exp(-(y - HORIZON) / 6.0))


def make_picture(path, ss=4):
    rows = []
    for py in range(H):
        row = bytearray()
        for px in range(W):
            acc = [0.0, 0.0, 0.0]
            for j in range(ss):
                for i in range(ss):
                    c = sample(px + (i + 0.5) / ss, py + (j + 0.5) / ss)
                    for k in range(3):
                        acc[k] += c[k]
            c = [a / (ss * ss) for a in acc]
            row += bytes(max(0, min(255, int(round(v)))) for v in c)
        rows.append(bytes(row))
    # Stars, drawn after the fact so they stay crisp.
    for sx, sy, bright in STARS:
        i = sx * 3
        star = bytes(int(v + (s - v) * bright) for v, s in zip(rows[sy][i : i + 3], (240, 240, 255)))
        rows[sy] = rows[sy][:i] + star + rows[sy][i + 3 :]
    write_png(path, W, H, 2, 8, rows)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    make_icon(os.path.join(out, "icon.png"))
    make_picture(os.path.join(out, "picture.png"))


if __name__ == "__main__":
    main()
