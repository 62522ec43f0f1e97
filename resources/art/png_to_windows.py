#!/usr/bin/env python3
"""Converts the art's PNGs into the formats of Windows resource scripts, and
the icon into the sizes of a Linux icon theme.

python3 png_to_windows.py ico <input.png> <output.ico>   (32-bit icon, sizes 16 to 64)
python3 png_to_windows.py bmp <input.png> <output.bmp>   (24-bit bitmap)
python3 png_to_windows.py theme <input.png> <folder>     (<folder>/<n>x<n>/apps/KVNConfig.png)
Reads the non-interlaced PNGs that make_art.py writes (palette, RGB, RGBA).
"""

import os
import struct
import sys
import zlib


def read_png(path):
    """Returns (width, height, rows of (r, g, b, a) tuples)."""
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(path + ": not a PNG")
    pos, idat, palette, trns = 8, b"", [], b""
    while pos < len(data):
        (length,) = struct.unpack(">I", data[pos : pos + 4])
        kind, body = data[pos + 4 : pos + 8], data[pos + 8 : pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            width, height, depth, color, _, _, interlace = struct.unpack(">IIBBBBB", body)
        elif kind == b"PLTE":
            palette = [tuple(body[i : i + 3]) for i in range(0, len(body), 3)]
        elif kind == b"tRNS":
            trns = body
        elif kind == b"IDAT":
            idat += body
    if interlace or color not in (2, 3, 6) or (color != 3 and depth != 8):
        raise ValueError(path + ": unsupported PNG layout")
    channels = {2: 3, 3: 1, 6: 4}[color]
    bits = channels * depth
    stride = (width * bits + 7) // 8
    step = max(1, bits // 8)
    raw = zlib.decompress(idat)
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1 : (y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - step] if i >= step else 0
            b = previous[i]
            c = previous[i - step] if i >= step else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        previous = line
        pixels = []
        for x in range(width):
            if color == 3:
                bit = x * depth
                index = (line[bit // 8] >> (8 - depth - bit % 8)) & ((1 << depth) - 1)
                alpha = trns[index] if index < len(trns) else 255
                pixels.append(palette[index] + (alpha,))
            elif color == 2:
                pixels.append(tuple(line[x * 3 : x * 3 + 3]) + (255,))
            else:
                pixels.append(tuple(line[x * 4 : x * 4 + 4]))
        rows.append(pixels)
    return width, height, rows


def dib(width, height, rows, bits):
    """A bottom-up DIB: header and pixels (24 bits BGR or 32 bits BGRA)."""
    out = b""
    for pixels in reversed(rows):
        line = b"".join(
            bytes((b, g, r, a)) if bits == 32 else bytes((b, g, r)) for r, g, b, a in pixels
        )
        out += line + b"\0" * (-len(line) % 4)
    return out


# The icon sizes Windows asks for at 96, 120, 144 and 192 DPI: the small
# icon of title bars and the large one of the task switcher and the About box.
ICON_SIZES = (16, 20, 24, 32, 40, 48, 64)


def resample(width, height, rows, size):
    """The image scaled to size x size: each target pixel is the average of
    the source area it covers (weighted by alpha), so that scaling by two
    repeats each pixel and other factors blend only at the edges."""
    def spans(n):
        step = n / size
        out = []
        for t in range(size):
            lo, hi = t * step, (t + 1) * step
            out.append([(s, min(hi, s + 1) - max(lo, s)) for s in range(int(lo), min(n, int(-(-hi // 1))))
                        if min(hi, s + 1) > max(lo, s)])
        return out

    xs, ys = spans(width), spans(height)
    result = []
    for ty in range(size):
        line = []
        for tx in range(size):
            acc, alpha, area = [0.0, 0.0, 0.0], 0.0, 0.0
            for sy, wy in ys[ty]:
                for sx, wx in xs[tx]:
                    r, g, b, a = rows[sy][sx]
                    w = wx * wy
                    area += w
                    alpha += a * w
                    for k, v in enumerate((r, g, b)):
                        acc[k] += v * a * w
            pixel = tuple(int(round(v / alpha)) if alpha else 0 for v in acc)
            line.append(pixel + (int(round(alpha / area)),))
        result.append(line)
    return result


def icon_image(width, height, rows):
    """One image of an icon file: header, 32-bit pixels and the AND mask."""
    pixels = dib(width, height, rows, 32)
    mask_stride = ((width + 31) // 32) * 4
    mask = b""
    for pixels_row in reversed(rows):
        bitsrow = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(pixels_row):
            if a < 128:
                bitsrow[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bitsrow)
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return header + pixels + mask


def write_ico(path, width, height, rows):
    """The icon in every size of ICON_SIZES, the drawn size as drawn."""
    images = []
    for size in ICON_SIZES:
        scaled = rows if size == width == height else resample(width, height, rows, size)
        images.append((size, icon_image(size, size, scaled)))
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in images:
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    open(path, "wb").write(directory + b"".join(image for _, image in images))


def write_bmp(path, width, height, rows):
    pixels = dib(width, height, rows, 24)
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels), 0, 0, 14 + len(header))
    open(path, "wb").write(file_header + header + pixels)


# The sizes of the hicolor icon theme that desktops look up for menus, task
# bars and the task switcher.
THEME_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)


def write_theme(folder, width, height, rows):
    """The icon as <folder>/<n>x<n>/apps/KVNConfig.png in every THEME_SIZES,
    scaled as for the Windows icon."""
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    from make_art import write_png

    for size in THEME_SIZES:
        scaled = rows if size == width == height else resample(width, height, rows, size)
        target = os.path.join(folder, "%dx%d" % (size, size), "apps")
        os.makedirs(target, exist_ok=True)
        packed = [b"".join(bytes(pixel) for pixel in line) for line in scaled]
        write_png(os.path.join(target, "KVNConfig.png"), size, size, 6, 8, packed)


def main():
    kind, source, target = sys.argv[1:4]
    width, height, rows = read_png(source)
    writers = {"ico": write_ico, "bmp": write_bmp, "theme": write_theme}
    writers[kind](target, width, height, rows)


if __name__ == "__main__":
    main()
