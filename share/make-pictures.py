#!/usr/bin/env python3
"""Paints the pictures of the waveform view's graph styles and the status-bar picture.

Needs Python 3 (standard library only) and ImageMagick's `convert`, which scales the painted
canvases and encodes the JPEG and GIF files; the PNG and BMP files are written here directly.

    python3 share/make-pictures.py [OUTPUT_FOLDER]     (default: the folder of this script)

The program never runs this script: the files it makes are committed. Every random choice comes
from a fixed seed, so a second run paints the same pictures.

What each file is for (a channel view is about 256 pixels high and as wide as the window):
  flowers.jpg  left half stretched over the view; the waveform is cut out of the right half, one
               pixel column per view column at the view's own rows, so the right half is a bright
               blossom texture and the left half a calmer meadow.
  audio.grf    a PNG tile repeated from the top-left corner behind a pure green waveform: a dark
               oscilloscope graticule, major lines 32 pixels apart (one on the centre row of a
               256-pixel view).
  space.gif    a seamless tile of stars and faint nebula repeated behind the Space waveform;
               the nebula is thinnest behind the planet's square.
  earth.jpg    the planet drawn into a 60 x 60 square near the top right of the Space view.
  space.bmp    textures whose first pixel column is stretched onto every waveform column:
  fire.bmp     violet at both ends and white in the middle (space.bmp), dark red at the ends
               and yellow-white in the middle (fire.bmp).
  fire.jpg     stretched over the Fire view: smoke over embers that glow at the bottom.
  sunset.jpg   stretched over the Sunset view, whose waveform runs from dark (quiet) to
               red-orange (loud): bright sky around the centre row, dark sky and hills above and
               below it.
  audio.sta    a 16 x 16 PNG shown beside the text of every status-bar panel.
  example.gif  68 x 157: the small waveform the volume, speed and echo dialogs change in their
               example pictures. The program reads only its outline: in each of the columns 2 to
               65 the first black pixel from the top (at most row 78, the zero line) and from the
               bottom (below row 78). Nothing else in the picture may be pure black.
  mover.gif    17 x 17: a block of the curve dialogs, dragged up and down.
"""

import math
import os
import random
import struct
import subprocess
import sys
import tempfile
import zlib

# The views are designed at this size; the stretched backgrounds are painted for it.
VIEW_W, VIEW_H = 1024, 256


# ---------------------------------------------------------------------------------------------
# Canvas: three float planes (0..255), blending, and output as PPM, PNG or BMP bytes.

class Canvas:
    def __init__(self, w, h, colour=(0, 0, 0)):
        self.w, self.h = w, h
        n = w * h
        self.r = [float(colour[0])] * n
        self.g = [float(colour[1])] * n
        self.b = [float(colour[2])] * n
        self.a = None  # an alpha plane (0..1) when the picture is transparent

    def blend(self, x, y, colour, alpha):
        if alpha <= 0.0 or x < 0 or y < 0 or x >= self.w or y >= self.h:
            return
        if alpha > 1.0:
            alpha = 1.0
        i = y * self.w + x
        self.r[i] += (colour[0] - self.r[i]) * alpha
        self.g[i] += (colour[1] - self.g[i]) * alpha
        self.b[i] += (colour[2] - self.b[i]) * alpha

    def add(self, x, y, colour, amount):
        """Adds light (screen-like, clipped at white)."""
        if amount <= 0.0 or x < 0 or y < 0 or x >= self.w or y >= self.h:
            return
        i = y * self.w + x
        self.r[i] += (255.0 - self.r[i]) * min(1.0, colour[0] / 255.0 * amount)
        self.g[i] += (255.0 - self.g[i]) * min(1.0, colour[1] / 255.0 * amount)
        self.b[i] += (255.0 - self.b[i]) * min(1.0, colour[2] / 255.0 * amount)

    def rgb_rows(self, alpha=False):
        rows = []
        w = self.w
        for y in range(self.h):
            row = bytearray()
            for i in range(y * w, y * w + w):
                row.append(_byte(self.r[i]))
                row.append(_byte(self.g[i]))
                row.append(_byte(self.b[i]))
                if alpha:
                    row.append(_byte(255.0 * (self.a[i] if self.a else 1.0)))
            rows.append(bytes(row))
        return rows

    def ppm(self):
        return b"P6 %d %d 255\n" % (self.w, self.h) + b"".join(self.rgb_rows())

    def png(self):
        alpha = self.a is not None
        raw = b"".join(b"\x00" + row for row in self.rgb_rows(alpha))

        def chunk(kind, data):
            return (struct.pack(">I", len(data)) + kind + data
                    + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

        header = struct.pack(">IIBBBBB", self.w, self.h, 8, 6 if alpha else 2, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))

    def bmp(self):
        """A plain 24-bit bottom-up BMP (BITMAPINFOHEADER)."""
        rows = self.rgb_rows()
        stride = (self.w * 3 + 3) & ~3
        pixels = bytearray()
        for row in reversed(rows):
            bgr = bytearray(len(row))
            bgr[0::3], bgr[1::3], bgr[2::3] = row[2::3], row[1::3], row[0::3]
            pixels += bgr + b"\x00" * (stride - len(row))
        info = struct.pack("<IiiHHIIiiII", 40, self.w, self.h, 1, 24, 0, len(pixels),
                           2835, 2835, 0, 0)
        head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
        return head + info + bytes(pixels)


def _byte(v):
    v = int(v + 0.5)
    return 0 if v < 0 else 255 if v > 255 else v


def mix(c1, c2, t):
    return (c1[0] + (c2[0] - c1[0]) * t, c1[1] + (c2[1] - c1[1]) * t,
            c1[2] + (c2[2] - c1[2]) * t)


def ramp(stops, t):
    """Colour at t on a list of (position, colour) stops sorted by position."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix(c0, c1, (t - p0) / (p1 - p0))
    return stops[-1][1]


def smoothstep(e0, e1, x):
    t = (x - e0) / (e1 - e0)
    t = 0.0 if t < 0.0 else 1.0 if t > 1.0 else t
    return t * t * (3.0 - 2.0 * t)


# ---------------------------------------------------------------------------------------------
# Value noise: smooth random values on an integer lattice. With periods the lattice wraps, so a
# tile made from it repeats without a seam.

class Noise:
    def __init__(self, seed):
        rnd = random.Random(seed)
        perm = list(range(256))
        rnd.shuffle(perm)
        self.perm = perm + perm
        self.val = [rnd.random() for _ in range(256)]

    def at(self, x, y, px=0, py=0):
        ix = math.floor(x)
        iy = math.floor(y)
        fx = x - ix
        fy = y - iy
        ix1, iy1 = ix + 1, iy + 1
        if px:
            ix, ix1 = ix % px, ix1 % px
        if py:
            iy, iy1 = iy % py, iy1 % py
        p, v = self.perm, self.val
        r0, r1 = p[ix & 255], p[ix1 & 255]
        a = v[p[r0 + (iy & 255)]]
        b = v[p[r1 + (iy & 255)]]
        c = v[p[r0 + (iy1 & 255)]]
        d = v[p[r1 + (iy1 & 255)]]
        sx = fx * fx * (3.0 - 2.0 * fx)
        sy = fy * fy * (3.0 - 2.0 * fy)
        top = a + (b - a) * sx
        return top + (c + (d - c) * sx - top) * sy

    def fbm(self, x, y, octaves=4, px=0, py=0, gain=0.5):
        """Sum of octaves, 0..1. Periods px, py (lattice cells of the first octave) make it wrap."""
        total = norm = 0.0
        amp = 1.0
        f = 1
        for o in range(octaves):
            total += amp * self.at(x * f + 31 * o, y * f + 17 * o, px * f, py * f)
            norm += amp
            amp *= gain
            f *= 2
        return total / norm

    def at3(self, x, y, z):
        ix, iy, iz = math.floor(x), math.floor(y), math.floor(z)
        fx, fy, fz = x - ix, y - iy, z - iz
        p, v = self.perm, self.val
        sx = fx * fx * (3.0 - 2.0 * fx)
        sy = fy * fy * (3.0 - 2.0 * fy)
        sz = fz * fz * (3.0 - 2.0 * fz)
        res = []
        for dz in (0, 1):
            face = []
            for dy in (0, 1):
                row = []
                for dx in (0, 1):
                    row.append(v[p[p[p[(ix + dx) & 255] + ((iy + dy) & 255)] + ((iz + dz) & 255)]])
                face.append(row[0] + (row[1] - row[0]) * sx)
            res.append(face[0] + (face[1] - face[0]) * sy)
        return res[0] + (res[1] - res[0]) * sz

    def fbm3(self, x, y, z, octaves=5, gain=0.5):
        total = norm = 0.0
        amp = 1.0
        f = 1.0
        for o in range(octaves):
            total += amp * self.at3(x * f + 5.3 * o, y * f + 1.7 * o, z * f + 9.1 * o)
            norm += amp
            amp *= gain
            f *= 2.0
        return total / norm


# ---------------------------------------------------------------------------------------------
# Drawing helpers.

def disc(cv, cx, cy, radius, colour, alpha=1.0, wrap=False, soft=1.0):
    """A filled disc with an anti-aliased edge (soft: width of the edge in pixels)."""
    x0, x1 = int(math.floor(cx - radius - soft)), int(math.ceil(cx + radius + soft))
    y0, y1 = int(math.floor(cy - radius - soft)), int(math.ceil(cy + radius + soft))
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            cov = (radius - d) / soft + 0.5
            if cov <= 0.0:
                continue
            if wrap:
                cv.blend(x % cv.w, y % cv.h, colour, alpha * min(1.0, cov))
            else:
                cv.blend(x, y, colour, alpha * min(1.0, cov))


def glow(cv, cx, cy, radius, colour, amount, wrap=False):
    """Additive light falling off from a point (Gaussian of the given radius)."""
    reach = int(radius * 3) + 1
    for y in range(int(cy) - reach, int(cy) + reach + 1):
        for x in range(int(cx) - reach, int(cx) + reach + 1):
            d2 = (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2
            a = amount * math.exp(-d2 / (2.0 * radius * radius))
            if a < 0.004:
                continue
            if wrap:
                cv.add(x % cv.w, y % cv.h, colour, a)
            else:
                cv.add(x, y, colour, a)


def blossom(cv, cx, cy, size, petal, heart, rnd, petals=5, shade=0.25):
    """A flower seen from above: round petals around a heart, the petals darker toward it."""
    turn = rnd.random() * 2.0 * math.pi
    pr = size * 0.48
    centres = [(cx + math.cos(turn + k * 2 * math.pi / petals) * size * 0.55,
                cy + math.sin(turn + k * 2 * math.pi / petals) * size * 0.55)
               for k in range(petals)]
    hr = size * 0.26
    x0, x1 = int(cx - size * 1.1) - 1, int(cx + size * 1.1) + 1
    y0, y1 = int(cy - size * 1.1) - 1, int(cy + size * 1.1) + 1
    for y in range(y0, y1 + 1):
        if y < 0 or y >= cv.h:
            continue
        for x in range(x0, x1 + 1):
            if x < 0 or x >= cv.w:
                continue
            px, py = x + 0.5, y + 0.5
            dc = math.hypot(px - cx, py - cy)
            if dc < hr + 0.5:
                spot = 0.85 + 0.15 * math.cos(px * 2.1) * math.cos(py * 2.3)
                cv.blend(x, y, (heart[0] * spot, heart[1] * spot, heart[2] * spot),
                         min(1.0, hr - dc + 0.5))
                if dc < hr - 0.5:
                    continue
            best = 1e9
            for (qx, qy) in centres:
                d = math.hypot(px - qx, py - qy)
                if d < best:
                    best = d
            cov = pr - best + 0.5
            if cov <= 0.0:
                continue
            # Darker toward the heart and at the petal's rim.
            k = 1.0 - shade * (1.0 - min(1.0, dc / size)) - 0.12 * (best / pr) ** 3
            cv.blend(x, y, (petal[0] * k, petal[1] * k, petal[2] * k), min(1.0, cov))


def box_blur(cv, radius, passes=2):
    """Approximate Gaussian blur (repeated box blur), in place."""
    w, h = cv.w, cv.h
    for plane in (cv.r, cv.g, cv.b):
        for _ in range(passes):
            for y in range(h):
                row = plane[y * w:(y + 1) * w]
                acc = sum(row[0] for _ in range(radius + 1)) + sum(row[1:radius + 1])
                out = []
                for x in range(w):
                    out.append(acc / (2 * radius + 1))
                    acc += row[min(w - 1, x + radius + 1)] - row[max(0, x - radius)]
                plane[y * w:(y + 1) * w] = out
            for x in range(w):
                col = plane[x::w]
                acc = sum(col[0] for _ in range(radius + 1)) + sum(col[1:radius + 1])
                for y in range(h):
                    plane[y * w + x] = acc / (2 * radius + 1)
                    acc += col[min(h - 1, y + radius + 1)] - col[max(0, y - radius)]


# ---------------------------------------------------------------------------------------------
# The pictures.

def green_tile():
    """Oscilloscope graticule: a 32 x 32 cell, major line on row 0 and column 0 (the view's
    centre row is a multiple of 32), dotted sub-divisions every 8 pixels."""
    n = 32
    cv = Canvas(n, n, (4, 14, 9))
    line = (14, 58, 32)
    tick = (22, 84, 46)
    for i in range(n):
        cv.blend(i, 0, line, 1.0)
        cv.blend(0, i, line, 1.0)
    for i in range(0, n, 8):
        for j in range(0, n, 4):
            if i:
                cv.blend(i, j, (9, 30, 19), 1.0)
                cv.blend(j, i, (9, 30, 19), 1.0)
        cv.blend(i, 0, tick, 1.0)
        cv.blend(0, i, tick, 1.0)
        # Small ticks across the major lines.
        cv.blend(i, 1, line, 0.8)
        cv.blend(i, n - 1, line, 0.8)
        cv.blend(1, i, line, 0.8)
        cv.blend(n - 1, i, line, 0.8)
    cv.blend(0, 0, (30, 100, 56), 1.0)
    return cv


SPACE_BASE = (3, 4, 15)


def space_tile():
    """512 x 256 seamless tile: faint blue and violet nebula, stars of several sizes."""
    w, h = 512, 256
    cv = Canvas(w, h, SPACE_BASE)
    cloud = Noise(11)
    hue = Noise(12)
    cell = 64.0
    for y in range(h):
        # The nebula thins out around row 40, behind the planet's square (rows 20 to 80); the
        # fall-off repeats with the tile.
        thin = 0.15 + 0.85 * ((1.0 - math.cos(2.0 * math.pi * (y - 40) / h)) / 2.0) ** 1.5
        for x in range(w):
            n = cloud.fbm(x / cell, y / cell, 5, w // 64, h // 64)
            v = smoothstep(0.42, 0.78, n) * 0.9 * thin
            if v <= 0.0:
                continue
            t = hue.fbm(x / 128.0, y / 128.0, 3, w // 128, h // 128)
            colour = mix((22, 34, 96), (70, 26, 92), smoothstep(0.35, 0.65, t))
            cv.blend(x, y, colour, v * 0.55)
    rnd = random.Random(13)
    tints = [(255, 255, 255), (200, 220, 255), (255, 240, 210), (180, 200, 255), (255, 220, 200)]
    for _ in range(520):
        x, y = rnd.random() * w, rnd.random() * h
        b = rnd.random() ** 3
        tint = rnd.choice(tints)
        cv.add(int(x), int(y), tint, 0.18 + 0.7 * b)
    for _ in range(26):
        x, y = rnd.random() * w, rnd.random() * h
        tint = rnd.choice(tints)
        glow(cv, x, y, 0.8, tint, 0.9, wrap=True)
    for _ in range(5):
        x, y = rnd.random() * w, rnd.random() * h
        tint = rnd.choice(tints)
        glow(cv, x, y, 2.2, tint, 0.35, wrap=True)
        glow(cv, x, y, 0.7, (255, 255, 255), 1.0, wrap=True)
        for k in range(1, 6):
            a = 0.5 * (1.0 - k / 6.0)
            for dx, dy in ((k, 0), (-k, 0), (0, k), (0, -k)):
                cv.add(int(x + dx) % w, int(y + dy) % h, tint, a)
    return cv


def earth():
    """The planet at four times 60 x 60, to be scaled down: oceans, land, ice, clouds, a lit
    limb and a thin atmosphere, on the dark of the space tile."""
    s = 240
    cv = Canvas(s, s, SPACE_BASE)
    rnd = random.Random(21)
    for _ in range(6):
        cv.add(int(rnd.random() * s), int(rnd.random() * s), (220, 230, 255), 0.5)
    land = Noise(22)
    kind = Noise(23)
    clouds = Noise(24)
    radius = s * 0.40
    c = s / 2.0
    light = (-0.55, 0.45, 0.70)
    ln = math.sqrt(sum(v * v for v in light))
    light = tuple(v / ln for v in light)
    tilt = math.radians(23.0)
    for y in range(s):
        for x in range(s):
            nx = (x + 0.5 - c) / radius
            ny = (c - y - 0.5) / radius
            d2 = nx * nx + ny * ny
            if d2 >= 1.0:
                # Atmosphere halo, brighter on the lit side.
                d = math.sqrt(d2)
                if d < 1.12:
                    lit = max(0.0, (nx * light[0] + ny * light[1]) / d) * 0.8 + 0.2
                    a = (1.0 - (d - 1.0) / 0.12) ** 2 * 0.7 * lit
                    cv.add(x, y, (80, 150, 255), a)
                continue
            nz = math.sqrt(1.0 - d2)
            # Texture coordinates: the globe tilted and turned.
            ty = ny * math.cos(tilt) - nz * math.sin(tilt)
            tz = ny * math.sin(tilt) + nz * math.cos(tilt)
            tx = nx
            lat = abs(ty)
            hgt = land.fbm3(tx * 1.4 + 3.0, ty * 1.4, tz * 1.4, 7)
            is_land = hgt > 0.55
            if is_land:
                k = kind.fbm3(tx * 2.5, ty * 2.5, tz * 2.5, 4)
                dry = smoothstep(0.52, 0.66, k) * (1.0 - smoothstep(0.45, 0.7, lat))
                base = mix((52, 112, 44), (88, 132, 56), smoothstep(0.4, 0.6, k))
                base = mix(base, (176, 148, 96), dry)
                base = mix(base, (104, 96, 74), smoothstep(0.62, 0.74, hgt) * 0.7)
            else:
                depth = smoothstep(0.55, 0.40, hgt)
                base = mix((30, 110, 180), (8, 36, 112), depth)
            ice = smoothstep(0.82, 0.9, lat + 0.08 * (hgt - 0.5))
            base = mix(base, (236, 242, 250), ice)
            # Clouds: swirled by a warp of their own, in bands of latitude.
            wx = clouds.fbm3(tx * 1.5, ty * 1.5 + 4.0, tz * 1.5, 3) - 0.5
            cl = clouds.fbm3(tx * 2.4 + 7.0 + wx * 2.0, ty * 4.5 + wx * 3.0, tz * 2.4, 6)
            band = 0.5 + 0.5 * math.cos(ty * 8.0)
            ca = smoothstep(0.57, 0.74, cl + 0.06 * band) * 0.92
            col = mix(base, (250, 250, 252), ca)
            dot = nx * light[0] + ny * light[1] + nz * light[2]
            day = smoothstep(-0.15, 0.35, dot)
            shade = 0.03 + 0.97 * max(0.0, dot) ** 0.7 * day + 0.05 * day
            r, g, b = col[0] * shade, col[1] * shade, col[2] * shade
            if not is_land and ca < 0.3 and dot > 0.0:
                # Sun glint on the sea.
                hx, hy, hz = light[0], light[1], light[2] + 1.0
                hn = math.sqrt(hx * hx + hy * hy + hz * hz)
                glint = max(0.0, (nx * hx + ny * hy + nz * hz) / hn) ** 40 * 0.5 * (1 - ca)
                r, g, b = r + 255 * glint, g + 255 * glint, b + 240 * glint
            # Haze toward the limb.
            limb = (1.0 - nz) ** 3.0 * 0.7 * day
            r, g, b = mix((r, g, b), (120, 175, 255), min(1.0, limb))
            i = y * s + x
            cv.r[i], cv.g[i], cv.b[i] = r, g, b
    return cv


def column_texture(stops, w=8, h=256):
    """A texture whose every pixel column (the first is the one used) is the ramp from top to
    bottom; position 0 is the middle row, 1 the top and bottom rows."""
    cv = Canvas(w, h)
    for y in range(h):
        d = abs((y + 0.5) / h - 0.5) * 2.0
        col = ramp(stops, d)
        for x in range(w):
            i = y * w + x
            cv.r[i], cv.g[i], cv.b[i] = col
    return cv


SPACE_RAMP = [(0.0, (255, 255, 255)), (0.22, (200, 250, 255)), (0.45, (60, 220, 255)),
              (0.72, (90, 120, 255)), (1.0, (185, 80, 255))]
FIRE_RAMP = [(0.0, (255, 252, 220)), (0.18, (255, 232, 110)), (0.42, (255, 160, 20)),
             (0.72, (230, 62, 6)), (1.0, (150, 12, 2))]


def fire():
    """Smoke over a bed of embers that glows at the bottom, sparks rising."""
    w, h = VIEW_W, VIEW_H
    cv = Canvas(w, h, (7, 4, 4))
    smoke = Noise(31)
    warp = Noise(32)
    coal = Noise(33)
    flick = Noise(34)
    flame = Noise(36)
    for y in range(h):
        up = y / h  # 0 top .. 1 bottom
        for x in range(w):
            wx = warp.fbm(x / 160.0, y / 90.0, 3) * 2.4
            n = smoke.fbm(x / 150.0 + wx, y / 70.0 + wx * 0.6, 5)
            s = smoothstep(0.45, 0.8, n) * (0.55 + 0.45 * up)
            i = y * w + x
            r, g, b = cv.r[i], cv.g[i], cv.b[i]
            sc = mix((44, 36, 36), (70, 40, 26), up)
            r, g, b = r + (sc[0] - r) * s, g + (sc[1] - g) * s, b + (sc[2] - b) * s
            # Glow of the fire below the picture, flickering along the bottom.
            f = flick.fbm(x / 90.0, 0.5, 3)
            gl = math.exp(-(h - y) / (24.0 + 36.0 * f)) * (0.35 + 0.6 * f)
            r += 220 * gl
            g += 60 * gl
            b += 10 * gl
            # Soft tongues of flame rising from the bottom, only the tallest reaching far up.
            height = (h - y) / h
            fw = warp.fbm(x / 40.0, y / 40.0 + 20.0, 2) * 1.5
            fl = flame.fbm(x / 26.0 + fw, y / 60.0 + fw * 0.5, 4)
            heat = (fl - 0.28) * 2.6 - height * 2.4
            if heat > 0.0:
                heat = min(1.0, heat)
                fc = ramp([(0.0, (110, 18, 2)), (0.5, (225, 82, 10)), (1.0, (255, 178, 60))], heat)
                r, g, b = mix((r, g, b), fc, heat * 0.55)
            # The ember bed in the lowest rows: dark lumps, glowing gaps between them.
            if y > h - 26:
                depth = smoothstep(h - 26, h - 8, y)
                cn = coal.fbm(x / 11.0, y / 5.0, 3)
                gap = smoothstep(0.47, 0.36, cn) * depth
                lump = (1.0 - gap) * depth
                r, g, b = mix((r, g, b), (34 + 30 * f, 12, 6), lump * 0.8)
                hot = gap * (0.5 + 0.6 * f)
                gc = ramp([(0.0, (150, 28, 4)), (0.6, (245, 104, 16)), (1.0, (255, 196, 80))], min(1.0, hot))
                r, g, b = mix((r, g, b), gc, min(1.0, gap * 1.2))
            cv.r[i], cv.g[i], cv.b[i] = r, g, b
    rnd = random.Random(35)
    for _ in range(260):
        y = h - (rnd.random() ** 1.8) * h
        x = rnd.random() * w
        heat = rnd.random()
        colour = mix((255, 90, 10), (255, 220, 120), heat)
        length = int(1 + rnd.random() * 6 * (y / h))
        slant = rnd.uniform(-0.5, 0.5)
        for k in range(length + 1):
            a = (1.0 - k / (length + 1)) * (0.35 + 0.65 * heat)
            cv.add(int(x + slant * k), int(y + k), colour, a)
        if heat > 0.85:
            glow(cv, x, y, 2.0, (255, 120, 30), 0.35)
    return cv


def sunset():
    """Sky from deep blue to orange, a sun sitting on distant hills, layers of dark hills, a few
    thin clouds and birds."""
    w, h = VIEW_W, VIEW_H
    cv = Canvas(w, h)
    sky = [(0.0, (14, 18, 62)), (0.18, (40, 34, 102)), (0.34, (112, 56, 120)),
           (0.48, (206, 92, 100)), (0.60, (246, 142, 72)), (0.70, (255, 196, 112)),
           (0.76, (255, 222, 150))]
    sun_x, sun_y, sun_r = 0.70 * w, 0.62 * h, 17.0
    clouds = Noise(41)
    for y in range(h):
        base = ramp(sky, y / h)
        for x in range(w):
            i = y * w + x
            r, g, b = base
            d = math.hypot(x + 0.5 - sun_x, (y + 0.5 - sun_y) * 1.0)
            gl = math.exp(-d / 70.0) * 0.55 + math.exp(-d / 22.0) * 0.4
            r, g, b = r + (255 - r) * gl, g + (225 - g) * gl * 0.9, b + (150 - b) * gl * 0.6
            # Thin stretched clouds, lit from below near the horizon.
            if 18 < y < 140:
                n = clouds.fbm(x / 260.0, y / 9.0, 4)
                band = smoothstep(18, 50, y) * smoothstep(140, 100, y)
                ca = smoothstep(0.56, 0.74, n) * band * 0.75
                if ca > 0.0:
                    cc = mix((96, 52, 104), (255, 136, 110), smoothstep(40, 130, y))
                    cc = mix(cc, (255, 200, 150), math.exp(-d / 120.0))
                    r, g, b = mix((r, g, b), cc, ca)
            cv.r[i], cv.g[i], cv.b[i] = r, g, b
    disc(cv, sun_x, sun_y, sun_r, (255, 244, 200), 1.0, soft=1.2)
    disc(cv, sun_x, sun_y, sun_r * 0.75, (255, 252, 230), 0.6, soft=3.0)
    hills = Noise(42)
    layers = [  # (base row, height of the waves, scale, colour at the ridge, colour lower)
        (0.655 * h, 16.0, 170.0, (120, 60, 92), (98, 48, 84)),
        (0.74 * h, 22.0, 120.0, (58, 28, 58), (46, 22, 48)),
        (0.84 * h, 24.0, 90.0, (18, 10, 22), (12, 7, 15)),
    ]
    for li, (row, amp, scale, top_c, low_c) in enumerate(layers):
        for x in range(w):
            edge = row - amp * (hills.fbm(x / scale, li * 7.3, 5) - 0.3) * 2.0
            for y in range(max(0, int(edge) - 1), h):
                cov = min(1.0, y + 1.0 - edge)
                if cov <= 0.0:
                    continue
                colour = mix(top_c, low_c, smoothstep(edge, edge + 40, y))
                cv.blend(x, y, colour, cov)
    # Trees on the nearest ridge.
    rnd = random.Random(43)
    row, amp, scale = layers[2][0], layers[2][1], layers[2][2]
    for _ in range(38):
        x = rnd.random() * w
        edge = row - amp * (hills.fbm(x / scale, 2 * 7.3, 5) - 0.3) * 2.0
        tall = 8 + rnd.random() * 14
        for k in range(int(tall)):
            half = (k / tall) * tall * 0.28 + 0.4
            yy = edge - tall + k + 2
            for xx in range(int(x - half), int(x + half) + 2):
                cov = min(1.0, half + 0.5 - abs(xx + 0.5 - x))
                cv.blend(xx, int(yy), (14, 8, 18), max(0.0, cov))
    # Birds.
    for bx, by, span in ((300, 52, 6), (318, 60, 5), (289, 66, 4)):
        for k in range(-span, span + 1):
            yy = by - abs(k) * 0.45 + (0.6 if abs(k) < 2 else 0)
            cv.blend(bx + k, int(yy), (30, 20, 40), 0.9)
            cv.blend(bx + k, int(yy) + 1, (30, 20, 40), 0.35)
    return cv


MEADOW_FLOWERS = [  # (petal colour, heart colour, how often)
    ((236, 236, 228), (230, 190, 60), 5),   # daisies
    ((150, 110, 200), (240, 220, 120), 3),  # violets
    ((90, 130, 220), (220, 230, 255), 3),   # cornflowers
    ((230, 200, 60), (190, 140, 30), 3),    # buttercups
    ((210, 60, 50), (30, 20, 20), 2),       # poppies
]


def meadow():
    """The Flowers background at view size: a strip of sky, a far wood and a meadow whose flowers
    grow larger toward the front; slightly blurred and subdued so the waveform stands out."""
    w, h = VIEW_W, VIEW_H
    cv = Canvas(w, h)
    grass = Noise(51)
    wood = Noise(52)
    patches = Noise(54)
    hue = Noise(55)
    patch_stops = [(0.3, (214, 200, 80)), (0.45, (226, 226, 214)), (0.6, (150, 116, 190)),
                   (0.72, (200, 86, 70))]

    def patch_tint(x, y):
        return ramp(patch_stops, hue.fbm(x / 160.0, y / 40.0, 2))
    horizon = 54
    for y in range(h):
        for x in range(w):
            i = y * w + x
            wood_edge = horizon - 6 - 18 * wood.fbm(x / 40.0, 0.3, 4)
            if y < wood_edge:
                c = mix((120, 160, 205), (185, 208, 222), y / horizon)
                c = mix(c, (235, 240, 245), 0.35 * smoothstep(0.55, 0.8, wood.fbm(x / 90.0, y / 14.0 + 9, 4)))
            elif y < horizon:
                n = wood.fbm(x / 6.0, y / 6.0, 3)
                c = mix((34, 62, 46), (62, 96, 64), n)
            else:
                depth = (y - horizon) / (h - horizon)
                n = grass.fbm(x / (30 + 60 * depth), y / (6 + 24 * depth), 5)
                c = mix((70, 112, 46), (44, 90, 34), n)
                c = mix(c, (36, 74, 30), depth * 0.6)
                # Drifts of flowers in the distance: patches tinted by their colour.
                pn = patches.fbm(x / (40 + 80 * depth), y / (5 + 30 * depth), 4)
                pa = smoothstep(0.5, 0.75, pn) * (0.3 - 0.2 * depth)
                if pa > 0.0:
                    c = mix(c, patch_tint(x, y), pa)
                c = mix((104, 132, 84), c, smoothstep(0.0, 0.25, depth))
            cv.r[i], cv.g[i], cv.b[i] = c
    rnd = random.Random(53)
    # Blades of grass.
    for _ in range(9000):
        x = rnd.random() * w
        y = horizon + (rnd.random() ** 0.7) * (h - horizon)
        depth = (y - horizon) / (h - horizon)
        length = 2 + depth * 14 * rnd.random()
        lean = rnd.uniform(-0.35, 0.35)
        shade = rnd.choice([(92, 140, 56), (40, 80, 30), (120, 158, 70), (56, 104, 40)])
        for k in range(int(length)):
            cv.blend(int(x + lean * k), int(y - k), shade, 0.5)
    picks = [f for f in MEADOW_FLOWERS for _ in range(f[2])]
    # Far flowers: dots, most of them in the drifts.
    for _ in range(7000):
        x = rnd.random() * w
        y = horizon + 1 + (rnd.random() ** 1.3) * (h - horizon) * 0.6
        depth = (y - horizon) / (h - horizon)
        pn = patches.fbm(x / (40 + 80 * depth), y / (5 + 30 * depth), 4)
        if pn < 0.5 and rnd.random() < 0.7:
            continue
        if pn >= 0.52:
            petal = mix(patch_tint(x, y), (255, 255, 240), 0.3)
        else:
            petal = rnd.choice(picks)[0]
        cv.blend(int(x), int(y), petal, 0.85)
        if depth > 0.25:
            cv.blend(int(x) + 1, int(y), petal, 0.6)
    spots = []
    for _ in range(1500):
        y = horizon + 2 + (rnd.random() ** 0.8) * (h - horizon)
        spots.append((y, rnd.random() * w))
    spots.sort()
    for y, x in spots:
        depth = (y - horizon) / (h - horizon)
        petal, heart, _ = rnd.choice(picks)
        size = 1.0 + depth * depth * 7.5 * (0.7 + 0.6 * rnd.random())
        if size < 1.8:
            cv.blend(int(x), int(y), petal, 0.7)
            continue
        # A stem, then the flower.
        for k in range(int(size * 2)):
            cv.blend(int(x), int(y + size * 0.6 + k), (50, 96, 36), 0.7)
        blossom(cv, x, y, size, petal, heart, rnd)
    box_blur(cv, 1, 1)
    # Subdue: a little less contrast and light, more at the centre rows where the waveform lives.
    for y in range(h):
        k = 0.78 - 0.08 * math.exp(-((y - h / 2) / (h / 4)) ** 2)
        for x in range(w):
            i = y * w + x
            cv.r[i] = cv.r[i] * k + 12
            cv.g[i] = cv.g[i] * k + 16
            cv.b[i] = cv.b[i] * k + 14
    return cv


BLOSSOMS = [  # (petal colour, heart colour)
    ((255, 196, 222), (255, 214, 80)),
    ((255, 236, 242), (250, 200, 60)),
    ((250, 150, 196), (255, 224, 110)),
    ((244, 108, 172), (255, 230, 120)),
]


def blossoms():
    """The texture the Flowers waveform is cut from, at view size (twice as tall as a view):
    densely packed bright blossoms, whitest around the centre row of a view."""
    w, h = VIEW_W, 2 * VIEW_H
    cv = Canvas(w, h, (214, 70, 140))
    rnd = random.Random(61)
    shade = Noise(62)
    centre = VIEW_H / 2
    for y in range(h):
        for x in range(w):
            i = y * w + x
            n = shade.fbm(x / 12.0, y / 12.0, 3)
            c = mix((150, 30, 96), (232, 90, 156), n)
            cv.r[i], cv.g[i], cv.b[i] = c
    count = 5200
    for _ in range(count):
        x = rnd.random() * w
        y = rnd.random() * h
        d = min(1.0, abs(y - centre) / (VIEW_H / 2)) if y < VIEW_H + 8 else 1.0
        # Near the centre row mostly white and pale pink, toward the edges deeper pink.
        weights = [1.0, 2.2 * (1 - d) + 0.2, 1.0 + d, 0.2 + 2.0 * d]
        pick = rnd.random() * sum(weights)
        for (petal, heart), wgt in zip(BLOSSOMS, weights):
            pick -= wgt
            if pick <= 0:
                break
        size = 6.0 + rnd.random() * 5.0
        blossom(cv, x, y, size, petal, heart, rnd, shade=0.3)
    return cv


def status_picture():
    """16 x 16: a small blue tile with a white waveform, drawn at four times and averaged."""
    k = 4
    big = 16 * k
    cov_tile = [0.0] * (big * big)
    wave = [0.0] * (big * big)
    heights = [1, 3, 2, 5, 1, 6, 3, 4, 2, 1]  # half heights of the bars in columns 3 to 12
    for y in range(big):
        for x in range(big):
            px, py = (x + 0.5) / k, (y + 0.5) / k
            # Rounded square from 0 to 16 with corner radius 3.
            qx = max(0.0, abs(px - 8.0) - 5.0)
            qy = max(0.0, abs(py - 8.0) - 5.0)
            if math.hypot(qx, qy) <= 3.0:
                cov_tile[y * big + x] = 1.0
            if 3.0 <= px < 13.0 and abs(py - 8.0) <= heights[int(px) - 3]:
                wave[y * big + x] = 1.0
    cv = Canvas(16, 16)
    cv.a = [0.0] * 256
    for y in range(16):
        for x in range(16):
            t = w_ = 0.0
            for sy in range(k):
                for sx in range(k):
                    j = (y * k + sy) * big + x * k + sx
                    t += cov_tile[j]
                    w_ += wave[j] * cov_tile[j]
            t /= k * k
            w_ /= k * k
            i = y * 16 + x
            top = mix((52, 101, 164), (32, 74, 135), y / 15.0)
            edge = x in (0, 15) or y in (0, 15)
            base = mix(top, (22, 52, 98), 0.6) if edge else top
            c = mix(base, (238, 244, 236), w_ / t if t else 0.0)
            cv.r[i], cv.g[i], cv.b[i] = c
            cv.a[i] = t
    return cv


def example_waveform():
    """68 x 157: a short sound (a quick attack, a wavering decay) drawn as the waveform views draw
    one, a light blue band with a black outline around the zero line at row 78, on paper white."""
    w, h, zero = 68, 157, 78
    paper, band, axis = (250, 250, 244), (178, 202, 230), (120, 140, 170)
    cv = Canvas(w, h, paper)
    tops, bottoms = [], []
    for c in range(64):
        attack = 1.0 - math.exp(-(c + 1) / 3.5)
        decay = math.exp(-c / 34.0)
        up = 4 + 60 * attack * decay * (0.72 + 0.28 * abs(math.sin(c * 0.55)))
        down = 4 + 58 * attack * decay * (0.72 + 0.28 * abs(math.sin(c * 0.55 + 1.1)))
        tops.append(zero - int(round(up)))
        bottoms.append(zero + int(round(down)))
    for c in range(64):
        x = c + 2
        for y in range(tops[c], bottoms[c] + 1):
            cv.blend(x, y, band, 1.0)
        cv.blend(x, zero, axis, 1.0)
    black = (0, 0, 0)
    for c in range(64):
        x = c + 2
        cv.blend(x, tops[c], black, 1.0)
        cv.blend(x, bottoms[c], black, 1.0)
        # Joins to the next column, drawn in the column whose own outline point is the outer one,
        # so that the first black pixel from either side stays that column's outline point.
        if c + 1 < 64:
            a, b = tops[c], tops[c + 1]
            for y in range(min(a, b) + 1, max(a, b)):
                cv.blend(x if a < b else x + 1, y, black, 1.0)
            a, b = bottoms[c], bottoms[c + 1]
            for y in range(min(a, b) + 1, max(a, b)):
                cv.blend(x if a > b else x + 1, y, black, 1.0)
    return cv


def mover():
    """17 x 17: a raised grey block with a small arrow up and an arrow down."""
    face, light, shade, dark = (212, 208, 200), (255, 255, 255), (128, 128, 128), (64, 64, 64)
    cv = Canvas(17, 17, face)
    for i in range(17):
        cv.blend(i, 0, light, 1.0)
        cv.blend(0, i, light, 1.0)
        cv.blend(i, 16, dark, 1.0)
        cv.blend(16, i, dark, 1.0)
    for i in range(1, 16):
        cv.blend(i, 15, shade, 1.0)
        cv.blend(15, i, shade, 1.0)
    arrow = (24, 40, 96)
    for row in range(4):
        for x in range(8 - row, 9 + row):
            cv.blend(x, 3 + row, arrow, 1.0)
            cv.blend(x, 13 - row, arrow, 1.0)
    for x in range(5, 12):
        cv.blend(x, 8, shade, 1.0)
    return cv


# ---------------------------------------------------------------------------------------------

def convert(args, inputs, out):
    """Runs ImageMagick's convert; inputs are canvases written to temporary PPM files that the
    arguments name as {0}, {1}, ..."""
    with tempfile.TemporaryDirectory() as tmp:
        names = []
        for n, cv in enumerate(inputs):
            name = os.path.join(tmp, "in%d.ppm" % n)
            with open(name, "wb") as f:
                f.write(cv.ppm())
            names.append(name)
        subprocess.run(["convert"] + [a.format(*names) for a in args] + [out], check=True)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else here
    os.makedirs(out, exist_ok=True)

    def path(name):
        return os.path.join(out, name)

    plain = ["-strip", "-interlace", "None"]

    def step(name):
        print("painting", name, flush=True)

    step("audio.grf")
    with open(path("audio.grf"), "wb") as f:
        f.write(green_tile().png())
    step("audio.sta")
    with open(path("audio.sta"), "wb") as f:
        f.write(status_picture().png())
    step("example.gif, mover.gif")
    convert(["{0}"] + plain, [example_waveform()], "gif:" + path("example.gif"))
    convert(["{0}"] + plain, [mover()], "gif:" + path("mover.gif"))
    step("space.bmp, fire.bmp")
    with open(path("space.bmp"), "wb") as f:
        f.write(column_texture(SPACE_RAMP).bmp())
    with open(path("fire.bmp"), "wb") as f:
        f.write(column_texture(FIRE_RAMP).bmp())
    step("space.gif")
    convert(["{0}", "-dither", "None", "-colors", "256"] + plain, [space_tile()],
            "gif:" + path("space.gif"))
    step("earth.jpg")
    convert(["{0}", "-filter", "Triangle", "-resize", "60x60!", "-quality", "94",
             "-sampling-factor", "1x1"] + plain, [earth()], "jpg:" + path("earth.jpg"))
    step("fire.jpg")
    convert(["{0}", "-quality", "82"] + plain, [fire()], "jpg:" + path("fire.jpg"))
    step("sunset.jpg")
    convert(["{0}", "-quality", "84"] + plain, [sunset()], "jpg:" + path("sunset.jpg"))
    step("flowers.jpg")
    # Left half: the meadow squeezed to 512 x 512, which the view stretches back to its size.
    # Right half: the blossoms at the view's own rows, squeezed only across.
    convert(["(", "{0}", "-filter", "Triangle", "-resize", "512x512!", ")",
             "(", "{1}", "-filter", "Triangle", "-resize", "512x512!", ")",
             "+append", "-quality", "82"] + plain, [meadow(), blossoms()],
            "jpg:" + path("flowers.jpg"))


if __name__ == "__main__":
    main()
