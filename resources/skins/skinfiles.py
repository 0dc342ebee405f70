"""Writers of the files skins are made of: BMP pictures of every header kind, PNG pictures and
UTF-16 scheme texts. Shared by the sample skins and the skin tests' fixtures."""
import struct
import zlib


def bmp(width, height, pixels, bits=24, header=40, bitfields=False, top_down=False, palette=None,
        colors_used=0, height_field=None):
    """A BMP file of rows of (r, g, b, a) pixels, first row at the top. 8-bit pictures take
    palette indices as pixels. height_field, when given, is written in place of the height."""
    stride = ((width * bits + 31) // 32) * 4
    rows = []
    for row in pixels:
        out = bytearray()
        for p in row:
            if bits == 8:
                out.append(p)
            elif bits == 16:
                r, g, b, _ = p
                out += struct.pack('<H', ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3))
            elif bits == 24:
                r, g, b, _ = p
                out += bytes((b, g, r))
            else:
                r, g, b, a = p
                out += bytes((b, g, r, a))
        out += b'\0' * (stride - len(out))
        rows.append(bytes(out))
    if not top_down:
        rows.reverse()
    data = b''.join(rows)
    compression = 3 if bitfields else 0
    masks = b''
    if bitfields:
        masks = struct.pack('<III', 0xF800, 0x07E0, 0x001F) if bits == 16 else \
            struct.pack('<IIII', 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)
    h = height_field if height_field is not None else (-height if top_down else height)
    info = struct.pack('<IiiHHIIiiII', header, width, h, 1, bits, compression, len(data), 2835, 2835,
                       colors_used, 0)
    if header > 40:
        extra = masks.ljust(header - 40, b'\0')
        info += extra
        masks = b''
    elif bitfields:
        masks = masks[:12]
    table = b''
    if palette is not None:
        table = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
    offset = 14 + len(info) + len(masks) + len(table)
    head = b'BM' + struct.pack('<IHHI', offset + len(data), 0, 0, offset)
    return head + info + masks + table + data


def png(width, height, pixels):
    """An RGBA PNG of rows of (r, g, b, a) pixels."""
    raw = b''.join(b'\0' + b''.join(bytes(p) for p in row) for row in pixels)

    def chunk(kind, body):
        return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body) & 0xFFFFFFFF)

    ihdr = struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0)
    return b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', ihdr) + chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b'')


def utf16(text, bom):
    """UTF-16LE with CRLF line ends, with or without the byte-order mark."""
    body = text.replace('\r\n', '\n').replace('\n', '\r\n').encode('utf-16-le')
    return (b'\xff\xfe' if bom else b'') + body


def frames(width, frame_height, colors, border=None):
    """Frames stacked top to bottom, each one colour, with an optional one-pixel border colour."""
    rows = []
    for color in colors:
        for y in range(frame_height):
            row = []
            for x in range(width):
                edge = x in (0, width - 1) or y in (0, frame_height - 1)
                row.append(border if border is not None and edge else color)
            rows.append(row)
    return rows
