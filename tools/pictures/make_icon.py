"""Draws the program's icon, a small three-dimensional bar chart of blue, yellow and
magenta bars, as an SVG and as PNGs of several sizes, all from one set of polygons."""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from png import write_png  # noqa: E402

HERE = os.path.dirname(__file__)
IMAGES = os.path.join(HERE, '..', '..', 'resources', 'images')
ICONS = os.path.join(HERE, '..', '..', 'resources', 'icons')


def shapes():
    """(polygon in a 32 × 32 box, colour), back to front."""
    out = [
        ([(1, 27), (4, 24), (31, 24), (28, 27)], (150, 150, 150)),   # plate, top
        ([(1, 27), (28, 27), (28, 30), (1, 30)], (90, 90, 90)),      # plate, front
        ([(28, 27), (31, 24), (31, 27), (28, 30)], (60, 60, 60)),    # plate, side
    ]
    bars = [(4, 15, (40, 40, 230)), (13, 8, (240, 220, 0)), (22, 3, (220, 0, 220))]
    for left, top, colour in bars:
        dark = tuple(c * 5 // 10 for c in colour)
        light = tuple(min(255, c + 80) for c in colour)
        right = left + 6
        out.append(([(left, top), (left + 3, top - 3), (right + 3, top - 3), (right, top)], light))
        out.append(([(right, top), (right + 3, top - 3), (right + 3, 25), (right, 28)], dark))
        out.append(([(left, top), (right, top), (right, 28), (left, 28)], colour))
    return out


def inside(poly, x, y):
    result = False
    j = len(poly) - 1
    for i in range(len(poly)):
        xi, yi = poly[i]
        xj, yj = poly[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            result = not result
        j = i
    return result


def render(size, samples=4):
    scale = 32.0 / size
    polys = shapes()
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) * scale
                    y = (py + (sy + 0.5) / samples) * scale
                    colour = None
                    for poly, c in polys:
                        if inside(poly, x, y):
                            colour = c
                    if colour:
                        acc[0] += colour[0]
                        acc[1] += colour[1]
                        acc[2] += colour[2]
                        acc[3] += 1
            n = acc[3]
            if n == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((acc[0] // n, acc[1] // n, acc[2] // n, 255 * n // (samples * samples)))
        rows.append(row)
    return rows


def svg():
    parts = ['<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">']
    for poly, c in shapes():
        points = ' '.join('%g,%g' % p for p in poly)
        parts.append('  <polygon points="%s" fill="#%02x%02x%02x"/>' % (points, *c))
    parts.append('</svg>')
    return '\n'.join(parts) + '\n'


if __name__ == '__main__':
    os.makedirs(ICONS, exist_ok=True)
    write_png(os.path.join(IMAGES, 'icon.png'), render(32))
    write_png(os.path.join(IMAGES, 'icon_64.png'), render(64))
    for size in (16, 32, 48, 64, 128, 256):
        write_png(os.path.join(ICONS, 'merilon-%d.png' % size), render(size, 4 if size <= 64 else 2))
    with open(os.path.join(ICONS, 'merilon.svg'), 'w') as f:
        f.write(svg())
