"""File formats written byte by byte: PNG, ICO, and padding of JPEG, GIF and PNG files
to an exact size with comment data, so that every asset has the size the table gives it."""

import struct
import zlib

from PIL import Image


def _chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def _filter_row(kind, row, prev, bpp):
    out = bytearray(len(row))
    for i, x in enumerate(row):
        a = row[i - bpp] if i >= bpp else 0
        b = prev[i]
        c = prev[i - bpp] if i >= bpp else 0
        pred = (0, a, b, (a + b) // 2, _paeth(a, b, c))[kind]
        out[i] = (x - pred) & 0xFF
    return out


def png_bytes(image):
    """An 8-bit RGB (colour type 2) or RGBA (colour type 6) PNG of a PIL image. The rows are
    filtered in whichever way compresses best: one filter for every row, or for each row
    the filter that leaves the smallest residuals."""
    colour_type, bpp = {"RGB": (2, 3), "RGBA": (6, 4)}[image.mode]
    width, height = image.size
    raw = image.tobytes()
    stride = width * bpp
    rows = [raw[y * stride:(y + 1) * stride] for y in range(height)]
    filtered = [[bytes([k]) + _filter_row(k, row, prev, bpp) for k in range(5)]
                for row, prev in zip(rows, [bytes(stride)] + rows[:-1])]

    def residual(row):
        return sum(v if v < 128 else 256 - v for v in row[1:])

    choices = [b"".join(row[k] for row in filtered) for k in range(5)]
    choices.append(b"".join(min(row, key=residual) for row in filtered))
    idat = min((zlib.compress(choice, 9) for choice in choices), key=len)
    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + _chunk(b"IHDR", header) + _chunk(b"IDAT", idat)
            + _chunk(b"IEND", b""))


def pad_png(data, size, note):
    """Inserts a tEXt chunk before IEND so that the file is exactly `size` bytes."""
    keyword = b"Comment\0"
    fill = size - len(data) - 12 - len(keyword)
    if fill < 0:
        raise ValueError("PNG is %d bytes, more than %d" % (len(data), size))
    text = (note.encode("latin-1") * (fill // max(1, len(note)) + 1))[:fill]
    return data[:-12] + _chunk(b"tEXt", keyword + text) + data[-12:]


def pad_jpeg(data, size, note):
    """Inserts comment segments after the file's header so that the file is exactly `size` bytes."""
    fill = size - len(data)
    if fill < 0:
        raise ValueError("JPEG is %d bytes, more than %d" % (len(data), size))
    segments = b""
    while fill > 0:
        take = min(fill, 60000)
        if fill - take in (1, 2, 3):  # a segment needs 4 bytes at least: leave room
            take -= 4
        body = (note.encode("latin-1") * (take // max(1, len(note)) + 1))[:take - 4]
        segments += b"\xff\xfe" + struct.pack(">H", len(body) + 2) + body
        fill -= take
    if fill:
        raise ValueError("cannot pad JPEG by %d bytes" % (size - len(data)))
    # The comments follow the JFIF header, which must stay the first segment.
    at = 2
    if data[2:4] == b"\xff\xe0":
        at = 4 + struct.unpack(">H", data[4:6])[0]
    return data[:at] + segments + data[at:]


def pad_gif(data, size, note):
    """Inserts a comment extension before the trailer so that the file is exactly `size` bytes."""
    fill = size - len(data)
    if fill < 3 or fill == 4:
        raise ValueError("cannot pad GIF of %d bytes to %d" % (len(data), size))
    payload = fill - 3  # introducer, label and the closing empty sub-block
    blocks = b""
    text = note.encode("latin-1")
    while payload > 0:
        take = min(payload, 256)
        if payload - take == 1:
            take -= 1
        body = (text * (take // max(1, len(text)) + 1))[:take - 1]
        blocks += bytes([len(body)]) + body
        payload -= take
    assert data[-1:] == b";"
    return data[:-1] + b"\x21\xfe" + blocks + b"\x00" + data[-1:]


def _bmp_header(size, bits, colours):
    pixels = size * size * bits // 8
    mask = size * ((size + 31) // 32 * 4)
    return struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, pixels + mask,
                       0, 0, colours, 0)


def _and_mask(alpha, size):
    row_bytes = (size + 31) // 32 * 4
    out = bytearray()
    for y in reversed(range(size)):
        row = bytearray(row_bytes)
        for x in range(size):
            if alpha[y * size + x] < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def icon_image_8bit(image, backdrop):
    """A 256-colour icon image (header, palette, pixels, mask) of a square RGBA picture.
    Pixels at least half opaque are blended over `backdrop` and kept; the others are
    transparent through the mask and black in the colour plane. Palette entry 0 is black."""
    size = image.size[0]
    flat = Image.new("RGB", image.size, backdrop)
    flat.paste(image, (0, 0), image)
    alpha = image.getchannel("A").tobytes()
    quant = flat.quantize(colors=255, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    palette = quant.getpalette()[:255 * 3]
    palette += [0] * (255 * 3 - len(palette))
    indices = quant.tobytes()
    quad = struct.pack("<4B", 0, 0, 0, 0)
    for i in range(255):
        r, g, b = palette[i * 3:i * 3 + 3]
        quad += struct.pack("<4B", b, g, r, 0)
    rows = bytearray()
    for y in reversed(range(size)):
        for x in range(size):
            i = y * size + x
            rows.append(indices[i] + 1 if alpha[i] >= 128 else 0)
    return _bmp_header(size, 8, 256) + quad + bytes(rows) + _and_mask(alpha, size)


def icon_image_32bit(image):
    """A 32-bit icon image with alpha channel and a mask for systems without alpha blending."""
    size = image.size[0]
    data = image.tobytes()
    rows = bytearray()
    for y in reversed(range(size)):
        for x in range(size):
            r, g, b, a = data[(y * size + x) * 4:(y * size + x) * 4 + 4]
            rows += bytes([b, g, r, a])
    alpha = image.getchannel("A").tobytes()
    return _bmp_header(size, 32, 0) + bytes(rows) + _and_mask(alpha, size)


def ico_bytes(images):
    """An ICO file of (size, bits per pixel, image bytes) entries."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, bits, data in images:
        colours = 0 if bits >= 8 else 1 << bits
        out += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bits,
                           len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, _, data in images)
