#!/usr/bin/env python3
"""Paints the snail: snail.gif for the about box and the hidden window, the program's icon
(desktop/icons: an SVG and PNGs of the hicolor sizes) and the manual's heading picture
(help/snail.png), all from one drawing.

Needs Python 3 only (the canvas and PNG writer of make-pictures.py; the GIF is encoded here).

    python3 share/make-snail.py

The program never runs this script: the files it makes are committed.
"""

import importlib.util
import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))
_spec = importlib.util.spec_from_file_location("pictures", os.path.join(HERE, "make-pictures.py"))
pictures = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(pictures)

# ---------------------------------------------------------------------------------------------
# The drawing, in a 100 x 100 box with y downwards: shapes painted in this order.

BODY = (196, 160, 110)
BODY_DARK = (150, 115, 75)
SHELL_LIGHT = (240, 170, 85)
SHELL_DARK = (160, 70, 30)
SPIRAL = (105, 45, 20)
EYE = (252, 252, 246)
PUPIL = (30, 25, 20)


def spiral_points():
    """An Archimedean spiral from the shell's middle outwards."""
    points = []
    turns = 2.25
    for i in range(0, 121):
        t = i / 120.0 * turns * 2 * math.pi
        r = 2.0 + 18.5 * t / (turns * 2 * math.pi)
        points.append((45 + r * math.cos(t + 2.2), 50 + r * math.sin(t + 2.2)))
    return points


def shell_colour(x, y):
    t = min(1.0, math.hypot(x - 36, y - 38) / 42.0)
    return pictures.mix(SHELL_LIGHT, SHELL_DARK, t)


def shapes():
    """(kind, geometry, colour) with kind 'capsule' ((x1, y1, x2, y2), radius) or 'circle'
    ((x, y), radius); a colour may be a function of the position."""
    out = [
        ("capsule", ((6, 83, 22, 80), 4.5), BODY),
        ("capsule", ((16, 79, 80, 76), 8.5), BODY),
        ("capsule", ((73, 77, 83, 57), 8.5), BODY),
        ("capsule", ((79, 52, 77, 31), 2.0), BODY_DARK),
        ("capsule", ((85, 53, 91, 34), 2.0), BODY_DARK),
        ("circle", ((77, 30), 4.2), EYE),
        ("circle", ((91, 33), 4.2), EYE),
        ("circle", ((78, 30), 2.0), PUPIL),
        ("circle", ((92, 33), 2.0), PUPIL),
        ("capsule", ((84, 64, 88, 63), 0.9), BODY_DARK),
        ("circle", ((45, 50), 27.0), shell_colour),
    ]
    points = spiral_points()
    for (x1, y1), (x2, y2) in zip(points, points[1:]):
        out.append(("capsule", ((x1, y1, x2, y2), 2.3), SPIRAL))
    return out


def inside(kind, geometry, x, y):
    if kind == "circle":
        (cx, cy), r = geometry
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    (x1, y1, x2, y2), r = geometry
    dx, dy = x2 - x1, y2 - y1
    t = max(0.0, min(1.0, ((x - x1) * dx + (y - y1) * dy) / (dx * dx + dy * dy)))
    return (x - x1 - t * dx) ** 2 + (y - y1 - t * dy) ** 2 <= r * r


def bounds(kind, geometry):
    if kind == "circle":
        (cx, cy), r = geometry
        return cx - r, cy - r, cx + r, cy + r
    (x1, y1, x2, y2), r = geometry
    return min(x1, x2) - r, min(y1, y2) - r, max(x1, x2) + r, max(y1, y2) + r


def paint(width, height, samples=4):
    """The drawing fitted into width x height (aspect kept, centred) with transparency."""
    scale = min(width, height) / 100.0
    ox, oy = (width - 100 * scale) / 2, (height - 100 * scale) / 2
    drawn = [(kind, g, c, bounds(kind, g)) for kind, g, c in shapes()]
    cv = pictures.Canvas(width, height)
    cv.a = [0.0] * (width * height)
    for py in range(height):
        for px in range(width):
            total = [0.0, 0.0, 0.0]
            covered = 0
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples - ox) / scale
                    y = (py + (sy + 0.5) / samples - oy) / scale
                    for kind, g, colour, (x0, y0, x1, y1) in reversed(drawn):
                        if x0 <= x <= x1 and y0 <= y <= y1 and inside(kind, g, x, y):
                            c = colour(x, y) if callable(colour) else colour
                            total = [total[i] + c[i] for i in range(3)]
                            covered += 1
                            break
            i = py * width + px
            if covered:
                cv.r[i], cv.g[i], cv.b[i] = (v / covered for v in total)
            cv.a[i] = covered / float(samples * samples)
    return cv


def svg():
    """The same drawing as a scalable picture."""
    parts = ['<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 100 100" '
             'width="256" height="256">',
             '<defs><radialGradient id="shell" cx="36" cy="38" r="42" '
             'gradientUnits="userSpaceOnUse">'
             '<stop offset="0" stop-color="rgb%s"/><stop offset="1" stop-color="rgb%s"/>'
             '</radialGradient></defs>' % (SHELL_LIGHT, SHELL_DARK)]
    for kind, g, colour in shapes():
        if colour is SPIRAL:
            continue
        fill = "url(#shell)" if callable(colour) else "rgb%s" % (colour,)
        if kind == "circle":
            (cx, cy), r = g
            parts.append('<circle cx="%g" cy="%g" r="%g" fill="%s"/>' % (cx, cy, r, fill))
        else:
            (x1, y1, x2, y2), r = g
            parts.append('<line x1="%g" y1="%g" x2="%g" y2="%g" stroke="%s" stroke-width="%g" '
                         'stroke-linecap="round"/>' % (x1, y1, x2, y2, fill, 2 * r))
    path = " ".join("%s%.2f %.2f" % ("M" if i == 0 else "L", x, y)
                    for i, (x, y) in enumerate(spiral_points()))
    parts.append('<path d="%s" fill="none" stroke="rgb%s" stroke-width="4.6" '
                 'stroke-linecap="round" stroke-linejoin="round"/>' % (path, SPIRAL))
    parts.append("</svg>\n")
    return "\n".join(parts).replace(", ", ",")


# ---------------------------------------------------------------------------------------------
# GIF: up to 255 colours and one transparent index, LZW-coded.

def gif(cv, backdrop):
    """Pixels less than half covered become transparent; the edges of the others are blended
    onto `backdrop`, the colour of the window behind the picture."""
    w, h = cv.w, cv.h
    pixels = []
    for i in range(w * h):
        a = cv.a[i]
        if a < 0.5:
            pixels.append(None)
            continue
        c = (cv.r[i] * a + backdrop[0] * (1 - a), cv.g[i] * a + backdrop[1] * (1 - a),
             cv.b[i] * a + backdrop[2] * (1 - a))
        pixels.append(tuple(min(255, int(round(v))) for v in c))
    # The 255 commonest colours (on a 5-bit grid) make the palette; the rest take the nearest.
    counts = {}
    for p in pixels:
        if p is not None:
            key = tuple(v >> 3 for v in p)
            counts[key] = counts.get(key, 0) + 1
    palette = [tuple((v << 3) | 4 for v in k)
               for k, _ in sorted(counts.items(), key=lambda kv: -kv[1])[:255]]
    nearest = {}

    def index(p):
        key = tuple(v >> 3 for v in p)
        if key not in nearest:
            nearest[key] = 1 + min(range(len(palette)), key=lambda j: sum(
                (palette[j][k] - p[k]) ** 2 for k in range(3)))
        return nearest[key]

    indices = [0 if p is None else index(p) for p in pixels]
    table = [backdrop] + palette + [(0, 0, 0)] * (255 - len(palette))
    out = bytearray(b"GIF89a")
    out += w.to_bytes(2, "little") + h.to_bytes(2, "little") + bytes([0xF7, 0, 0])
    for c in table:
        out += bytes(c)
    out += bytes([0x21, 0xF9, 4, 1, 0, 0, 0, 0])  # index 0 is transparent
    out += b"," + bytes(4) + w.to_bytes(2, "little") + h.to_bytes(2, "little") + b"\x00"
    out += bytes([8]) + lzw(indices, 8)
    out += b";"
    return bytes(out)


def lzw(indices, min_size):
    """The image data sub-blocks of a GIF: codes start at min_size + 1 bits; the table is
    cleared when it is full."""
    clear, end = 1 << min_size, (1 << min_size) + 1
    codes = []
    width = min_size + 1
    table = {(i,): i for i in range(clear)}
    next_code = end + 1
    codes.append((clear, width))
    current = ()
    for index in indices:
        grown = current + (index,)
        if grown in table:
            current = grown
            continue
        codes.append((table[current], width))
        if next_code == 4096:
            codes.append((clear, width))
            table = {(i,): i for i in range(clear)}
            next_code = end + 1
            width = min_size + 1
        else:
            table[grown] = next_code
            next_code += 1
            if next_code > (1 << width) and width < 12:
                width += 1
        current = (index,)
    if current:
        codes.append((table[current], width))
    codes.append((end, width))
    data = bytearray()
    bits = nbits = 0
    for code, size in codes:
        bits |= code << nbits
        nbits += size
        while nbits >= 8:
            data.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8
    if nbits:
        data.append(bits & 0xFF)
    blocks = bytearray()
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        blocks += bytes([len(chunk)]) + chunk
    return bytes(blocks + b"\x00")


def main():
    icons = os.path.join(os.path.dirname(HERE), "desktop", "icons", "hicolor")
    print("painting snail.gif", flush=True)
    with open(os.path.join(HERE, "snail.gif"), "wb") as f:
        f.write(gif(paint(120, 120), (239, 239, 239)))
    os.makedirs(os.path.join(icons, "scalable", "apps"), exist_ok=True)
    with open(os.path.join(icons, "scalable", "apps", "sonoplexer.svg"), "w") as f:
        f.write(svg())
    with open(os.path.join(HERE, "help", "snail.png"), "wb") as f:
        f.write(paint(64, 64).png())
    for size in (16, 32, 48, 64, 128, 256):
        print("painting the %d-pixel icon" % size, flush=True)
        folder = os.path.join(icons, "%dx%d" % (size, size), "apps")
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "sonoplexer.png"), "wb") as f:
            f.write(paint(size, size, 4 if size <= 64 else 3).png())


if __name__ == "__main__":
    main()
