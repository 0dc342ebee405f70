#!/usr/bin/env python3
"""Draws the customize sheet's images into toolkit/commandbars/res: the 42 button pictures that
"Change Button Image" offers (customize_picker.bmp, a 672 x 16 strip, 24-bit with the button-face
key colour as background) and the drag cursors copy, move and no-drop (customize_*.cur)."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, '..', 'toolkit', 'commandbars', 'res')
SIDE = 16
KEY = (192, 192, 192)  # button face: the transparent background of the pictures

PALETTE = [(200, 30, 30), (30, 130, 40), (30, 60, 200), (220, 170, 0), (140, 40, 160), (0, 140, 150)]


def shape_mask(kind, x, y):
    """Seven simple shapes on a 16 x 16 grid (inside 2..13)."""
    cx, cy = x - 7.5, y - 7.5
    if kind == 0:  # disc
        return cx * cx + cy * cy <= 36
    if kind == 1:  # square
        return 2 <= x <= 13 and 2 <= y <= 13
    if kind == 2:  # triangle
        return 2 <= y <= 13 and abs(cx) <= (y - 2) / 2 + 0.5
    if kind == 3:  # diamond
        return abs(cx) + abs(cy) <= 6.5
    if kind == 4:  # ring
        return 16 <= cx * cx + cy * cy <= 40
    if kind == 5:  # cross
        return (6 <= x <= 9 and 2 <= y <= 13) or (6 <= y <= 9 and 2 <= x <= 13)
    return 2 <= x <= 13 and 5 <= y <= 10  # bar


def picker_strip():
    count = len(PALETTE) * 7
    rows = []
    for y in range(SIDE):
        row = []
        for i in range(count):
            kind, colour = i % 7, PALETTE[i // 7]
            for x in range(SIDE):
                if shape_mask(kind, x, y):
                    edge = not (shape_mask(kind, x - 1, y) and shape_mask(kind, x + 1, y)
                                and shape_mask(kind, x, y - 1) and shape_mask(kind, x, y + 1))
                    row.append(tuple(c // 2 for c in colour) if edge else colour)
                else:
                    row.append(KEY)
        rows.append(row)
    return rows


def write_bmp24(path, rows):
    h, w = len(rows), len(rows[0])
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        data += line + bytes(stride - len(line))
    header = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(data), 0, 0, 0, 0)
    with open(path, 'wb') as f:
        f.write(b'BM' + struct.pack('<IHHI', 14 + 40 + len(data), 0, 0, 54) + header + data)


ARROW = [
    "X...........",
    "XX..........",
    "X.X.........",
    "X..X........",
    "X...X.......",
    "X....X......",
    "X.....X.....",
    "X......X....",
    "X.......X...",
    "X........X..",
    "X.....XXXXX.",
    "X..X..X.....",
    "X.X.X..X....",
    "XX..X..X....",
    "X....X..X...",
    ".....X..X...",
    "......XX....",
]


def cursor(badge):
    """A 32 x 32 monochrome cursor: the arrow with a box below it and a badge: '+' copy, none
    move, a slashed circle for no drop. Pixels: 'X' black, '.' white, ' ' transparent."""
    px = [[' '] * 32 for _ in range(32)]
    for y, line in enumerate(ARROW):
        for x, c in enumerate(line):
            if c == 'X':
                px[y][x] = 'X'
            elif c == '.' and line[:x].count('X') >= 1 and 'X' in line[x:]:
                px[y][x] = '.'
    for y in range(18, 26):  # the dragged control
        for x in range(8, 20):
            px[y][x] = 'X' if y in (18, 25) or x in (8, 19) else '.'
    if badge == 'copy':
        for y in range(20, 31):
            for x in range(20, 31):
                px[y][x] = 'X' if y in (20, 30) or x in (20, 30) else '.'
        for i in range(22, 29):
            px[25][i] = 'X'
            px[i][25] = 'X'
    elif badge == 'nodrop':
        for y in range(18, 32):
            for x in range(16, 30):
                d = (x - 23) ** 2 + (y - 25) ** 2
                if 30 <= d <= 49 or (d < 30 and abs((x - 23) - (y - 25)) <= 1):
                    px[y][x] = 'X'
                elif d < 30:
                    px[y][x] = '.'
    return px


def write_cur(path, px):
    w = h = 32
    xor = bytearray()
    and_ = bytearray()
    for row in reversed(px):  # bottom-up
        xb = ab = 0
        xrow = bytearray()
        arow = bytearray()
        for x, c in enumerate(row):
            bit = 0x80 >> (x % 8)
            if c == '.':
                xb |= bit
            if c == ' ':
                ab |= bit
            if x % 8 == 7:
                xrow.append(xb)
                arow.append(ab)
                xb = ab = 0
        xor += xrow
        and_ += arow
    header = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    image = header + palette + bytes(xor) + bytes(and_)
    with open(path, 'wb') as f:
        f.write(struct.pack('<HHH', 0, 2, 1))
        f.write(struct.pack('<BBBBHHII', w, h, 0, 0, 0, 0, len(image), 22))
        f.write(image)


def main():
    os.makedirs(OUT, exist_ok=True)
    write_bmp24(os.path.join(OUT, 'customize_picker.bmp'), picker_strip())
    for name in ('copy', 'move', 'nodrop'):
        write_cur(os.path.join(OUT, 'customize_%s.cur' % name), cursor(name))


if __name__ == '__main__':
    main()
