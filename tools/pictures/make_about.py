"""Draws the About window's pictures into resources/images:
- about_strip.png: the 16 x 190 background strip, pale pink with red gradient bands
  at the top and the bottom;
- about_exit.png and about_exit_pressed.png: the 32 x 32 exit picture, an open
  door with a red arrow leading out, in its normal and its pressed look.

Run:  python3 tools/pictures/make_about.py
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from png import canvas, clamp, write_png  # noqa: E402

OUT = os.path.join(os.path.dirname(__file__), '..', '..', 'resources', 'images')

PINK = (255, 228, 232)
RED = (176, 0, 24)


def mix(a, b, t):
    return tuple(clamp(x + (y - x) * t) for x, y in zip(a, b))


def strip():
    width, height, band = 16, 190, 30
    rows = []
    for y in range(height):
        edge = min(y, height - 1 - y)  # distance from the nearer end
        t = 1.0 if edge >= band else (edge / band) ** 0.8
        base = mix(RED, PINK, t)
        row = []
        for x in range(width):
            # a faint rib across the strip, so that the strips side by side show
            rib = 5 * math.cos(2 * math.pi * (x + 0.5) / width)
            row.append(tuple(clamp(c + rib) for c in base))
        rows.append(row)
    write_png(os.path.join(OUT, 'about_strip.png'), rows)


def inside_polygon(points, x, y):
    inside = False
    for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
        if (y0 > y) != (y1 > y) and x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
            inside = not inside
    return inside


def door(dx, dy, shade):
    """The exit picture moved by (dx, dy) and darkened by `shade` (0 = as drawn)."""
    size = 32
    img = canvas(size, size, (0, 0, 0, 0))

    def put(x, y, colour):
        x, y = x + dx, y + dy
        if 0 <= x < size and 0 <= y < size:
            img[y][x] = mix(colour, (0, 0, 0), shade) + (255,)

    def fill(points, colour, outline):
        for y in range(size):
            for x in range(size):
                if inside_polygon(points, x + 0.5, y + 0.5):
                    near_edge = any(not inside_polygon(points, x + 0.5 + ex, y + 0.5 + ey)
                                    for ex, ey in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                    put(x, y, outline if near_edge else colour)

    # the doorway: a dark opening in a brown frame
    fill([(4, 2), (21, 2), (21, 30), (4, 30)], (32, 32, 56), (110, 64, 20))
    # the door leaf, swung open on its left hinges
    fill([(5, 3), (13, 7), (13, 26), (5, 29)], (196, 136, 64), (110, 64, 20))
    put(11, 16, (250, 220, 80))
    put(11, 17, (250, 220, 80))
    # the red arrow leading out to the right
    arrow = [(13, 14), (23, 14), (23, 9), (31, 16), (23, 23), (23, 18), (13, 18)]
    fill(arrow, (228, 24, 24), (120, 0, 0))
    return img


def sunken(img):
    """A thin sunken bevel round the pressed picture."""
    size = len(img)
    for i in range(size):
        img[0][i] = img[i][0] = (96, 96, 96, 255)
        img[size - 1][i] = img[i][size - 1] = (255, 255, 255, 255)
    return img


if __name__ == '__main__':
    os.makedirs(OUT, exist_ok=True)
    strip()
    write_png(os.path.join(OUT, 'about_exit.png'), door(0, 0, 0.0))
    write_png(os.path.join(OUT, 'about_exit_pressed.png'), sunken(door(1, 1, 0.25)))
