"""Draws the angle tolerance window's pale green rippled tile into resources/images."""
import math
import os
import random
import sys

sys.path.insert(0, os.path.dirname(__file__))
from png import clamp, periodic_noise, write_png  # noqa: E402

OUT = os.path.join(os.path.dirname(__file__), '..', '..', 'resources', 'images')


def ripples():
    """Wavy ridges across the tile, bent by smooth noise. Every wave and the noise
    repeat a whole number of times over the 94 pixels, so the tile has no seams."""
    size = 94
    bend = periodic_noise(size, size, 4, 31)
    grain = periodic_noise(size, size, 47, 32)
    rnd = random.Random(33)
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            u = 2 * math.pi * x / size
            v = 2 * math.pi * y / size
            phase = 2 * u + 5 * v + 5.0 * bend[y][x] + 0.8 * math.sin(3 * u - v)
            ridge = math.sin(phase) + 0.35 * math.sin(2 * phase + 1.0)
            shade = 9 * ridge + 8 * (grain[y][x] - 0.5) + rnd.uniform(-1.5, 1.5)
            row.append((clamp(206 + shade), clamp(236 + shade * 0.7), clamp(200 + shade)))
        rows.append(row)
    write_png(os.path.join(OUT, 'angles_tile.png'), rows)


if __name__ == '__main__':
    os.makedirs(OUT, exist_ok=True)
    ripples()
