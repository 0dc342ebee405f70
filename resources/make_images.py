#!/usr/bin/env python3
"""Draws the program's icon (res/Tolvane.ico) and the main view's tab images (res/tabs.bmp)."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def canvas(w, h):
    return [[(0, 0, 0, 0)] * w for _ in range(h)]


def rect(px, x0, y0, x1, y1, c):
    for y in range(y0, y1):
        for x in range(x0, x1):
            px[y][x] = c


def page(px, ox, size, paper, edge, ink):
    """A sheet with a folded corner and three lines of 'text'."""
    s = size / 16.0
    l, t, r, b = ox + int(2 * s), int(1 * s), ox + int(13 * s), int(15 * s)
    rect(px, l, t, r + 1, b + 1, edge)
    rect(px, l + 1, t + 1, r, b, paper)
    fold = int(3 * s)
    for i in range(fold):
        for j in range(fold - i):
            px[t + i][r - j] = (0, 0, 0, 0)
        px[t + i][r - (fold - i)] = edge
    rect(px, r - fold, t + fold, r + 1, t + fold + 1, edge)
    for k, (a, e) in enumerate(((4, 10), (4, 8), (6, 11))):
        y = t + int((4 + 3 * k) * s)
        rect(px, ox + int(a * s), y, ox + int(e * s), y + max(1, int(s)), ink[k % len(ink)])


def bgra(px):
    """Bottom-up BGRA rows."""
    out = bytearray()
    for row in reversed(px):
        for r, g, b, a in row:
            out += bytes((b, g, r, a))
    return bytes(out)


def dib(px, and_mask):
    h, w = len(px), len(px[0])
    header = struct.pack('<IiiHHIIiiII', 40, w, h * 2 if and_mask else h, 1, 32, 0, 0, 0, 0, 0, 0)
    data = header + bgra(px)
    if and_mask:
        stride = ((w + 31) // 32) * 4
        data += bytes(stride * h)
    return data


def write_bmp(path, px):
    body = dib(px, False)
    with open(path, 'wb') as f:
        f.write(b'BM' + struct.pack('<IHHI', 14 + len(body), 0, 0, 54) + body)


def write_ico(path, images):
    blobs = [dib(px, True) for px in images]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for px, blob in zip(images, blobs):
        n = len(px)
        out += struct.pack('<BBBBHHII', n % 256, n % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    with open(path, 'wb') as f:
        f.write(out + b''.join(blobs))


WHITE = (255, 255, 255, 255)
EDGE = (70, 90, 130, 255)
BLUE, RED, GREEN = (40, 90, 200, 255), (200, 40, 40, 255), (30, 140, 60, 255)

strip = canvas(80, 16)
page(strip, 0, 16, WHITE, EDGE, [(110, 110, 110, 255)])
page(strip, 16, 16, WHITE, EDGE, [BLUE, RED, GREEN])
page(strip, 32, 16, (255, 250, 220, 255), EDGE, [(110, 110, 110, 255)])
page(strip, 48, 16, (225, 240, 255, 255), EDGE, [BLUE])
page(strip, 64, 16, (235, 255, 235, 255), EDGE, [GREEN])
write_bmp(os.path.join(HERE, 'res', 'tabs.bmp'), strip)

icons = []
for n in (16, 32, 48):
    px = canvas(n, n)
    page(px, 0, n, WHITE, EDGE, [BLUE, RED, GREEN])
    icons.append(px)
write_ico(os.path.join(HERE, 'res', 'Tolvane.ico'), icons)
