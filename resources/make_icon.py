#!/usr/bin/env python3
"""Draws the program icon of nkcfg.exe and writes it as an .ico file.

The picture: a game screen (a rounded tile with a night-blue gradient and a
faint horizon of pixels) with a large silver gear in front of it, the
universal sign for settings.  Four images, 256, 48, 32 and 16 pixels, each
a 32-bit BGRA device-independent bitmap with its AND mask (no PNG), drawn
from the same shapes with 4x4 supersampling.  Deterministic: the same
script always writes the same bytes.

    make_icon.py OUTPUT.ico
"""
import math
import struct
import sys

SIZES = (256, 48, 32, 16)
SUPERSAMPLE = 4
TEETH = 8


def smoothstep(edge0, edge1, x):
    t = min(1.0, max(0.0, (x - edge0) / (edge1 - edge0)))
    return t * t * (3 - 2 * t)


def rounded_rect_inside(x, y, half, radius):
    """Signed distance to a square of half-size `half` with round corners."""
    qx = abs(x) - (half - radius)
    qy = abs(y) - (half - radius)
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - radius


def gear_radius(angle, outer, inner):
    """Radius of the gear's rim at `angle`: flat-topped teeth."""
    phase = (angle * TEETH / (2 * math.pi)) % 1.0
    # Distance from the centre of the nearest tooth, in fractions of a pitch.
    d = abs(phase - 0.5)
    tooth = 1.0 - smoothstep(0.16, 0.26, d)
    return inner + (outer - inner) * tooth


def blend(under, over):
    """Straight-alpha 'over' composition of two (r, g, b, a) colours."""
    r1, g1, b1, a1 = under
    r2, g2, b2, a2 = over
    a = a2 + a1 * (1 - a2)
    if a <= 0:
        return (0.0, 0.0, 0.0, 0.0)
    mix = lambda c1, c2: (c2 * a2 + c1 * a1 * (1 - a2)) / a
    return (mix(r1, r2), mix(g1, g2), mix(b1, b2), a)


def sample(x, y, size):
    """Colour at (x, y) in [-1, 1] coordinates; y grows downwards."""
    pixel = 2.0 / size
    colour = (0.0, 0.0, 0.0, 0.0)

    # The game screen: a tile with a vertical gradient and a soft border.
    tile = rounded_rect_inside(x, y, 0.90, 0.22)
    if tile < pixel:
        cover = 1.0 if tile <= 0 else 0.0
        t = (y + 1) / 2
        top = (0.16, 0.30, 0.62)
        bottom = (0.05, 0.08, 0.26)
        base = tuple(top[i] * (1 - t) + bottom[i] * t for i in range(3))
        # A row of pixel "hills" at the bottom of the screen, the game.
        hill = 0.55 + 0.08 * math.sin(x * 7.0) + 0.05 * math.sin(x * 13.0 + 1.0)
        if y > hill:
            base = (0.10, 0.52, 0.36)
        # A highlight along the upper edge of the tile.
        if tile > -0.06 and y < 0:
            base = tuple(min(1.0, c + 0.25) for c in base)
        colour = blend(colour, base + (cover,))

    # The gear's shadow, then the gear: silver rim with teeth, orange hub.
    r = math.hypot(x, y)
    angle = math.atan2(y, x)
    sx, sy = x - 0.05, y - 0.07
    shadow_r = math.hypot(sx, sy)
    if shadow_r < gear_radius(math.atan2(sy, sx), 0.72, 0.56):
        colour = blend(colour, (0.0, 0.0, 0.0, 0.35))
    rim = gear_radius(angle, 0.72, 0.56)
    if r < rim and r > 0.20:
        light = 0.80 + 0.18 * (-(x + y) / 1.5)
        if r > rim - 0.06 or r < 0.26:
            light -= 0.18  # a darker edge gives the gear its depth
        light = max(0.35, min(1.0, light))
        colour = blend(colour, (light, light, min(1.0, light + 0.04), 1.0))
    if r <= 0.20 and r > 0.10:
        colour = blend(colour, (0.98, 0.58, 0.12, 1.0))
    return colour


def render(size):
    """Rows of (r, g, b, a) bytes, top row first."""
    rows = []
    n = SUPERSAMPLE
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(n):
                for sx in range(n):
                    x = ((px + (sx + 0.5) / n) / size) * 2 - 1
                    y = ((py + (sy + 0.5) / n) / size) * 2 - 1
                    r, g, b, a = sample(x, y, size)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            a = acc[3] / (n * n)
            if a > 0:
                r, g, b = (acc[i] / acc[3] for i in range(3))
            else:
                r = g = b = 0.0
            row.append(tuple(int(round(c * 255)) for c in (r, g, b, a)))
        rows.append(row)
    return rows


def dib(size, rows):
    """BITMAPINFOHEADER, BGRA pixels bottom-up, then the AND mask."""
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + bytes(pixels) + bytes(mask)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    images = [dib(size, render(size)) for size in SIZES]
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, image in zip(SIZES, images):
        dim = 0 if size == 256 else size
        out += struct.pack('<BBBBHHII', dim, dim, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    for image in images:
        out += image
    with open(sys.argv[1], 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
