"""Tiny PNG writer and drawing helpers for the program's own pictures (no PIL here)."""
import math
import random
import struct
import zlib


def write_png(path, pixels):
    """pixels: list of rows, each a list of (r, g, b) or (r, g, b, a) tuples."""
    height = len(pixels)
    width = len(pixels[0])
    alpha = len(pixels[0][0]) == 4
    raw = bytearray()
    for row in pixels:
        raw.append(0)
        for px in row:
            raw.extend(bytes(px))
    def chunk(tag, data):
        c = struct.pack('>I', len(data)) + tag + data
        return c + struct.pack('>I', zlib.crc32(tag + data) & 0xffffffff)
    ihdr = struct.pack('>IIBBBBB', width, height, 8, 6 if alpha else 2, 0, 0, 0)
    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n')
        f.write(chunk(b'IHDR', ihdr))
        f.write(chunk(b'IDAT', zlib.compress(bytes(raw), 9)))
        f.write(chunk(b'IEND', b''))


def canvas(width, height, colour):
    return [[tuple(colour) for _ in range(width)] for _ in range(height)]


def clamp(v):
    return max(0, min(255, int(round(v))))


def periodic_noise(width, height, cells, seed):
    """Smooth value noise that tiles seamlessly: `cells` lattice cells across each side."""
    rnd = random.Random(seed)
    lattice = [[rnd.random() for _ in range(cells)] for _ in range(cells)]
    def smooth(t):
        return t * t * (3 - 2 * t)
    out = []
    for y in range(height):
        row = []
        fy = y * cells / height
        y0 = int(fy) % cells
        y1 = (y0 + 1) % cells
        ty = smooth(fy - int(fy))
        for x in range(width):
            fx = x * cells / width
            x0 = int(fx) % cells
            x1 = (x0 + 1) % cells
            tx = smooth(fx - int(fx))
            a = lattice[y0][x0] * (1 - tx) + lattice[y0][x1] * tx
            b = lattice[y1][x0] * (1 - tx) + lattice[y1][x1] * tx
            row.append(a * (1 - ty) + b * ty)
        out.append(row)
    return out
