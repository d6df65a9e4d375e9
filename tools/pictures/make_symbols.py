"""Draws the fifteen drawing symbols of form and position tolerances (GOST 2.308-79)
for the symbol chart into resources/images: 47 x 23 pixels each, black on white,
without anti-aliasing (a pixel is black when at least half of it lies under a stroke).

Run:  python3 tools/pictures/make_symbols.py
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from png import write_png  # noqa: E402

OUT = os.path.join(os.path.dirname(__file__), '..', '..', 'resources', 'images')

WIDTH, HEIGHT = 47, 23
CX, CY = WIDTH / 2, HEIGHT / 2
STROKE = 1.7
SAMPLES = 4  # sub-samples per pixel side
BLACK, WHITE = (0, 0, 0), (255, 255, 255)


# Shapes: functions (x, y) -> True where the point lies under ink.

def segment(x0, y0, x1, y1, width=STROKE):
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy
    half = width / 2

    def inside(x, y):
        t = ((x - x0) * dx + (y - y0) * dy) / length2
        t = max(0.0, min(1.0, t))
        px, py = x0 + t * dx, y0 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= half * half
    return inside


def ring(cx, cy, r, width=STROKE, upper_only=False):
    half = width / 2

    def inside(x, y):
        if upper_only and y > cy + half:
            return False
        return abs(math.hypot(x - cx, y - cy) - r) <= half
    return inside


def triangle(a, b, c):
    def side(p, q, x, y):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])

    def inside(x, y):
        s1, s2, s3 = side(a, b, x, y), side(b, c, x, y), side(c, a, x, y)
        return (s1 >= 0 and s2 >= 0 and s3 >= 0) or (s1 <= 0 and s2 <= 0 and s3 <= 0)
    return inside


def arrow(x0, y0, x1, y1, head=6.0, spread=2.6):
    """A stroke from (x0, y0) to (x1, y1) ending in a filled arrowhead at (x1, y1)."""
    length = math.hypot(x1 - x0, y1 - y0)
    ux, uy = (x1 - x0) / length, (y1 - y0) / length
    bx, by = x1 - ux * head, y1 - uy * head
    nx, ny = -uy, ux
    return [segment(x0, y0, bx, by),
            triangle((x1, y1), (bx + nx * spread, by + ny * spread), (bx - nx * spread, by - ny * spread))]


def render(shapes):
    rows = []
    step = 1.0 / SAMPLES
    for j in range(HEIGHT):
        row = []
        for i in range(WIDTH):
            hits = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = i + (sx + 0.5) * step
                    y = j + (sy + 0.5) * step
                    if any(shape(x, y) for shape in shapes):
                        hits += 1
            row.append(BLACK if hits * 2 >= SAMPLES * SAMPLES else WHITE)
        rows.append(row)
    return rows


# The symbols, in the order of the chart (left to right, top to bottom).

def straightness():
    return [segment(CX - 12, CY, CX + 12, CY, 2.0)]


def flatness():
    slant = 7
    top, bottom = CY - 5, CY + 5
    left, right = CX - 12, CX + 12 - slant
    return [segment(left, bottom, right, bottom),
            segment(left + slant, top, right + slant, top),
            segment(left, bottom, left + slant, top),
            segment(right, bottom, right + slant, top)]


def roundness():
    return [ring(CX, CY, 8.0)]


def cylindricity():
    r = 5.5
    angle = math.radians(60)  # the tangents rise at 60 degrees
    dx, dy = math.cos(angle), -math.sin(angle)
    nx, ny = -dy, dx  # normal to the tangents
    reach = 9.5  # each tangent spans the same height above and below the centre
    shapes = [ring(CX, CY, r)]
    for sign in (1, -1):
        tx, ty = CX + sign * nx * r, CY + sign * ny * r
        up, down = (ty - (CY - reach)) / -dy, (ty - (CY + reach)) / -dy
        shapes.append(segment(tx + dx * down, ty + dy * down, tx + dx * up, ty + dy * up))
    return shapes


def parallelism():
    top, bottom = CY - 8, CY + 8
    run = (bottom - top) / math.tan(math.radians(60))
    return [segment(CX - 6 - run / 2, bottom, CX - 6 + run / 2, top),
            segment(CX + 3 - run / 2, bottom, CX + 3 + run / 2, top)]


def perpendicularity():
    base = CY + 8
    return [segment(CX, CY - 8, CX, base, 2.0),
            segment(CX - 10, base, CX + 10, base, 2.0)]


def inclination():
    base = CY + 8
    left = CX - 10
    rise = 20 * math.tan(math.radians(30))
    return [segment(left, base, CX + 11, base, 2.0),
            segment(left, base, left + 20, base - rise * 1.4)]


def coaxiality():
    return [ring(CX, CY, 8.5), ring(CX, CY, 4.0)]


def symmetry():
    return [segment(CX - 7, CY - 6, CX + 7, CY - 6, 2.0),
            segment(CX - 12, CY, CX + 12, CY, 2.0),
            segment(CX - 7, CY + 6, CX + 7, CY + 6, 2.0)]


def position():
    return [ring(CX, CY, 6.0),
            segment(CX - 10, CY, CX + 10, CY),
            segment(CX, CY - 10, CX, CY + 10)]


def intersection():
    return [segment(CX - 8, CY + 8, CX + 8, CY - 8),
            segment(CX - 8, CY - 8, CX + 8, CY + 8)]


def runout():
    return arrow(CX - 7, CY + 9, CX + 7, CY - 9)


def total_runout():
    base = CY + 9
    shapes = [segment(CX - 13, base, CX + 11, base)]
    shapes += arrow(CX - 12, base, CX - 1, CY - 9)
    shapes += arrow(CX - 1, base, CX + 10, CY - 9)
    return shapes


def line_profile():
    return [ring(CX, CY + 5, 9.0, upper_only=True)]


def surface_profile():
    chord = CY + 5
    return [ring(CX, chord, 9.0, upper_only=True),
            segment(CX - 9, chord, CX + 9, chord)]


SYMBOLS = [
    ('straightness', straightness), ('flatness', flatness), ('roundness', roundness),
    ('cylindricity', cylindricity), ('parallelism', parallelism),
    ('perpendicularity', perpendicularity), ('inclination', inclination),
    ('coaxiality', coaxiality), ('symmetry', symmetry), ('position', position),
    ('intersection', intersection), ('runout', runout), ('total_runout', total_runout),
    ('line_profile', line_profile), ('surface_profile', surface_profile),
]


if __name__ == '__main__':
    os.makedirs(OUT, exist_ok=True)
    for number, (name, draw) in enumerate(SYMBOLS, start=1):
        write_png(os.path.join(OUT, 'symbol_%02d_%s.png' % (number, name)), render(draw()))
