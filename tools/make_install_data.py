#!/usr/bin/env python3
"""Generate the files that OMBRIX installs next to the executable.

  install/Uir/*.ico    button icons of the launcher dialog
  resources/ombrix.ico the program's own icon (16, 32 and 48 pixels)
  install/Wav/*.wav    the short sounds the launcher plays
  install/Dat/*        two sample analyses (geometry + loading) and a README

Everything is drawn or synthesised here with the Python standard library
only, so the art can be changed and rebuilt on any machine with

    python3 tools/make_install_data.py

The output is deterministic: running the script twice gives identical files.
"""

import io
import math
import os
import struct
import sys
import wave

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# ---------------------------------------------------------------------------
# Palette.  A calm engineering look: steel blue bars, dark grey outlines and
# joints, one warm accent (orange) for cables and loads.
# ---------------------------------------------------------------------------
STEEL = (62, 104, 156)
STEEL_DK = (30, 58, 100)
STEEL_LT = (160, 192, 224)
GREY_DK = (52, 56, 62)
GREY = (118, 122, 128)
GREY_LT = (196, 200, 206)
WHITE = (255, 255, 255)
PAPER = (252, 252, 248)
ACCENT = (232, 122, 32)
ACCENT_DK = (160, 74, 16)
RED = (200, 46, 38)
RED_DK = (128, 24, 20)
YELLOW = (250, 212, 96)
BROWN = (120, 78, 30)
GREEN = (64, 170, 72)

# The 16 standard VGA colours, for the icons loaded with LR_VGACOLOR.
VGA = {
    "black": (0, 0, 0), "maroon": (128, 0, 0), "green": (0, 128, 0),
    "olive": (128, 128, 0), "navy": (0, 0, 128), "purple": (128, 0, 128),
    "teal": (0, 128, 128), "silver": (192, 192, 192), "gray": (128, 128, 128),
    "red": (255, 0, 0), "lime": (0, 255, 0), "yellow": (255, 255, 0),
    "blue": (0, 0, 255), "fuchsia": (255, 0, 255), "aqua": (0, 255, 255),
    "white": (255, 255, 255),
}


# ---------------------------------------------------------------------------
# Canvas and drawing helpers.
#
# Coordinates are pixel indices: (3, 5) is the centre of pixel column 3,
# row 5, so line(2, 4, 9, 4, 1) lights pixels 2..9 of row 4.  Shapes are
# tested against ss x ss sample points per pixel, which gives smooth edges;
# a canvas made with aa=False uses one sample at the pixel centre and only
# fully opaque pixels (needed for the VGA-colour icons).
# ---------------------------------------------------------------------------
class Canvas:
    def __init__(self, size, aa=True):
        self.size = size
        self.aa = aa
        self.ss = 4 if aa else 1
        # straight (not premultiplied) colour, alpha in 0..1
        self.px = [[(0.0, 0.0, 0.0, 0.0) for _ in range(size)] for _ in range(size)]
        n = self.ss
        self.offsets = [((i + 0.5) / n - 0.5, (j + 0.5) / n - 0.5)
                        for j in range(n) for i in range(n)]

    def blend(self, x, y, color, cover):
        """Composite colour over pixel (x, y) with the given coverage."""
        if not (0 <= x < self.size and 0 <= y < self.size) or cover <= 0:
            return
        r, g, b = color[:3]
        a = (color[3] / 255.0 if len(color) > 3 else 1.0) * cover
        if not self.aa:
            a = 1.0 if a >= 0.5 else 0.0
            if a == 0.0:
                return
        dr, dg, db, da = self.px[y][x]
        oa = a + da * (1.0 - a)
        if oa <= 0:
            return
        k = da * (1.0 - a)
        self.px[y][x] = ((r * a + dr * k) / oa, (g * a + dg * k) / oa,
                         (b * a + db * k) / oa, oa)

    def shape(self, inside, bbox, color):
        """Fill every sample point (x, y) for which inside(x, y) is true."""
        x0, y0, x1, y1 = bbox
        x0 = max(0, int(math.floor(x0)) - 1)
        y0 = max(0, int(math.floor(y0)) - 1)
        x1 = min(self.size - 1, int(math.ceil(x1)) + 1)
        y1 = min(self.size - 1, int(math.ceil(y1)) + 1)
        total = len(self.offsets)
        for py in range(y0, y1 + 1):
            for px in range(x0, x1 + 1):
                hits = sum(1 for dx, dy in self.offsets if inside(px + dx, py + dy))
                if hits:
                    self.blend(px, py, color, hits / total)

    def pixel(self, x, y, color):
        self.blend(x, y, color, 1.0)

    def rgba8(self, x, y):
        r, g, b, a = self.px[y][x]
        a8 = int(round(a * 255))
        if a8 == 0:
            return (0, 0, 0, 0)
        return (int(round(r)), int(round(g)), int(round(b)), a8)


def box(c, x0, y0, x1, y1, color):
    """Filled rectangle covering pixels x0..x1, y0..y1 (inclusive)."""
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            c.pixel(x, y, color)


def frame(c, x0, y0, x1, y1, fill, edge):
    """Rectangle with a one-pixel border."""
    box(c, x0, y0, x1, y1, edge)
    if x1 - x0 >= 2 and y1 - y0 >= 2:
        box(c, x0 + 1, y0 + 1, x1 - 1, y1 - 1, fill)


def _seg_dist2(px, py, x0, y0, x1, y1):
    """Squared distance from a point to a segment, and the position along it."""
    dx, dy = x1 - x0, y1 - y0
    ll = dx * dx + dy * dy
    t = 0.0 if ll == 0 else max(0.0, min(1.0, ((px - x0) * dx + (py - y0) * dy) / ll))
    qx, qy = x0 + t * dx - px, y0 + t * dy - py
    return qx * qx + qy * qy, t * math.sqrt(ll)


def line(c, x0, y0, x1, y1, width, color, dash=None, caps=True):
    """Thick line; dash=(on, off) in pixels gives a dashed line."""
    hw = width / 2.0
    hw2 = hw * hw

    def inside(x, y):
        d2, s = _seg_dist2(x, y, x0, y0, x1, y1)
        if d2 > hw2:
            return False
        if not caps:
            # square ends: reject the half discs beyond the end points
            dx, dy = x1 - x0, y1 - y0
            proj = (x - x0) * dx + (y - y0) * dy
            if proj < 0 or proj > dx * dx + dy * dy:
                return False
        if dash:
            on, off = dash
            return (s % (on + off)) < on
        return True

    c.shape(inside, (min(x0, x1) - hw, min(y0, y1) - hw,
                     max(x0, x1) + hw, max(y0, y1) + hw), color)


def pixel_line(c, x0, y0, x1, y1, color, dash=None):
    """One-pixel Bresenham line without smoothing; dash=(on, off) counts
    pixels.  Used where only solid colours are allowed."""
    x0, y0, x1, y1 = (int(round(v)) for v in (x0, y0, x1, y1))
    dx, dy = abs(x1 - x0), -abs(y1 - y0)
    sx, sy = (1 if x1 > x0 else -1), (1 if y1 > y0 else -1)
    err, step = dx + dy, 0
    while True:
        if not dash or step % (dash[0] + dash[1]) < dash[0]:
            c.pixel(x0, y0, color)
        if (x0, y0) == (x1, y1):
            return
        e2 = 2 * err
        if e2 >= dy:
            err += dy
            x0 += sx
        if e2 <= dx:
            err += dx
            y0 += sy
        step += 1


def polyline(c, pts, width, color, dash=None):
    for (xa, ya), (xb, yb) in zip(pts, pts[1:]):
        line(c, xa, ya, xb, yb, width, color, dash)


def circle(c, cx, cy, r, color):
    r2 = r * r
    c.shape(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r2,
            (cx - r, cy - r, cx + r, cy + r), color)


def ring(c, cx, cy, r, width, color):
    """Circle outline: outer radius r, stroke width 'width' inwards."""
    ro2, ri2 = r * r, max(0.0, r - width) ** 2
    c.shape(lambda x, y: ri2 <= (x - cx) ** 2 + (y - cy) ** 2 <= ro2,
            (cx - r, cy - r, cx + r, cy + r), color)


def polygon(c, pts, color):
    """Filled polygon (even-odd rule)."""
    n = len(pts)

    def inside(x, y):
        hit = False
        for i in range(n):
            xa, ya = pts[i]
            xb, yb = pts[(i + 1) % n]
            if (ya > y) != (yb > y):
                if x < xa + (y - ya) * (xb - xa) / (yb - ya):
                    hit = not hit
        return hit

    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    c.shape(inside, (min(xs), min(ys), max(xs), max(ys)), color)


def arrow(c, x0, y0, x1, y1, width, head_len, head_w, color):
    """Arrow from (x0, y0) to the tip (x1, y1)."""
    L = math.hypot(x1 - x0, y1 - y0)
    ux, uy = (x1 - x0) / L, (y1 - y0) / L
    bx, by = x1 - ux * head_len, y1 - uy * head_len
    line(c, x0, y0, bx + ux * 0.5, by + uy * 0.5, width, color, caps=False)
    hw = head_w / 2.0
    polygon(c, [(x1 + ux * 0.5, y1 + uy * 0.5),
                (bx - uy * hw, by + ux * hw),
                (bx + uy * hw, by - ux * hw)], color)


def joint(c, x, y, r, fill=WHITE, edge=GREY_DK):
    """A round pin joint: dark rim, light centre."""
    circle(c, x, y, r, edge)
    if r >= 1.8:
        circle(c, x, y, r * 0.5, fill)


# A small pixel font: '#' is ink.  Capitals are 5x7, a few narrow glyphs and
# lower-case letters are narrower.
FONT = {
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "I": ["###", ".#.", ".#.", ".#.", ".#.", ".#.", "###"],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "X": ["#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"],
    "5": ["#####", "#....", "####.", "....#", "....#", "#...#", ".###."],
    "b": ["#...", "#...", "###.", "#..#", "#..#", "#..#", "###."],
    "o": ["....", "....", ".##.", "#..#", "#..#", "#..#", ".##."],
    "u": ["....", "....", "#..#", "#..#", "#..#", "#..#", ".###"],
    "t": [".#.", ".#.", "###", ".#.", ".#.", ".#.", "..#"],
    " ": ["..", "..", "..", "..", "..", "..", ".."],
}


def text_width(s, scale=1, gap=1):
    return sum(len(FONT[ch][0]) * scale for ch in s) + gap * scale * (len(s) - 1)


def text(c, x, y, s, color, scale=1, gap=1):
    """Draw s with its top-left corner at pixel (x, y)."""
    for ch in s:
        glyph = FONT[ch]
        for gy, row in enumerate(glyph):
            for gx, bit in enumerate(row):
                if bit == "#":
                    box(c, x + gx * scale, y + gy * scale,
                        x + gx * scale + scale - 1, y + gy * scale + scale - 1, color)
        x += (len(glyph[0]) + gap) * scale


def pixmap(c, x, y, rows, palette):
    """Blit a small hand-drawn picture: each character is looked up in
    palette, characters not in it are left transparent."""
    for gy, row in enumerate(rows):
        for gx, ch in enumerate(row):
            if ch in palette:
                c.pixel(x + gx, y + gy, palette[ch])


def bitmap(c, x, y, rows, color):
    """Blit a one-colour bitmap ('#' = ink)."""
    pixmap(c, x, y, rows, {"#": color})


# ---------------------------------------------------------------------------
# Reusable motifs
# ---------------------------------------------------------------------------
def truss(c, bottom, top, bar_w, joint_r, color=STEEL, jfill=WHITE, jedge=GREY_DK):
    """Warren truss: 'bottom' and 'top' are node lists, top nodes sit between
    the bottom ones.  Chords, diagonals, then the joints on top."""
    polyline(c, bottom, bar_w, color)
    polyline(c, top, bar_w, color)
    zig = []
    for i, b in enumerate(bottom):
        zig.append(b)
        if i < len(top):
            zig.append(top[i])
    polyline(c, zig, bar_w, color)
    if joint_r > 0:
        for x, y in bottom + top:
            joint(c, x, y, joint_r, jfill, jedge)


def page(c, x0, y0, x1, y1, fold):
    """A document page with a dog-eared top-right corner."""
    pts = [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)]
    # outline as a slightly bigger polygon, then the paper inside it
    polygon(c, [(x - 0.5 if x == x0 else x + 0.5, y - 0.5 if y == y0 else y + 0.5)
                for x, y in pts], GREY_DK)
    polygon(c, [(x + 0.5 if x == x0 else x - 0.5, y + 0.5 if y == y0 else y - 0.5)
                for x, y in pts], PAPER)
    # the folded corner
    polygon(c, [(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], GREY_LT)
    line(c, x1 - fold, y0, x1 - fold, y0 + fold, 1, GREY_DK)
    line(c, x1 - fold, y0 + fold, x1, y0 + fold, 1, GREY_DK)


def support(c, x, y, w, h, color=GREY_DK):
    """Pin support: a triangle with its apex at (x, y)."""
    polygon(c, [(x, y - 0.5), (x - w / 2.0 - 0.5, y + h + 0.5),
                (x + w / 2.0 + 0.5, y + h + 0.5)], color)


# ---------------------------------------------------------------------------
# The icons, one function each.  Each returns a Canvas.
# ---------------------------------------------------------------------------
def draw_emblem(size):
    """The OMBRIX emblem: a Warren truss strung with a cable underneath
    (two struts carry the cable), drawn on a 32-unit grid and scaled."""
    c = Canvas(size)
    s = size / 32.0

    def P(x, y):
        return (x * s - 0.5 + s / 2.0, y * s - 0.5 + s / 2.0)

    if size == 16:
        # scaling the big drawing down smears it: whole pixels here
        bottom = [(1, 7), (5, 7), (9, 7), (13, 7)]
        top = [(3, 2), (7, 2), (11, 2)]
        cable = [(1, 7), (5, 13), (9, 13), (13, 7)]
    else:
        bottom = [P(3, 15), P(11, 15), P(20, 15), P(28, 15)]
        top = [P(7, 6), P(15.5, 6), P(24, 6)]
        cable = [P(3, 15), P(11, 26), P(20, 26), P(28, 15)]
    bar_w = {16: 1.0, 32: 2.2, 48: 3.2}[size]
    cab_w = {16: 1.0, 32: 2.0, 48: 2.8}[size]
    jr = {16: 1.0, 32: 2.2, 48: 3.3}[size]
    # struts and cable first, so the truss joints sit on top of them
    line(c, *bottom[1], *cable[1], max(1.0, bar_w * 0.6), GREY_DK)
    line(c, *bottom[2], *cable[2], max(1.0, bar_w * 0.6), GREY_DK)
    polyline(c, cable, cab_w, ACCENT)
    truss(c, bottom, top, bar_w, jr, STEEL)
    for p in cable[1:3]:
        joint(c, *p, jr * 0.8, WHITE, ACCENT_DK)
    return c


def draw_input():
    """Geometry processor: an arrow entering a truss."""
    c = Canvas(24)
    truss(c, [(5, 21), (13, 21), (21, 21)], [(9, 13), (17, 13)], 1.6, 1.7)
    arrow(c, 1.0, 1.0, 8.5, 8.5, 2.4, 5.5, 7, GREEN)
    return c


def draw_incarc():
    """Loading processor: three load arrows on a simply supported beam."""
    c = Canvas(24)
    support(c, 4, 17, 5, 4)
    support(c, 19, 17, 5, 4)
    line(c, 0.5, 21.5, 7.5, 21.5, 1, GREY_DK)
    line(c, 15.5, 21.5, 22.5, 21.5, 1, GREY_DK)
    frame(c, 1, 14, 22, 17, STEEL, STEEL_DK)
    line(c, 3, 1.5, 20, 1.5, 1.4, RED)
    for x in (3.5, 11.5, 19.5):
        arrow(c, x, 1.5, x, 12.5, 2.0, 5, 6, RED)
    return c


def draw_input_file1():
    """Make geometry file: a page with a small truss drawn on it."""
    c = Canvas(24)
    page(c, 3, 1, 20, 22, 5)
    truss(c, [(6, 17), (11.5, 17), (17, 17)], [(8.75, 11), (14.25, 11)], 1.3, 1.3, STEEL, STEEL_DK, STEEL_DK)
    return c


def draw_input_file2():
    """Make loading file: a page with a load arrow on a beam."""
    c = Canvas(24)
    page(c, 3, 1, 20, 22, 5)
    line(c, 6, 17, 17, 17, 2, STEEL)
    support(c, 7, 18, 3, 2)
    support(c, 16, 18, 3, 2)
    arrow(c, 11.5, 5, 11.5, 15.5, 2.2, 5, 7, RED)
    return c


def _module(c, x0, y0, w, h, color, bar_w, jr):
    """A square truss module braced by an X, with joints at the corners."""
    pts = [(x0, y0), (x0 + w, y0), (x0 + w, y0 + h), (x0, y0 + h)]
    polyline(c, pts + [pts[0]], bar_w, color)
    web = max(1.0, bar_w * 0.6)                      # lighter bracing
    line(c, *pts[0], *pts[2], web, color)
    line(c, *pts[1], *pts[3], web, color)
    return pts


def draw_compound(size=24, c=None, y_off=0.0):
    """Compound structure: two truss modules joined by orange connectors."""
    c = c or Canvas(size)
    k = size / 24.0
    # width 2 (3 at 48 px) bars on half-pixel positions keep the edges sharp
    bw, jr = (2.0, 1.7) if size == 24 else (3.0, 2.5)
    a = _module(c, 1.5 * k, (6.5 + y_off) * k, 8 * k, 8 * k, STEEL, bw, jr)
    b = _module(c, 13.5 * k, (10.5 + y_off) * k, 8 * k, 8 * k, GREY_DK, bw, jr)
    # two connector bars between the modules
    line(c, *a[1], *b[0], bw, ACCENT)
    line(c, *a[2], *b[3], bw, ACCENT)
    for x, y in a:
        joint(c, x, y, jr, WHITE, STEEL_DK)
    for x, y in b:
        joint(c, x, y, jr, WHITE, GREY_DK)
    for x, y in (a[1], a[2], b[0], b[3]):
        joint(c, x, y, jr, WHITE, ACCENT_DK)
    return c


def draw_users_guide():
    """User's Guide: an open book with a blue cover."""
    c = Canvas(32)
    # cover behind the pages
    polygon(c, [(1, 8), (16, 11), (31, 8), (31, 28), (16, 31), (1, 28)], STEEL_DK)
    # two pages: a grey outline polygon, the paper inset by about a pixel
    polygon(c, [(3, 6), (15.5, 9), (15.5, 28), (3, 25)], GREY)
    polygon(c, [(29, 6), (16.5, 9), (16.5, 28), (29, 25)], GREY)
    polygon(c, [(4, 7.3), (15, 9.9), (15, 26.8), (4, 24)], PAPER)
    polygon(c, [(28, 7.3), (17, 9.9), (17, 26.8), (28, 24)], PAPER)
    # lines of text, following the slant of each page
    for i in range(6):
        y = 12 + i * 2.6
        line(c, 5.5, y - 2.0, 13.5, y, 1.0, STEEL_LT if i else STEEL)
        line(c, 18.5, y, 26.5, y - 2.0, 1.0, STEEL_LT if i else STEEL)
    line(c, 16, 9.5, 16, 29, 1.0, GREY_DK)
    return c


def draw_print():
    """Printer, 16x16."""
    c = Canvas(16)
    frame(c, 4, 1, 11, 6, WHITE, GREY_DK)             # paper in the feeder
    frame(c, 1, 6, 14, 12, GREY_LT, GREY_DK)          # body
    box(c, 2, 7, 13, 7, WHITE)                        # highlight
    c.pixel(12, 9, GREEN)                             # power light
    box(c, 3, 10, 12, 10, GREY_DK)                    # paper slot
    frame(c, 3, 11, 12, 15, WHITE, GREY_DK)           # printed sheet
    box(c, 5, 13, 10, 13, STEEL)
    return c


def draw_notepad():
    """Text editor: a spiral notepad with ruled lines and a pencil.
    Only the central 22x22 pixels (5..26) are visible."""
    c = Canvas(32)
    frame(c, 6, 7, 22, 26, PAPER, GREY_DK)
    box(c, 7, 8, 21, 9, STEEL)                        # top binding strip
    for x in (9, 12, 15, 18):                          # spiral rings
        box(c, x, 5, x + 1, 5, GREY_DK)
        box(c, x, 6, x, 9, GREY_DK)
        box(c, x + 1, 6, x + 1, 7, GREY_DK)
    for y in (12, 15, 18, 21, 24):
        box(c, 8, y, 20, y, STEEL_LT)
    box(c, 9, 11, 9, 25, (230, 150, 150))            # margin line
    # pencil from top right to its point at the lower middle
    line(c, 24.0, 11.0, 16.0, 19.0, 4.2, GREY_DK, caps=False)
    line(c, 23.6, 11.4, 16.4, 18.6, 2.6, YELLOW, caps=False)
    polygon(c, [(14.2, 17.0), (18.0, 20.8), (12.0, 23.0)], (236, 204, 160))
    polygon(c, [(13.0, 20.6), (14.4, 22.0), (12.0, 23.0)], GREY_DK)
    line(c, 24.4, 10.6, 25.0, 10.0, 3.6, (214, 110, 120), caps=False)  # eraser
    return c


def draw_exit():
    """Exit: a red sign with the word EXIT.  Only rows 15..32 are visible."""
    c = Canvas(48)
    box(c, 1, 16, 46, 31, RED_DK)                     # sign with cut corners
    box(c, 2, 15, 45, 32, RED_DK)
    box(c, 2, 17, 45, 30, RED)
    box(c, 3, 16, 44, 31, RED)
    w = text_width("EXIT", 2, 1)
    text(c, (48 - w) // 2, 17, "EXIT", WHITE, 2, 1)
    return c


def draw_about():
    """About: an 'i' in a blue circle and the word About.  Rows 15..32."""
    c = Canvas(48)
    circle(c, 9.5, 23.5, 8.6, STEEL_DK)
    circle(c, 9.5, 23.5, 7.5, STEEL)
    circle(c, 9.5, 19.0, 1.6, WHITE)
    box(c, 8, 22, 10, 28, WHITE)
    box(c, 7, 22, 7, 22, WHITE)
    box(c, 7, 28, 11, 28, WHITE)
    text(c, 21, 20, "About", GREY_DK)
    return c


def _vga_plot(c):
    """White plot area with a grey grid and a black frame (VGA colours)."""
    box(c, 3, 3, 44, 44, VGA["black"])
    box(c, 4, 4, 43, 43, VGA["white"])
    for g in range(9, 43, 6):
        for t in range(4, 44):
            if t % 2 == 0:
                c.pixel(g, t, VGA["silver"])
                c.pixel(t, g, VGA["silver"])


# a two-panel Warren truss, simply supported, for both graph icons
VGA_BOTTOM = [(8, 27), (24, 27), (40, 27)]
VGA_TOP = [(16, 15), (32, 15)]


def _vga_supports(c):
    for x, y in (VGA_BOTTOM[0], VGA_BOTTOM[-1]):
        polygon(c, [(x, y + 1), (x - 3, y + 5), (x + 3, y + 5)], VGA["black"])
        box(c, x - 4, y + 6, x + 4, y + 6, VGA["black"])


def draw_structure():
    """Structure graph: a truss on a plot background, VGA colours only."""
    c = Canvas(48, aa=False)
    _vga_plot(c)
    _vga_supports(c)
    truss(c, VGA_BOTTOM, VGA_TOP, 2, 0, VGA["navy"])
    for x, y in VGA_BOTTOM + VGA_TOP:
        circle(c, x, y, 2.0, VGA["red"])
    return c


def _truss_bars(bottom, top):
    """The bars of a Warren truss as pairs of end points."""
    bars = list(zip(bottom, bottom[1:])) + list(zip(top, top[1:]))
    for i, t in enumerate(top):
        bars += [(bottom[i], t), (t, bottom[i + 1])]
    return bars


def draw_displacement():
    """Displaced structure graph: the truss in grey and its deformed shape
    in dashed red, VGA colours only."""
    c = Canvas(48, aa=False)
    _vga_plot(c)
    _vga_supports(c)
    sag = [0, 10, 0]
    sag_top = [7, 7]
    bottom = [(x, y + d) for (x, y), d in zip(VGA_BOTTOM, sag)]
    top = [(x, y + d) for (x, y), d in zip(VGA_TOP, sag_top)]
    for (xa, ya), (xb, yb) in _truss_bars(VGA_BOTTOM, VGA_TOP):
        pixel_line(c, xa, ya, xb, yb, VGA["gray"])
    for (xa, ya), (xb, yb) in _truss_bars(bottom, top):
        pixel_line(c, xa, ya, xb, yb, VGA["red"], dash=(3, 2))
    for x, y in bottom[1:-1] + top:
        box(c, int(x) - 1, int(y) - 1, int(x) + 1, int(y) + 1, VGA["maroon"])
    return c


def draw_max():
    """Peak finder: a bar chart with the highest bar marked MAX.
    Visible band: rows 9..38, width 44 (columns 2..45)."""
    c = Canvas(48)
    heights = [8, 12, 17, 10, 6, 9]
    base = 36
    peak = heights.index(max(heights))
    for i, h in enumerate(heights):
        x0 = 8 + i * 6
        col, edge = (ACCENT, ACCENT_DK) if i == peak else (STEEL_LT, STEEL)
        frame(c, x0, base - h, x0 + 4, base, col, edge)
    box(c, 4, 12, 5, 38, GREY_DK)                     # axes
    box(c, 4, 37, 45, 38, GREY_DK)
    px = 8 + peak * 6 + 2
    w = text_width("MAX")
    text(c, px - w // 2, 9, "MAX", RED)
    polygon(c, [(px - 2.5, 16.5), (px + 2.5, 16.5), (px, 18.5)], RED)
    return c


# At 16x16 the folder is drawn pixel by pixel: smooth shapes blur there.
OPEN_FOLDER = [
    "................",
    ".kkkk...........",
    "kbbbbk..........",
    "kbbbbbkkkkkkk...",
    "kbbwwwwwwwwbk...",
    "kbbwggggggwbk...",
    "kbbwwwwwwwwbk...",
    "kbbwggggwwwbk...",
    "kbkkkkkkkkkkkkkk",
    "kbkhhhhhhhhhhhk.",
    "kbkyyyyyyyyyyyk.",
    "kkyyyyyyyyyyyk..",
    "kkyyyyyyyyyyyk..",
    "kyyyyyyyyyyyk...",
    "kkkkkkkkkkkkk...",
    "................",
]
FOLDER_COLOURS = {"k": BROWN, "b": (226, 172, 58), "y": YELLOW,
                  "h": (255, 238, 170), "w": WHITE, "g": GREY_LT}

CLOCK = [
    "..kkkk..",
    ".kwwwwk.",
    "kwwwhwwk",
    "kwwwhwwk",
    "kwwwhrrk",
    "kwwwwwwk",
    ".kwwwwk.",
    "..kkkk..",
]


def draw_open():
    """Open a file: an open yellow folder."""
    c = Canvas(16)
    pixmap(c, 0, 0, OPEN_FOLDER, FOLDER_COLOURS)
    return c


def draw_open_recent():
    """Recent files: the open folder with a small clock."""
    c = draw_open()
    pixmap(c, 8, 8, CLOCK, {"k": STEEL_DK, "w": WHITE, "h": GREY_DK, "r": RED})
    return c


def draw_preview():
    """Preview: a magnifying glass over a small truss."""
    c = Canvas(24)
    circle(c, 9.5, 11, 8.0, STEEL_LT + (110,))       # tinted glass
    truss(c, [(3.5, 14), (9.5, 14), (15.5, 14)], [(6.5, 8), (12.5, 8)], 1.5, 1.4, STEEL_DK, STEEL_DK, STEEL_DK)
    ring(c, 9.5, 11, 8.4, 2.0, GREY_DK)
    line(c, 15.6, 17.1, 20.6, 21.9, 4.0, GREY_DK)    # handle
    line(c, 16.2, 17.7, 20.5, 21.8, 2.0, BROWN)
    c.pixel(5, 6, WHITE)                              # a glint on the glass
    c.pixel(6, 5, WHITE)
    return c


QUESTION = [
    "..####..",
    ".######.",
    "##...###",
    "##...###",
    "....###.",
    "...###..",
    "...##...",
    "...##...",
    "........",
    "...##...",
    "...##...",
]


def draw_help():
    """Help: a white question mark in a blue circle."""
    c = Canvas(24)
    circle(c, 11.5, 11.5, 11.5, STEEL_DK)
    circle(c, 11.5, 11.5, 10.3, STEEL)
    circle(c, 10.5, 9.5, 8.0, (86, 128, 180))        # soft highlight
    bitmap(c, 8, 6, QUESTION, WHITE)
    return c


def draw_compound_post():
    """Compound post-processor: the two joined modules over a result chart.
    Visible: the central 46x46."""
    c = Canvas(48)
    draw_compound(48, c, y_off=-4.5)
    # result chart panel
    frame(c, 3, 32, 44, 45, WHITE, GREY_DK)
    box(c, 6, 34, 6, 43, GREY)                        # axes inside the panel
    box(c, 6, 43, 41, 43, GREY)
    curve = [(7, 41), (12, 37), (17, 39), (22, 35), (27, 37), (32, 39), (37, 36), (41, 40)]
    polyline(c, curve, 1.6, RED)
    for x, y in curve[1:-1]:
        circle(c, x, y, 1.1, RED_DK)
    return c


def draw_diagrams():
    """Diagrams: an internal-force diagram on a pair of axes, positive part
    in blue, negative part in orange, with hatching."""
    c = Canvas(48)
    base = 28
    xs = range(7, 43)

    def f(x):
        # a bending-moment-like shape crossing zero at x = 30
        t = (x - 7) / 35.0
        return -190.0 * t * (t - 0.66) * (1.0 - t)

    pos = [(x, base - f(x)) for x in xs]
    polygon(c, [(7, base)] + pos + [(42, base)], STEEL_LT + (170,))
    for x in range(9, 42, 3):
        y = base - f(x)
        line(c, x, base, x, y, 1.0, STEEL if f(x) > 0 else ACCENT_DK)
    polyline(c, pos[:24], 2.0, STEEL_DK)
    polyline(c, pos[23:], 2.0, ACCENT)
    # axes with arrow heads
    arrow(c, 4, 44, 4, 2, 2.0, 5, 6, GREY_DK)
    arrow(c, 2, base, 46, base, 2.0, 5, 6, GREY_DK)
    return c


# ---------------------------------------------------------------------------
# .ico writer: one BITMAPINFOHEADER + 32-bit BGRA XOR image + 1-bit AND mask
# per image (no PNG compression inside).
# ---------------------------------------------------------------------------
def ico_image_bytes(c):
    w = h = c.size
    xor = bytearray()
    for y in range(h - 1, -1, -1):                    # bottom-up rows
        for x in range(w):
            r, g, b, a = c.rgba8(x, y)
            xor += bytes((b, g, r, a))
    mask_stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(mask_stride)
        for x in range(w):
            if c.rgba8(x, y)[3] < 128:                # 1 = transparent
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 32, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def ico_bytes(canvases):
    """A complete .ico file holding one image per canvas."""
    images = [ico_image_bytes(c) for c in canvases]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for c, data in zip(canvases, images):
        dim = c.size if c.size < 256 else 0
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    return bytes(out)


def full(size):
    return (0, 0, size - 1, size - 1)


# file, size, drawing, part the button shows (x0, y0, x1, y1 inclusive),
# VGA colours only.  Nothing may be drawn outside the shown part.
ICONS = [
    ("icon1.ico", 32, lambda: draw_emblem(32), full(32), False),
    ("Input.ico", 24, draw_input, full(24), False),
    ("Incarc.ico", 24, draw_incarc, full(24), False),
    ("InputFile1.ico", 24, draw_input_file1, full(24), False),
    ("InputFile2.ico", 24, draw_input_file2, full(24), False),
    ("Compound.ico", 24, draw_compound, full(24), False),
    ("IconWord3.ico", 32, draw_users_guide, full(32), False),
    ("Print.ico", 16, draw_print, full(16), False),
    ("Notepad.ico", 32, draw_notepad, (5, 5, 26, 26), False),
    ("IconExit.ico", 48, draw_exit, (0, 15, 47, 32), False),
    ("About.ico", 48, draw_about, (0, 15, 47, 32), False),
    ("IconStructure.ico", 48, draw_structure, (3, 3, 44, 44), True),
    ("Displacement2.ico", 48, draw_displacement, (3, 3, 44, 44), True),
    ("Max.ico", 48, draw_max, (2, 9, 45, 38), False),
    ("Open.ico", 16, draw_open, full(16), False),
    ("Open5.ico", 16, draw_open_recent, full(16), False),
    ("IconPreview.ico", 24, draw_preview, full(24), False),
    ("OmbrixHelp1.ico", 24, draw_help, full(24), False),
    ("CompoundPost-2.ico", 48, draw_compound_post, (1, 1, 46, 46), False),
    ("Diagrams.ico", 48, draw_diagrams, (1, 1, 46, 46), False),
]
PROGRAM_ICON = "resources/ombrix.ico"
PROGRAM_ICON_SIZES = (16, 32, 48)


def build_icons(out):
    for name, _size, draw, _shown, _vga in ICONS:
        out["install/Uir/" + name] = ico_bytes([draw()])
    out[PROGRAM_ICON] = ico_bytes([draw_emblem(n) for n in PROGRAM_ICON_SIZES])


# ---------------------------------------------------------------------------
# Sounds: mono 16-bit PCM at 22050 Hz.  Each note is a soft bell: a sine
# with a little second and third partial, a short raised-cosine attack and
# an exponential decay.  The mix is faded out at the end and scaled to a
# peak of -6 dBFS.
# ---------------------------------------------------------------------------
RATE = 22050
PEAK = 0.5  # -6 dBFS


def note_freq(name):
    """'C5', 'F#4', ... -> frequency in Hz (A4 = 440 Hz)."""
    steps = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}
    n = steps[name[0]]
    rest = name[1:]
    if rest.startswith("#"):
        n, rest = n + 1, rest[1:]
    elif rest.startswith("b"):
        n, rest = n - 1, rest[1:]
    n += (int(rest) - 4) * 12
    return 440.0 * 2.0 ** (n / 12.0)


def render(duration, notes, attack=0.012, release=0.06):
    """notes: list of (start s, note name, decay time constant s, gain)."""
    n = int(round(duration * RATE))
    buf = [0.0] * n
    for start, name, tau, gain in notes:
        f = note_freq(name)
        i0 = int(round(start * RATE))
        for i in range(i0, n):
            t = (i - i0) / RATE
            env = math.exp(-t / tau)
            if t < attack:
                env *= 0.5 - 0.5 * math.cos(math.pi * t / attack)
            w = 2.0 * math.pi * f * t
            buf[i] += gain * env * (math.sin(w) + 0.18 * math.sin(2 * w) * math.exp(-t / (tau * 0.5))
                                    + 0.06 * math.sin(3 * w) * math.exp(-t / (tau * 0.3)))
    nrel = int(release * RATE)
    for k in range(nrel):                             # fade the tail to zero
        buf[n - 1 - k] *= 0.5 - 0.5 * math.cos(math.pi * k / nrel)
    peak = max(abs(v) for v in buf)
    return [int(round(v / peak * PEAK * 32767)) for v in buf]


SOUNDS = {
    # a rising C major arpeggio
    "OmbrixWelcome.wav": (1.0, [(0.00, "C5", 0.35, 1.0), (0.11, "E5", 0.35, 0.9),
                                (0.22, "G5", 0.35, 0.85), (0.33, "C6", 0.40, 0.8)]),
    # two tones, a falling fourth
    "Running-1.wav": (0.6, [(0.00, "A5", 0.16, 1.0), (0.22, "E5", 0.20, 1.0)]),
    # three tones, up and back down
    "Running-2.wav": (0.8, [(0.00, "D5", 0.14, 1.0), (0.20, "F#5", 0.14, 0.95),
                            (0.40, "A5", 0.22, 0.9)]),
    # a falling arpeggio
    "GoodBye.wav": (0.9, [(0.00, "C6", 0.30, 0.8), (0.12, "G5", 0.30, 0.85),
                          (0.24, "E5", 0.30, 0.9), (0.36, "C5", 0.35, 1.0)]),
}


def wav_bytes(samples):
    buf = io.BytesIO()
    with wave.open(buf, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(struct.pack("<%dh" % len(samples), *samples))
    return buf.getvalue()


def build_sounds(out):
    for name, (duration, notes) in SOUNDS.items():
        out["install/Wav/" + name] = wav_bytes(render(duration, notes))


# ---------------------------------------------------------------------------
# Sample analyses.  Units throughout: m, kN, kN/m2; z points upwards.
# ---------------------------------------------------------------------------
GEOMETRY_HELP = [
    "// OMBRIX geometry file (values separated by blanks or commas)",
    "//   after these comment lines: one heading line, then",
    "//   NN  NE  [E|G]     numbers of nodes and members, member law",
    "//                     (E engineering strain, the default; G Green strain)",
    "//   one line per node:    n  x  y  z  rx  ry  rz",
    "//     r = 1 restrained, 0 free in that direction",
    "//   one line per member:  m  i  j  kind  EA  N0  [L0]",
    "//     kind B = bar (tension and compression), C = cable (tension only);",
    "//     EA axial stiffness; N0 initial force in the geometry as given,",
    "//     tension positive; L0 unstressed length, which replaces N0",
    "//   units: m, kN",
]


def node_line(k, x, y, z, fix):
    return "%5d %10.3f %10.3f %10.3f   %s" % (k, x, y, z, " ".join(fix))


def member_line(k, i, j, kind, ea, n0):
    return "%5d %5d %5d   %s %12.1f %8.2f" % (k, i, j, kind, ea, n0)


def bridge_geometry():
    span, panels, height = 24.0, 4, 3.0
    dx = span / panels
    nodes = []
    for i in range(panels + 1):                       # bottom chord
        fix = "111" if i == 0 else ("011" if i == panels else "010")
        nodes.append((i * dx, 0.0, 0.0, fix))
    for i in range(panels):                           # top chord
        nodes.append(((i + 0.5) * dx, 0.0, height, "010"))
    nb = panels + 1                                   # number of bottom nodes
    chord, web = 0.0040 * 2.1e8, 0.0025 * 2.1e8       # EA: steel, A = 40 and 25 cm2
    bars = []
    for i in range(panels):
        bars.append((i + 1, i + 2, chord))            # bottom chord
    for i in range(panels - 1):
        bars.append((nb + i + 1, nb + i + 2, chord))  # top chord
    for i in range(panels):
        bars.append((i + 1, nb + i + 1, web))         # diagonals
        bars.append((nb + i + 1, i + 2, web))
    lines = GEOMETRY_HELP + [
        "// Warren truss footbridge, 24 m span, 4 panels, plane x-z: every node",
        "// is held in y; steel bars, EA = 840000 kN (chords), 525000 kN (web)",
        "Bridge - plane Warren truss, span 24 m, height 3 m",
        "%5d%5d" % (len(nodes), len(bars)),
    ]
    for k, (x, y, z, fix) in enumerate(nodes, 1):
        lines.append(node_line(k, x, y, z, fix))
    for k, (i, j, ea) in enumerate(bars, 1):
        lines.append(member_line(k, i, j, "B", ea, 0.0))
    return lines


def bridge_loading():
    dead = [(n, 0.0, 0.0, -8.0 if n in (1, 5) else -16.0) for n in range(1, 6)]
    deck = [(n, 0.0, 0.0, -30.0 if n in (1, 5) else -60.0) for n in range(1, 6)]
    point = [(3, 0.0, 0.0, -120.0)]
    half = [(1, 0.0, 0.0, -30.0), (2, 0.0, 0.0, -60.0), (3, 0.0, 0.0, -30.0)]
    return loading_lines(
        "Bridge - loads on the Warren truss",
        [(0, "self weight", 0, dead), (1, "full deck load", 0, deck),
         (2, "point load at mid-span", 0, point), (3, "deck load on the left half", 0, half)],
        with_case0=True)


NET_N = 5          # grid of 5 x 5 lines, the outer ring anchored
NET_STEP = 2.5     # m
NET_RISE = 0.5     # m, height of the saddle at the edge mid-points


def _net_nodes():
    """Nodes of a hyperbolic-paraboloid cable net, z = k (x^2 - y^2).
    The four corners carry no cable and are left out."""
    half = (NET_N - 1) * NET_STEP / 2.0
    k = NET_RISE / (half * half)
    numbers, nodes = {}, []
    for j in range(NET_N):
        for i in range(NET_N):
            edge_i, edge_j = i in (0, NET_N - 1), j in (0, NET_N - 1)
            if edge_i and edge_j:
                continue
            x, y = i * NET_STEP - half, j * NET_STEP - half
            nodes.append((x, y, k * (x * x - y * y), "111" if edge_i or edge_j else "000"))
            numbers[i, j] = len(nodes)
    return numbers, nodes


def cable_net_geometry():
    numbers, nodes = _net_nodes()
    ea, n0 = 3000.0, 3.0                              # 6 mm strand, 3 kN prestress
    cables = []
    for j in range(1, NET_N - 1):                     # cables along x (sagging)
        for i in range(NET_N - 1):
            cables.append((numbers[i, j], numbers[i + 1, j]))
    for i in range(1, NET_N - 1):                     # cables along y (hogging)
        for j in range(NET_N - 1):
            cables.append((numbers[i, j], numbers[i, j + 1]))
    lines = GEOMETRY_HELP + [
        "// Saddle-shaped cable net, 10 m x 10 m, rise 0.5 m, 3 + 3 cables of 6 mm",
        "// strand (EA = 3000 kN), anchored at 12 edge points; every cable",
        "// pre-tensioned to 3 kN in the geometry given",
        "Cable Net - pre-stressed hypar net, 10 m x 10 m",
        "%5d%5d" % (len(nodes), len(cables)),
    ]
    for k, (x, y, z, fix) in enumerate(nodes, 1):
        lines.append(node_line(k, x, y, z, fix))
    for k, (i, j) in enumerate(cables, 1):
        lines.append(member_line(k, i, j, "C", ea, n0))
    return lines


def cable_net_loading():
    numbers, nodes = _net_nodes()
    inner = [numbers[i, j] for j in range(1, NET_N - 1) for i in range(1, NET_N - 1)]
    snow = [(n, 0.0, 0.0, -4.0) for n in inner]
    wind = [(n, 0.0, 0.0, 3.0) for n in inner]
    return loading_lines(
        "Cable Net - snow and wind on the hypar net",
        [(1, "snow, 0.64 kN/m2: the hogging cables go slack", 10, snow),
         (2, "wind suction, 0.48 kN/m2: the sagging cables go slack", 10, wind)],
        with_case0=False)


def loading_lines(title, cases, with_case0):
    n = sum(1 for case in cases if case[0] > 0)
    lines = [
        "// OMBRIX loading file (values separated by blanks or commas)",
        "//   after these comment lines: one heading line, then",
        "//   N     number of load cases 1..N",
        "//   Z     not 0 if a case 0 (for example self weight) comes first",
        "//   for every case, case 0 first, then 1..N:",
        "//     k  m  s         case number, number of loaded nodes, number",
        "//                     of load steps (0: the solver chooses)",
        "//     n  Fx  Fy  Fz   m lines: node and its load, kN, z upwards",
        title,
        "%5d          number of load cases" % n,
        "%5d          case 0 given" % (1 if with_case0 else 0),
    ]
    for number, name, steps, loads in cases:
        lines.append("// case %d: %s" % (number, name))
        lines.append("%5d%5d%5d" % (number, len(loads), steps))
        for node, fx, fy, fz in loads:
            lines.append("%5d %10.3f %10.3f %10.3f" % (node, fx, fy, fz))
    return lines


README = [
    "OMBRIX sample analyses",
    "",
    "Bridge.dat / Bridge.inc: a plane Warren truss footbridge of 24 m span in",
    "four panels, with self weight as case 0 and three live load cases (full deck,",
    "point load at mid-span, load on one half).",
    "Cable Net.dat / Cable Net.inc: a 10 m x 10 m saddle-shaped cable net of",
    "3 + 3 pre-tensioned cables anchored at its edges, loaded by heavy snow and by",
    "wind suction in ten load steps each; its large displacements, and the cables",
    "that go slack under suction, show the non-linear solver at work.",
]


def crlf(lines):
    return ("\r\n".join(lines) + "\r\n").encode("ascii")


# sample file -> text; the loading files with the N and Z the shell must read
SAMPLES = {
    "Bridge.dat": bridge_geometry,
    "Bridge.inc": bridge_loading,
    "Cable Net.dat": cable_net_geometry,
    "Cable Net.inc": cable_net_loading,
    "README.txt": lambda: README,
}
LOADING_HEADS = {"Bridge.inc": (3, 1), "Cable Net.inc": (2, 0)}


def build_samples(out):
    for name, make in SAMPLES.items():
        out["install/Dat/" + name] = crlf(make())


def build_all():
    """Every generated file: repository-relative path -> contents."""
    out = {}
    build_icons(out)
    build_sounds(out)
    build_samples(out)
    return out


# ---------------------------------------------------------------------------
# Read-back checks.  They parse the files as the launcher will see them, so
# they catch a broken writer as well as a drawing that strays outside the
# part of a button that shows.
# ---------------------------------------------------------------------------
def parse_ico(data):
    """-> list of (size, pixels) with pixels[y][x] = (r, g, b, a), top row
    first.  Raises ValueError on anything LoadImage could trip over."""
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind != 1 or count < 1:
        raise ValueError("not an icon directory")
    images = []
    for i in range(count):
        w, h, colours, _r, planes, bpp, length, offset = struct.unpack_from(
            "<BBBBHHII", data, 6 + 16 * i)
        w, h = w or 256, h or 256
        if w != h or planes != 1 or bpp != 32 or colours != 0:
            raise ValueError("entry %d: want a square 32-bit image" % i)
        if offset + length > len(data):
            raise ValueError("entry %d runs past the end of the file" % i)
        if data[offset:offset + 8] == b"\x89PNG\r\n\x1a\n":
            raise ValueError("entry %d is PNG compressed" % i)
        (hsize, bw, bh, bplanes, bbpp, comp) = struct.unpack_from("<IiiHHI", data, offset)
        if (hsize, bw, bh, bplanes, bbpp, comp) != (40, w, 2 * h, 1, 32, 0):
            raise ValueError("entry %d: bad BITMAPINFOHEADER" % i)
        stride = ((w + 31) // 32) * 4
        if length != 40 + w * h * 4 + stride * h:
            raise ValueError("entry %d: wrong image length" % i)
        xor = offset + 40
        mask = xor + w * h * 4
        pixels = []
        for y in range(h):
            row_in_file = h - 1 - y                   # stored bottom-up
            row = []
            for x in range(w):
                b, g, r, a = data[xor + (row_in_file * w + x) * 4:][:4]
                clear = data[mask + row_in_file * stride + x // 8] & (0x80 >> (x % 8))
                if bool(clear) != (a < 128):
                    raise ValueError("entry %d: AND mask disagrees with alpha at (%d,%d)"
                                     % (i, x, y))
                row.append((r, g, b, a))
            pixels.append(row)
        images.append((w, pixels))
    return images


def check_icon(name, data, size, shown, vga):
    images = parse_ico(data)
    if [n for n, _ in images] != [size]:
        raise ValueError("%s: want one %dx%d image" % (name, size, size))
    pixels = images[0][1]
    x0, y0, x1, y1 = shown
    inked = 0
    for y in range(size):
        for x in range(size):
            r, g, b, a = pixels[y][x]
            if a and not (x0 <= x <= x1 and y0 <= y <= y1):
                raise ValueError("%s: pixel (%d,%d) is outside the shown part" % (name, x, y))
            if vga and a and (a != 255 or (r, g, b) not in VGA.values()):
                raise ValueError("%s: pixel (%d,%d) is not a VGA colour" % (name, x, y))
            inked += a > 0
    corners = [pixels[0][0], pixels[0][-1], pixels[-1][0], pixels[-1][-1]]
    if any(p[3] for p in corners):
        raise ValueError("%s: the background is not transparent" % name)
    if inked < size * size // 8:
        raise ValueError("%s: almost nothing is drawn" % name)


def check_wav(name, data, duration):
    with wave.open(io.BytesIO(data)) as w:
        if (w.getnchannels(), w.getsampwidth(), w.getframerate(), w.getcomptype()) != (1, 2, RATE, "NONE"):
            raise ValueError("%s: want mono 16-bit PCM at %d Hz" % (name, RATE))
        frames = w.readframes(w.getnframes())
    samples = struct.unpack("<%dh" % (len(frames) // 2), frames)
    if abs(len(samples) / RATE - duration) > 0.01:
        raise ValueError("%s: lasts %.3f s" % (name, len(samples) / RATE))
    peak_db = 20 * math.log10(max(abs(v) for v in samples) / 32768.0)
    if not -6.5 < peak_db < -5.5:
        raise ValueError("%s: peak at %.1f dBFS" % (name, peak_db))
    # soft start and end: no click at either edge
    if max(abs(v) for v in samples[:20] + samples[-20:]) > 300:
        raise ValueError("%s: starts or ends with a click" % name)
    if len(data) > 50 * 1024:
        raise ValueError("%s: bigger than 50 KB" % name)


def read_loading_head(text):
    """The three values the shell takes from a loading file: heading, N, Z.
    Comment lines start with //; a value ends at a blank or a comma."""
    lines = [ln for ln in text.split("\r\n")]
    i = 0
    while lines[i].startswith("//"):
        i += 1
    heading = lines[i]

    def first_int(line):
        return int(line.strip().replace(",", " ").split()[0])

    return heading, first_int(lines[i + 1]), first_int(lines[i + 2]), lines[i + 3:]


def check_text(name, data):
    text = data.decode("ascii")
    if "\n" in text.replace("\r\n", "") or "\r" in text.replace("\r\n", ""):
        raise ValueError("%s: line ends are not all CR LF" % name)
    return text


def data_lines(text):
    return [ln.split() for ln in text.split("\r\n") if ln and not ln.startswith("//")]


def check_geometry(name, text):
    rows = [r.replace(",", " ").split() for r in text.split("\r\n")[:-1] if not r.startswith("//")][1:]
    nn, nb = int(rows[0][0]), int(rows[0][1])
    nodes, bars = rows[1:1 + nn], rows[1 + nn:]
    if len(bars) != nb or [int(r[0]) for r in nodes] != list(range(1, nn + 1)):
        raise ValueError("%s: node or member count does not match the lines" % name)
    if any(len(r) != 7 or any(f not in "01" for f in r[4:]) for r in nodes):
        raise ValueError("%s: a node line is not n x y z rx ry rz" % name)
    for r in bars:
        if not (1 <= int(r[1]) <= nn and 1 <= int(r[2]) <= nn) or r[1] == r[2]:
            raise ValueError("%s: member %s has bad end nodes" % (name, r[0]))
        if r[3] not in ("B", "C") or float(r[4]) <= 0 or len(r) not in (6, 7):
            raise ValueError("%s: member %s has bad properties" % (name, r[0]))
    return nn


def check_loading(name, text, node_count, want_n, want_z):
    heading, n, z, rest = read_loading_head(text)
    if heading.startswith("//") or (n, z) != (want_n, want_z):
        raise ValueError("%s: heading/N/Z read as %r %d %d" % (name, heading, n, z))
    rows = [ln.split() for ln in rest if ln and not ln.startswith("//")]
    cases, k = [], 0
    while k < len(rows):
        case, nl = int(rows[k][0]), int(rows[k][1])
        if len(rows[k]) != 3:
            raise ValueError("%s: case %d: want k m s" % (name, case))
        for r in rows[k + 1:k + 1 + nl]:
            if len(r) != 4 or not 1 <= int(r[0]) <= node_count:
                raise ValueError("%s: case %d has a bad load line" % (name, case))
        cases.append(case)
        k += 1 + nl
    if cases != list(range(0 if z else 1, n + 1)):
        raise ValueError("%s: cases %r do not match N=%d Z=%d" % (name, cases, n, z))


def check_all(files):
    for name, size, _draw, shown, vga in ICONS:
        check_icon(name, files["install/Uir/" + name], size, shown, vga)
    sizes = [n for n, _ in parse_ico(files[PROGRAM_ICON])]
    if sizes != list(PROGRAM_ICON_SIZES):
        raise ValueError("%s: sizes %r" % (PROGRAM_ICON, sizes))
    for name, (duration, _notes) in SOUNDS.items():
        check_wav(name, files["install/Wav/" + name], duration)
    texts = {name: check_text(name, files["install/Dat/" + name]) for name in SAMPLES}
    for name, (n, z) in LOADING_HEADS.items():
        nodes = check_geometry(name, texts[name[:-4] + ".dat"])
        check_loading(name, texts[name], nodes, n, z)


def main(argv):
    files = build_all()
    check_all(files)
    if "--check" in argv:
        # are the committed files what this script makes?
        stale = []
        for rel, data in sorted(files.items()):
            try:
                with open(os.path.join(ROOT, rel), "rb") as f:
                    same = f.read() == data
            except OSError:
                same = False
            if not same:
                stale.append(rel)
        for rel in stale:
            print("out of date:", rel)
        return 1 if stale else 0
    for rel, data in sorted(files.items()):
        path = os.path.join(ROOT, *rel.split("/"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
    print("%d files written" % len(files))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
