#!/usr/bin/env python3
"""Draws the button-image editor's tool images (imageeditor16.bmp in 16 colours on the mask colour
RGB(192, 192, 192), imageeditor32.bmp with alpha), its four cursors (imageeditor_*.cur), and the
system menu's four images (sysmenu16.bmp)."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# The 16 colours of a 4-bit bitmap (the system palette's order).
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
       (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
       (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, DARK, GREY, WHITE = (0, 0, 0), (128, 128, 128), (192, 192, 192), (255, 255, 255)
BLUE, NAVY, RED, YELLOW, OLIVE, GREEN = (0, 0, 255), (0, 0, 128), (255, 0, 0), (255, 255, 0), (128, 128, 0), (0, 128, 0)
NONE = None


def canvas():
    return [[NONE] * 16 for _ in range(16)]


def put(px, x, y, c):
    if 0 <= x < 16 and 0 <= y < 16:
        px[y][x] = c


def line(px, x0, y0, x1, y1, c):
    n = max(abs(x1 - x0), abs(y1 - y0))
    for i in range(n + 1):
        put(px, x0 + round(i * (x1 - x0) / max(n, 1)), y0 + round(i * (y1 - y0) / max(n, 1)), c)


def rect(px, x0, y0, x1, y1, c, fill=None):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            if y in (y0, y1) or x in (x0, x1):
                put(px, x, y, c)
            elif fill:
                put(px, x, y, fill)


def ellipse(px, cx, cy, rx, ry, c):
    for y in range(16):
        for x in range(16):
            d = ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2
            if 0.7 <= d <= 1.15:
                put(px, x, y, c)


def arrow(px, direction):
    """A filled triangle pointing left, down, up or right."""
    for i in range(5):
        for j in range(-i, i + 1):
            a, b = 5 + i, 8 + j
            x, y = {'left': (a, b), 'right': (15 - a, b), 'up': (b, a), 'down': (b, 15 - a)}[direction]
            put(px, x, y, NAVY)
    stem = {'left': (10, 7, 13, 9), 'right': (2, 7, 5, 9), 'up': (7, 10, 9, 13), 'down': (7, 2, 9, 5)}[direction]
    rect(px, *stem, NAVY, NAVY)


def curved(px, mirror):
    """An arc over the top with an arrowhead at its left end (right end when mirrored)."""
    import math
    for k in range(0, 181, 6):
        a = math.radians(k)
        x, y = 8 + round(5 * math.cos(a)), 10 - round(5 * math.sin(a))
        put(px, 15 - x if mirror else x, y, NAVY)
        put(px, 15 - x if mirror else x, y + 1 if k in (0, 180) else y, NAVY)
    for i in range(4):
        for j in range(-i, i + 1):
            x, y = 3 + j, 13 - i
            put(px, 15 - x if mirror else x, y, NAVY)


def images():
    out = []
    px = canvas()  # pencil
    for i in range(9):
        put(px, 3 + i, 12 - i, YELLOW)
        put(px, 4 + i, 12 - i, OLIVE)
        put(px, 3 + i, 11 - i, YELLOW)
    line(px, 2, 13, 3, 13, BLACK)
    put(px, 2, 12, BLACK)
    rect(px, 11, 2, 13, 4, RED, RED)
    out.append(px)
    px = canvas()  # fill
    rect(px, 3, 6, 10, 13, BLACK, WHITE)
    line(px, 6, 2, 10, 6, BLACK)
    rect(px, 11, 8, 12, 13, BLUE, BLUE)
    out.append(px)
    px = canvas()  # undo
    curved(px, False)
    out.append(px)
    px = canvas()  # redo
    curved(px, True)
    out.append(px)
    px = canvas()  # pick
    line(px, 3, 12, 10, 5, BLACK)
    line(px, 4, 12, 11, 5, DARK)
    rect(px, 10, 2, 13, 5, BLACK, BLACK)
    out.append(px)
    px = canvas()  # line
    line(px, 2, 13, 13, 2, BLACK)
    out.append(px)
    px = canvas()  # copy
    rect(px, 2, 2, 9, 10, BLACK, WHITE)
    rect(px, 6, 5, 13, 13, BLACK, WHITE)
    out.append(px)
    px = canvas()  # paste
    rect(px, 2, 3, 10, 13, OLIVE, OLIVE)
    rect(px, 5, 2, 7, 4, BLACK, GREY)
    rect(px, 7, 6, 13, 14, BLACK, WHITE)
    out.append(px)
    px = canvas()  # rectangle
    rect(px, 2, 4, 13, 11, BLACK)
    out.append(px)
    px = canvas()  # ellipse
    ellipse(px, 7.5, 7.5, 6, 4.5, BLACK)
    out.append(px)
    px = canvas()  # clear
    line(px, 3, 3, 12, 12, RED)
    line(px, 4, 3, 13, 12, RED)
    line(px, 12, 3, 3, 12, RED)
    line(px, 13, 3, 4, 12, RED)
    out.append(px)
    px = canvas()  # import
    rect(px, 1, 5, 12, 13, OLIVE, YELLOW)
    rect(px, 1, 3, 5, 5, OLIVE, YELLOW)
    line(px, 10, 2, 14, 6, GREEN)
    line(px, 14, 2, 14, 6, GREEN)
    line(px, 10, 6, 14, 6, GREEN)
    out.append(px)
    for d in ('left', 'down', 'up', 'right'):
        px = canvas()
        arrow(px, d)
        out.append(px)
    return out


def system_images():
    """Restore, minimize, maximize and close for the menu bar's system menu, in that order."""
    out = []
    px = canvas()  # restore: two windows, the front one lower left
    rect(px, 6, 3, 12, 8, BLACK)
    line(px, 6, 4, 12, 4, BLACK)
    rect(px, 3, 6, 9, 12, BLACK, WHITE)
    line(px, 3, 7, 9, 7, BLACK)
    out.append(px)
    px = canvas()  # minimize
    rect(px, 4, 10, 10, 11, BLACK, BLACK)
    out.append(px)
    px = canvas()  # maximize
    rect(px, 3, 3, 12, 12, BLACK)
    line(px, 3, 4, 12, 4, BLACK)
    out.append(px)
    px = canvas()  # close
    for i in range(8):
        for d in (0, 1):
            put(px, 4 + i + d, 4 + i, BLACK)
            put(px, 11 - i + d, 4 + i, BLACK)
    out.append(px)
    return out


def strip_rows(imgs):
    return [[img[y][x] for img in imgs for x in range(16)] for y in range(16)]


def write_bmp(path, rows, bits):
    h, w = len(rows), len(rows[0])
    if bits == 4:
        palette = b''.join(bytes((b, g, r, 0)) for r, g, b in VGA)
        stride = ((w * 4 + 31) // 32) * 4
        data = bytearray()
        for row in reversed(rows):
            idx = [VGA.index(c if c else GREY) for c in row]
            line_bytes = bytearray(stride)
            for x in range(0, w, 2):
                line_bytes[x // 2] = idx[x] << 4 | (idx[x + 1] if x + 1 < w else 0)
            data += line_bytes
    else:
        palette = b''
        data = bytearray()
        for row in reversed(rows):
            for c in row:
                data += bytes((0, 0, 0, 0)) if c is None else bytes((c[2], c[1], c[0], 255))
    header = struct.pack('<IiiHHIIiiII', 40, w, h, 1, bits, 0, len(data), 0, 0, 16 if bits == 4 else 0, 0)
    off = 14 + 40 + len(palette)
    with open(path, 'wb') as f:
        f.write(b'BM' + struct.pack('<IHHI', off + len(data), 0, 0, off) + header + palette + bytes(data))


def write_cur(path, shape, hot):
    """A 32 x 32 monochrome cursor: 'X' black, '.' white, ' ' transparent."""
    xor, andm = bytearray(), bytearray()
    rows = [(shape[y] if y < len(shape) else '').ljust(32) for y in range(32)]
    for row in reversed(rows):
        xb, ab = 0, 0
        xbytes, abytes = bytearray(), bytearray()
        for x, ch in enumerate(row):
            xb = xb << 1 | (1 if ch == '.' else 0)
            ab = ab << 1 | (1 if ch == ' ' else 0)
            if x % 8 == 7:
                xbytes.append(xb)
                abytes.append(ab)
                xb = ab = 0
        xor += xbytes
        andm += abytes
    header = struct.pack('<IiiHHIIiiII', 40, 32, 64, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    body = header + palette + bytes(xor) + bytes(andm)
    out = struct.pack('<HHH', 0, 2, 1) + struct.pack('<BBBBHHII', 32, 32, 0, 0, hot[0], hot[1], len(body), 22)
    with open(path, 'wb') as f:
        f.write(out + body)


CROSS = ['     X', '     X', '     X', '     X', '     X', 'XXXXX XXXXX', '     X', '     X', '     X', '     X', '     X']
PENCIL = ['X', 'XX', 'X.X', ' X.X', '  X.X', '   X.X', '    X.X', '     X.X', '      X.X', '       X.X',
          '        X.X', '         XX']
FILL = ['    X', '   X.X', '  X...X', ' X.....X', 'X.......X', ' X.....XX', '  X...X X', '   X.X  X',
        '    X   X', '        X']
PICK = ['XX', 'X.X', ' X.X', '  X.X', '   X.X', '    X.X', '     X.XX', '      XXXX', '       XXXX',
        '        XXX']

if __name__ == '__main__':
    imgs = images()
    write_bmp(os.path.join(HERE, 'imageeditor16.bmp'), strip_rows(imgs), 4)
    write_bmp(os.path.join(HERE, 'imageeditor32.bmp'), strip_rows(imgs), 32)
    write_bmp(os.path.join(HERE, 'sysmenu16.bmp'), strip_rows(system_images()), 4)
    write_cur(os.path.join(HERE, 'imageeditor_shape.cur'), CROSS, (5, 5))
    write_cur(os.path.join(HERE, 'imageeditor_pick.cur'), PICK, (0, 0))
    write_cur(os.path.join(HERE, 'imageeditor_fill.cur'), FILL, (0, 4))
    write_cur(os.path.join(HERE, 'imageeditor_pencil.cur'), PENCIL, (0, 0))
