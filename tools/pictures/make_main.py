"""Draws the main window's paper tile and the program's icon into resources/images."""
import os
import random
import sys

sys.path.insert(0, os.path.dirname(__file__))
from png import canvas, clamp, periodic_noise, write_png  # noqa: E402

OUT = os.path.join(os.path.dirname(__file__), '..', '..', 'resources', 'images')


def paper():
    size = 94
    coarse = periodic_noise(size, size, 6, 11)
    fine = periodic_noise(size, size, 47, 12)
    rnd = random.Random(13)
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            v = 0.6 * coarse[y][x] + 0.4 * fine[y][x] + rnd.uniform(-0.08, 0.08)
            shade = (v - 0.5) * 22
            row.append((clamp(240 + shade), clamp(228 + shade), clamp(200 + shade * 1.1)))
        rows.append(row)
    write_png(os.path.join(OUT, 'paper.png'), rows)


def icon():
    """A small three-dimensional bar chart: blue, yellow and magenta bars."""
    img = canvas(32, 32, (0, 0, 0, 0))
    def put(x, y, c):
        if 0 <= x < 32 and 0 <= y < 32:
            img[y][x] = c + (255,)
    # base plate
    for x in range(2, 30):
        put(x, 29, (64, 64, 64))
        put(x + 1, 30, (128, 128, 128))
    bars = [(4, 16, (0, 0, 255)), (13, 8, (255, 255, 0)), (22, 3, (255, 0, 255))]
    for left, top, colour in bars:
        dark = tuple(c // 2 for c in colour)
        light = tuple(min(255, c + 96) for c in colour)
        for y in range(top, 29):
            for x in range(left, left + 6):
                put(x, y, colour)
            for d in range(1, 4):  # side face
                put(left + 5 + d, y - d, dark)
        for d in range(1, 4):  # top face
            for x in range(left + d, left + 6 + d):
                put(x, top - d, light)
        for y in range(top, 29):
            put(left, y, (0, 0, 0))
    write_png(os.path.join(OUT, 'icon.png'), img)


if __name__ == '__main__':
    os.makedirs(OUT, exist_ok=True)
    paper()
    icon()
