"""The wizard's pictures and icons and the two program icons, drawn at several times their
size and reduced, so that edges come out smooth."""

import random

from PIL import Image, ImageDraw

SUPERSAMPLE = 8
PAGE_GREY = (190, 190, 190)
WINDOW_GREY = (150, 150, 150)

# 5 by 7 pixel glyphs of the hexadecimal digits, one string of five columns per row.
GLYPHS = {
    "0": ["01110", "10001", "10011", "10101", "11001", "10001", "01110"],
    "1": ["00100", "01100", "00100", "00100", "00100", "00100", "01110"],
    "2": ["01110", "10001", "00001", "00010", "00100", "01000", "11111"],
    "3": ["11111", "00010", "00100", "00010", "00001", "10001", "01110"],
    "4": ["00010", "00110", "01010", "10010", "11111", "00010", "00010"],
    "5": ["11111", "10000", "11110", "00001", "00001", "10001", "01110"],
    "6": ["00110", "01000", "10000", "11110", "10001", "10001", "01110"],
    "7": ["11111", "00001", "00010", "00100", "01000", "01000", "01000"],
    "8": ["01110", "10001", "10001", "01110", "10001", "10001", "01110"],
    "9": ["01110", "10001", "10001", "01111", "00001", "00010", "01100"],
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "B": ["11110", "10001", "10001", "11110", "10001", "10001", "11110"],
    "C": ["01110", "10001", "10000", "10000", "10000", "10001", "01110"],
    "D": ["11100", "10010", "10001", "10001", "10001", "10010", "11100"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "F": ["11111", "10000", "10000", "11110", "10000", "10000", "10000"],
    ":": ["00000", "01100", "01100", "00000", "01100", "01100", "00000"],
}


def _text(pixels, x, y, text, colour):
    for ch in text:
        for row, bits in enumerate(GLYPHS[ch]):
            for col, bit in enumerate(bits):
                if bit == "1":
                    pixels[x + col, y + row] = colour
        x += 6


def _mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def _program_words(rng, count, erased):
    """Words of a small 14-bit program (literal loads, register moves, bit operations,
    calls and jumps on a handful of registers) followed by `erased` words of erased memory."""
    words = [0x2805, 0x0000, 0x0000, 0x0000, 0x00FF, 0x0E03, 0x0085, 0x0804]
    registers = [0x05, 0x06, 0x0B, 0x20, 0x21, 0x22, 0x23, 0x70, 0x71]
    literals = [0x00, 0x01, 0x07, 0x0F, 0x20, 0x3C, 0x80, 0xFF]
    kinds = [
        lambda: 0x3000 | rng.choice(literals),                                   # load literal
        lambda: 0x0080 | rng.choice(registers),                                  # store
        lambda: 0x0800 | rng.choice(registers),                                  # load register
        lambda: 0x1000 | rng.randrange(8) << 7 | rng.choice(registers),          # clear bit
        lambda: 0x1400 | rng.randrange(8) << 7 | rng.choice(registers),          # set bit
        lambda: 0x1800 | rng.randrange(8) << 7 | rng.choice(registers),          # test bit
        lambda: 0x0B80 | rng.choice(registers),                                  # count down
        lambda: 0x2000 | rng.randrange(0x20, 0x60),                              # call
        lambda: 0x2800 | rng.randrange(0x08, 0x60),                              # jump
        lambda: 0x0008,                                                          # return
    ]
    while len(words) < count - erased:
        words.append(rng.choice(kinds)())
    return words + [0x3FFF] * (count - len(words))


def side_picture():
    """162 by 312: a memory listing, four words a line beside their addresses, on a deep
    blue that lightens line by line towards the bottom; the digits fade out at both ends."""
    width, height = 162, 312
    lines, pitch, first = 31, 10, 5
    top, bottom = (8, 22, 64), (30, 74, 150)

    def background(y):
        # One shade per listing line, so each line sits on an even band.
        line = min(lines - 1, max(0, (y - first + 2) // pitch))
        return _mix(top, bottom, (first + 3 + line * pitch) / (height - 1))

    image = Image.new("RGB", (width, height))
    pixels = image.load()
    for y in range(height):
        colour = background(y)
        band = _mix(colour, (0, 0, 0), 0.25)
        for x in range(width):
            pixels[x, y] = band if x < 33 else colour
        pixels[33, y] = _mix(band, (120, 170, 230), 0.5)
    words = _program_words(random.Random(6), lines * 4, 32)
    for line in range(lines):
        y = first + line * pitch
        colour = background(y)
        fade = min(1.0, (line + 1) / 5, (lines - line) / 5)
        _text(pixels, 4, y, "%04X" % (line * 4),
              _mix(_mix(colour, (0, 0, 0), 0.25), (255, 204, 64), fade))
        for column in range(4):
            word = words[line * 4 + column]
            tone = (140, 200, 255) if word == 0x3FFF else (200, 255, 210)
            _text(pixels, 40 + column * 30, y, "%04X" % word, _mix(colour, tone, fade))
    return image


def _reduce(image, size):
    """Reduces a supersampled RGBA drawing with the colours weighted by coverage."""
    return image.convert("RGBa").resize((size, size), Image.LANCZOS).convert("RGBA")


def _disc(image, cx, cy, r):
    """A compact disc drawn pixel by pixel: silver with a sheen of colours that turns
    with the angle, a clear ring round the hub and a hole in the middle."""
    from math import atan2, cos, hypot, pi
    pixels = image.load()
    rainbow = [(255, 120, 160), (255, 220, 120), (150, 240, 150), (120, 200, 255),
               (190, 150, 255), (255, 120, 160)]
    for y in range(int(cy - r) - 1, int(cy + r) + 2):
        for x in range(int(cx - r) - 1, int(cx + r) + 2):
            d = hypot(x + 0.5 - cx, y + 0.5 - cy) / r
            if d > 1.0 or d < 0.12:
                continue
            if d > 0.96 or 0.34 < d < 0.38 or d < 0.15:
                pixels[x, y] = (80, 84, 100, 255)
                continue
            if d < 0.34:
                shade = 215 + int(25 * d / 0.34)
                pixels[x, y] = (shade, shade, min(255, shade + 8), 255)
                continue
            angle = atan2(y + 0.5 - cy, x + 0.5 - cx)
            t = ((angle + pi) / (2 * pi) * 2 + d * 0.6) % 1.0
            k = t * (len(rainbow) - 1)
            lo = rainbow[int(k)]
            hi = rainbow[min(int(k) + 1, len(rainbow) - 1)]
            hue = _mix(lo, hi, k - int(k))
            sheen = max(0.0, cos(2 * angle - 0.8)) ** 2 * 0.75
            silver = _mix((176, 182, 196), (236, 238, 244), d)
            pixels[x, y] = _mix(silver, hue, sheen) + (255,)


def setup_box(size):
    """A blue boxed product, its lid flaps open, with a compact disc standing in front."""
    s = SUPERSAMPLE
    n = size * s
    image = Image.new("RGBA", (n, n), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    u = n / 54.0
    line = (16, 26, 64, 255)
    width = max(1, int(u * 0.8))

    def face(colour, *points):
        draw.polygon([(x * u, y * u) for x, y in points], fill=colour + (255,),
                     outline=line, width=width)

    face((120, 160, 230), (22, 15), (46, 20), (43, 6), (20, 2))      # back flap
    face((26, 40, 90), (4, 21), (22, 15), (46, 20), (28, 27))         # inside
    face((96, 140, 225), (4, 21), (22, 15), (13, 7), (0, 13))         # left flap
    face((44, 96, 205), (4, 21), (28, 27), (28, 51), (4, 45))         # front
    face((26, 64, 160), (28, 27), (46, 20), (46, 43), (28, 51))       # side
    face((150, 184, 240), (28, 27), (46, 20), (50, 28), (32, 36))     # right flap
    draw.polygon([(x * u, y * u) for x, y in ((4, 31), (28, 37), (28, 42), (4, 36))],
                 fill=(240, 244, 255, 255))
    _disc(image, 37 * u, 38 * u, 15 * u)
    return _reduce(image, size)


def corner_picture():
    """The setup box on a matte of window grey: the colour of every pixel is already blended
    over the grey the picture sits on, and the alpha channel keeps the true coverage. A
    decoder that drops the alpha channel shows the same picture as one that blends it."""
    box = setup_box(54)
    matte = Image.new("RGBA", box.size, WINDOW_GREY + (255,))
    matte.alpha_composite(box)
    matte.putalpha(box.getchannel("A"))
    return matte


FOLDER_EDGE = (120, 80, 0, 255)


def _folder_canvas():
    """A supersampled 32-pixel canvas with the back of a yellow folder and its tab on it;
    answers the image, its drawing context and the size of one icon pixel."""
    u = SUPERSAMPLE
    image = Image.new("RGBA", (32 * u, 32 * u), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    draw.polygon([(2 * u, 6 * u), (11 * u, 6 * u), (13 * u, 8.5 * u), (27 * u, 8.5 * u),
                  (27 * u, 27 * u), (2 * u, 27 * u)], fill=(222, 170, 40, 255),
                 outline=FOLDER_EDGE, width=int(u / 2))
    return image, draw, u


def open_folder():
    """An open yellow folder: the back with its tab, a sheet of paper, the front flap tilted."""
    image, draw, u = _folder_canvas()
    draw.polygon([(6 * u, 4 * u), (24 * u, 4 * u), (24 * u, 20 * u), (6 * u, 20 * u)],
                 fill=(255, 255, 255, 255), outline=(120, 120, 120, 255), width=int(u / 2))
    for k in range(4):
        y = (7 + k * 3) * u
        draw.line([(8 * u, y), (22 * u, y)], fill=(150, 160, 190, 255), width=int(u * 0.7))
    draw.polygon([(6 * u, 13 * u), (31 * u, 13 * u), (27 * u, 28 * u), (1 * u, 28 * u)],
                 fill=(255, 214, 72, 255), outline=FOLDER_EDGE, width=int(u / 2))
    draw.line([(7 * u, 14.5 * u), (29 * u, 14.5 * u)], fill=(255, 240, 160, 255), width=u)
    return _reduce(image, 32)


def program_group_folder():
    """A closed yellow folder with a small program-group window standing in front of it."""
    image, draw, u = _folder_canvas()
    draw.polygon([(1 * u, 11 * u), (27 * u, 11 * u), (27 * u, 27 * u), (1 * u, 27 * u)],
                 fill=(255, 214, 72, 255), outline=FOLDER_EDGE, width=int(u / 2))
    draw.line([(2 * u, 12.5 * u), (26 * u, 12.5 * u)], fill=(255, 240, 160, 255), width=u)
    # The window: title bar, client area, and four program icons in a grid.
    wx, wy, ww, wh = 12, 13, 19, 17
    draw.rectangle([wx * u, wy * u, (wx + ww) * u, (wy + wh) * u], fill=(255, 255, 255, 255),
                   outline=(40, 40, 60, 255), width=int(u * 0.6))
    draw.rectangle([wx * u, wy * u, (wx + ww) * u, (wy + 4) * u], fill=(20, 50, 170, 255),
                   outline=(40, 40, 60, 255), width=int(u * 0.6))
    draw.rectangle([(wx + ww - 3.5) * u, (wy + 1) * u, (wx + ww - 1) * u, (wy + 3) * u],
                   fill=(200, 200, 200, 255))
    colours = [(220, 40, 40), (40, 160, 60), (240, 180, 0), (40, 120, 230)]
    for k, colour in enumerate(colours):
        x = wx + 2.5 + (k % 2) * 8
        y = wy + 6 + (k // 2) * 5.5
        draw.rectangle([x * u, y * u, (x + 5) * u, (y + 3.8) * u], fill=colour + (255,),
                       outline=(40, 40, 60, 255), width=int(u * 0.4))
    return _reduce(image, 32)


def chip(size):
    """The application's icon: a microcontroller in a dual in-line package with a green
    arrow of data going into it."""
    s = SUPERSAMPLE
    n = size * s
    u = n / 32.0
    image = Image.new("RGBA", (n, n), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    for k in range(5):
        y = (7 + k * 4.5) * u
        for x0, x1 in ((3, 8), (24, 29)):
            draw.rectangle([x0 * u, y, x1 * u, y + 2.2 * u], fill=(170, 174, 186, 255),
                           outline=(60, 60, 70, 255), width=max(1, int(u / 3)))
    draw.rounded_rectangle([7 * u, 4 * u, 25 * u, 30 * u], radius=1.5 * u, fill=(40, 42, 48, 255),
                           outline=(10, 10, 12, 255), width=max(1, int(u / 2)))
    draw.pieslice([13 * u, 1.5 * u, 19 * u, 7.5 * u], 0, 180, fill=(16, 16, 20, 255))
    draw.ellipse([9.5 * u, 7.5 * u, 12 * u, 10 * u], fill=(90, 92, 100, 255))
    arrow = [(9, 13), (17, 13), (17, 9.5), (23.5, 17), (17, 24.5), (17, 21), (9, 21)]
    draw.polygon([(x * u, y * u) for x, y in arrow], fill=(60, 200, 80, 255),
                 outline=(10, 90, 30, 255))
    return _reduce(image, size)
