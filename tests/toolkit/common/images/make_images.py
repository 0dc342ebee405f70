#!/usr/bin/env python3
"""Writes the picture fixtures of the image-manager tests: small PNG, BMP and ICO files whose
pixels the tests check, and the damaged files the loaders must refuse. Run it from anywhere;
the files land beside this script."""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


# ---- PNG ------------------------------------------------------------------------------------

def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def png(width, height, depth, color_type, rows, extra=b"", raw=None):
    """rows: list of bytes objects without filter byte."""
    ihdr = struct.pack(">IIBBBBB", width, height, depth, color_type, 0, 0, 0)
    if raw is None:
        raw = b"".join(b"\x00" + r for r in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + extra + chunk(b"IDAT", zlib.compress(raw))
            + chunk(b"IEND", b""))


# Three 16 x 16 icons side by side: red, green and blue squares with a transparent one-pixel
# border; the middle of the blue one is half transparent.
def strip_rgba():
    rows = []
    for y in range(16):
        row = b""
        for x in range(48):
            icon, ix = divmod(x, 16)
            if ix == 0 or ix == 15 or y == 0 or y == 15:
                row += bytes((0, 0, 0, 0))
            else:
                r, g, b = ((200, 0, 0), (0, 200, 0), (0, 0, 200))[icon]
                a = 128 if icon == 2 and 6 <= ix <= 9 and 6 <= y <= 9 else 255
                row += bytes((r, g, b, a))
        rows.append(row)
    return rows


write("strip_rgba.png", png(48, 16, 8, 6, strip_rgba()))
write("rgb.png", png(2, 2, 8, 2, [bytes((10, 20, 30, 40, 50, 60)), bytes((70, 80, 90, 100, 110, 120))]))
write("gray_alpha.png", png(2, 1, 8, 4, [bytes((100, 255, 200, 50))]))
write("rgb16.png", png(1, 1, 16, 2, [bytes((0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC))]))
palette = chunk(b"PLTE", bytes((255, 0, 0, 0, 0, 255)))
trns = chunk(b"tRNS", bytes((0,)))
write("palette_trns.png", png(2, 1, 8, 3, [bytes((0, 1))], palette + trns))
bkgd = chunk(b"bKGD", bytes((1,)))
write("palette_trns_bkgd.png", png(2, 1, 8, 3, [bytes((0, 1))], palette + trns + bkgd))

# Damaged PNG files.
good = png(48, 16, 8, 6, strip_rgba())
idat = good.index(b"IDAT")
write("bad_truncated_idat.png", good[:idat + 40])
write("bad_signature.png", b"\x89PNX" + good[4:])
bad_crc = bytearray(good)
bad_crc[29] ^= 0xFF                       # the IHDR checksum
write("bad_crc.png", bytes(bad_crc))
# Claims 3,000,000 x 3,000,000 pixels.
write("bad_huge.png", png(3000000, 3000000, 8, 6, [], raw=b"\x00" * 8))
# Within the size limits, but a few bytes cannot hold 30000 x 30000 pixels.
write("bad_large_tiny_data.png", png(30000, 30000, 8, 6, [], raw=b"\x00" * 8))
# A complete stream that ends in the middle of the second row.
write("bad_short_rows.png", png(4, 4, 8, 2, [], raw=b"\x00" + b"\x01" * 12 + b"\x00" + b"\x02" * 5))
# Pixel index 5 with a palette of two colours.
write("bad_palette_index.png", png(2, 1, 8, 3, [bytes((0, 5))], palette))


# ---- BMP ------------------------------------------------------------------------------------

def bmp(width, height, bits, pixels, palette=b"", colors_used=0, offset=None, size_image=None):
    """pixels: the packed rows as stored (bottom-up for a positive height)."""
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0,
                         len(pixels) if size_image is None else size_image, 2835, 2835, colors_used, 0)
    off = 14 + 40 + len(palette) if offset is None else offset
    total = 14 + 40 + len(palette) + len(pixels)
    return b"BM" + struct.pack("<IHHI", total, 0, 0, off) + header + palette + pixels


def bgra_rows_bottom_up(rows_top_down):
    return b"".join(reversed(rows_top_down))


# The same strip as the PNG, 32 bpp: rows bottom-up, blue green red alpha.
def strip_bgra():
    out = []
    for row in strip_rgba():
        out.append(b"".join(bytes((row[i + 2], row[i + 1], row[i], row[i + 3])) for i in range(0, len(row), 4)))
    return out


write("strip_alpha.bmp", bmp(48, 16, 32, bgra_rows_bottom_up(strip_bgra())))
zero_alpha = [bytes((0, 0, 255, 0)) * 16 for _ in range(16)]
write("alpha_zero.bmp", bmp(16, 16, 32, bgra_rows_bottom_up(zero_alpha)))


# A 24-bit plain strip, 48 x 16: magenta background (the mask colour at pixel 0, 0) and a
# 10 x 10 square in red, green and blue in each icon.
def strip24():
    rows = []
    for y in range(16):
        row = b""
        for x in range(48):
            icon, ix = divmod(x, 16)
            if 3 <= ix < 13 and 3 <= y < 13:
                r, g, b = ((255, 0, 0), (0, 255, 0), (0, 0, 255))[icon]
            else:
                r, g, b = 255, 0, 255
            row += bytes((b, g, r))
        rows.append(row)                  # 48 x 3 = 144 bytes, a multiple of four
    return bgra_rows_bottom_up(rows)


write("strip24.bmp", bmp(48, 16, 24, strip24()))

good_bmp = bmp(16, 16, 32, bgra_rows_bottom_up(zero_alpha))
write("bad_truncated.bmp", good_bmp[:14 + 40 + 100])
write("bad_huge_width.bmp", bmp(5000000, 16, 32, b"\x00" * 64))
write("bad_huge_height.bmp", bmp(16, -5000000, 32, b"\x00" * 64))
write("bad_offset.bmp", bmp(16, 16, 32, bgra_rows_bottom_up(zero_alpha), offset=0x7FFFFFF0))
pal2 = bytes((0, 0, 0, 0, 255, 255, 255, 0))
write("bad_palette_index.bmp", bmp(4, 1, 8, bytes((0, 1, 200, 1)), pal2, colors_used=2))
write("bad_bit_count.bmp", bmp(4, 1, 7, b"\x00" * 4))
bad_header = bytearray(good_bmp)
bad_header[14:18] = struct.pack("<I", 999)
write("bad_header_size.bmp", bytes(bad_header))


# ---- ICO ------------------------------------------------------------------------------------

def ico_image(size, color):
    """A 32-bpp icon image: header with doubled height, bottom-up pixels, AND mask."""
    r, g, b, a = color
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytes((b, g, r, a)) * (size * size)
    mask = b"\x00" * (((size + 31) // 32) * 4 * size)
    return header + pixels + mask


def ico(images, count=None, overrides=None):
    overrides = overrides or {}
    n = len(images) if count is None else count
    out = struct.pack("<HHH", 0, 1, n)
    offset = 6 + 16 * len(images)
    entries, data = b"", b""
    for i, (size, image) in enumerate(images):
        length = overrides.get(("length", i), len(image))
        off = overrides.get(("offset", i), offset + len(data))
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, length, off)
        data += image
    return out + entries + data


icon_images = [(16, ico_image(16, (255, 0, 0, 255))), (32, ico_image(32, (0, 0, 255, 128)))]
write("icon32.ico", ico(icon_images))
write("bad_count.ico", ico(icon_images, count=65535)[:200])
write("bad_offset.ico", ico(icon_images, overrides={("offset", 0): 0x7FFFFF00, ("offset", 1): 0x7FFFFF00}))
write("bad_length.ico", ico(icon_images, overrides={("length", 0): 0x7FFFFFFF, ("length", 1): 0x7FFFFFFF}))
huge_header = struct.pack("<IiiHHIIiiII", 40, 4000000, 8000000, 1, 32, 0, 0, 0, 0, 0, 0)
write("bad_huge.ico", ico([(16, huge_header + b"\x00" * 64)]))
short_image = ico_image(16, (255, 0, 0, 255))[:40 + 200]
write("bad_short_image.ico", ico([(16, short_image)]))
cursor = bytearray(ico(icon_images))
cursor[2] = 2
write("bad_type.ico", bytes(cursor))
