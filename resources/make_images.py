#!/usr/bin/env python3
"""Draws the program's icon (res/Tolvane.ico), the main view's tab images (res/tabs.bmp), the About
box's logo (res/about.bmp) and the link band's banner (res/linkband.bmp)."""
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


def disc(px, cx, cy, radius, c):
    """A filled circle whose rim fades through alpha (four samples a pixel in each direction)."""
    for y in range(len(px)):
        for x in range(len(px[0])):
            inside = sum(1 for i in range(4) for j in range(4)
                         if (x + (i + 0.5) / 4 - cx) ** 2 + (y + (j + 0.5) / 4 - cy) ** 2 <= radius * radius)
            if inside:
                px[y][x] = c[:3] + (c[3] * inside // 16,)


def write_bmp24(path, px):
    """An opaque bottom-up 24-bit bitmap (rows padded to four bytes)."""
    h, w = len(px), len(px[0])
    stride = (w * 3 + 3) & ~3
    rows = bytearray()
    for row in reversed(px):
        line = bytearray()
        for r, g, b, _ in row:
            line += bytes((b, g, r))
        rows += line + bytes(stride - len(line))
    header = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(rows), 0, 0, 0, 0)
    with open(path, 'wb') as f:
        f.write(b'BM' + struct.pack('<IHHI', 14 + len(header) + len(rows), 0, 0, 54) + header + rows)


# The About box's logo: a blue disc with the document page, transparent around it.
LOGO_BLUE = (30, 80, 170, 255)
logo = canvas(100, 100)
disc(logo, 50, 50, 48, LOGO_BLUE)
sheet = canvas(48, 48)
page(sheet, 0, 48, WHITE, EDGE, [BLUE, RED, GREEN])
for y in range(48):
    for x in range(48):
        if sheet[y][x][3]:
            logo[26 + y][26 + x] = sheet[y][x]
write_bmp(os.path.join(HERE, 'res', 'about.bmp'), logo)

# The link band's banner: opaque, a light face with the page and a blue bar.
band = [[(236, 240, 248, 255)] * 100 for _ in range(23)]
small = canvas(16, 16)
page(small, 0, 16, WHITE, EDGE, [BLUE, RED, GREEN])
for y in range(16):
    for x in range(16):
        if small[y][x][3]:
            band[4 + y][4 + x] = small[y][x]
rect(band, 26, 9, 94, 14, LOGO_BLUE)
write_bmp24(os.path.join(HERE, 'res', 'linkband.bmp'), band)

# The "Standard" toolbar's icons, in the order of toolbar 128: Open, Save, Cut, Copy, Paste,
# Print, About.
YELLOW, GREY, DARK = (240, 200, 80, 255), (170, 170, 170, 255), (60, 60, 60, 255)
tools = canvas(7 * 16, 16)
rect(tools, 1, 5, 15, 14, EDGE)  # open: a folder
rect(tools, 2, 6, 14, 13, YELLOW)
rect(tools, 2, 3, 7, 5, EDGE)
rect(tools, 17, 1, 31, 15, BLUE)  # save: a disk
rect(tools, 19, 2, 29, 7, WHITE)
rect(tools, 20, 10, 28, 15, GREY)
for i in range(8):  # cut: crossed blades over two rings
    tools[1 + i][36 + i] = DARK
    tools[1 + i][43 - i] = DARK
rect(tools, 34, 10, 38, 14, RED)
rect(tools, 42, 10, 46, 14, RED)
page(tools, 48, 12, WHITE, EDGE, [BLUE])  # copy: two sheets
page(tools, 52, 12, WHITE, EDGE, [BLUE])
rect(tools, 66, 2, 78, 15, (150, 100, 50, 255))  # paste: a clipboard with a sheet
rect(tools, 69, 1, 75, 4, GREY)
rect(tools, 70, 6, 78, 15, WHITE)
rect(tools, 83, 2, 93, 7, WHITE)  # print: a printer
rect(tools, 81, 7, 95, 12, GREY)
rect(tools, 83, 12, 93, 15, WHITE)
disc(tools, 104, 8, 7, BLUE)  # about: an "i" on a disc
rect(tools, 103, 3, 105, 5, WHITE)
rect(tools, 103, 6, 105, 13, WHITE)
write_bmp(os.path.join(HERE, 'res', 'toolbar.bmp'), tools)
