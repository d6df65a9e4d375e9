"""Draws the main window's paper tile into resources/images."""
import os
import random
import sys

sys.path.insert(0, os.path.dirname(__file__))
from png import clamp, periodic_noise, write_png  # noqa: E402

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


if __name__ == '__main__':
    os.makedirs(OUT, exist_ok=True)
    paper()
