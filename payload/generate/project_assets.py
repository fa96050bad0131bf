"""The demo project's pictures and documents: a six-channel battery charger built around a
microcontroller. The circuit board is laid out once (`board`) and then drawn as a layout
print, rendered as a photograph of the assembled board, and written as a layout document."""

import io
import random
import struct

from PIL import Image, ImageDraw, ImageFilter, ImageFont

FONT_DIR = "/usr/share/fonts/truetype/dejavu/"


def font(size, bold=False):
    return ImageFont.truetype(FONT_DIR + ("DejaVuSans-Bold.ttf" if bold else "DejaVuSans.ttf"), size)


# ---------------------------------------------------------------- the circuit board
# Board coordinates are tenths of a millimetre on a 100 by 100 mm board.

class Board:
    def __init__(self):
        self.parts = []    # (designator, kind, x, y, pads as [(x, y)])
        self.tracks = []   # (x0, y0, x1, y1, width)

    def part(self, name, kind, x, y, pads):
        self.parts.append((name, kind, x, y, pads))
        return pads


def _dip(x, y, pins):
    """Pads of a dual in-line package, pin 1 at the top left, 2.54 mm pitch, rows 7.62 mm apart."""
    half = pins // 2
    left = [(x, y + i * 25) for i in range(half)]
    right = [(x + 76, y + (half - 1 - i) * 25) for i in range(half)]
    return left + right


def board():
    rng = random.Random(61)
    b = Board()
    mcu = b.part("DD1", "dip", 180, 300, _dip(180, 300, 18))
    shift = b.part("DD2", "dip", 420, 180, _dip(420, 180, 16))
    mux = b.part("DA1", "dip", 420, 560, _dip(420, 560, 16))
    reg = b.part("DA2", "to220", 90, 80, [(90 + i * 25, 80) for i in range(3)])
    quartz = b.part("ZQ1", "quartz", 120, 640, [(120, 640), (170, 640)])
    fets, shunts, leds, clamps = [], [], [], []
    for k in range(6):
        y = 110 + k * 140
        fets.append(b.part("VT%d" % (k + 1), "to220", 800, y, [(800 + i * 25, y) for i in range(3)]))
        shunts.append(b.part("R%d" % (k + 1), "resistor", 640, y + 50, [(640, y + 50), (740, y + 50)]))
        leds.append(b.part("HL%d" % (k + 1), "led", 150 + k * 110, 930, [(150 + k * 110, 930),
                                                                      (175 + k * 110, 930)]))
        clamps.append(b.part("X%d" % (k + 1), "clamp", 940, y + 20, [(940, y), (940, y + 50)]))
    for k in range(12):
        x = 330 + (k % 6) * 40
        y = 780 + (k // 6) * 70
        b.part("R%d" % (k + 7), "resistor", x, y, [(x, y), (x, y + 60)])

    def route(a, c, width=10):
        # Horizontal first, then vertical: a single bend, as a hand layout would have it.
        if a[0] != c[0]:
            b.tracks.append((a[0], a[1], c[0], a[1], width))
        if a[1] != c[1]:
            b.tracks.append((c[0], a[1], c[0], c[1], width))

    for k in range(6):
        route(shift[8 + k % 8], fets[k][0])
        route(fets[k][2], shunts[k][1], 20)
        route(shunts[k][0], mux[k], 10)
        route(fets[k][1], clamps[k][0], 20)
        route(clamps[k][1], shunts[k][1], 20)
        route(shift[k + 1], leds[k][0])
    for k in range(5):
        route(mcu[9 + k], shift[k % 3] if k < 3 else mux[8 + k])
    route(mcu[13], mux[9])
    route(mcu[14], mux[10])
    route(reg[2], mcu[13], 20)
    route(reg[0], (90, 40), 30)
    route(quartz[0], mcu[15])
    route(quartz[1], mcu[16])
    for k in range(12):
        x = 330 + (k % 6) * 40
        y = 780 + (k // 6) * 70
        target = mux[rng.randrange(8)] if k < 6 else mcu[rng.randrange(1, 8)]
        route((x, y), target)
    return b


def gif_bytes(image):
    """A GIF89a file of a palette image (the version that allows the comment padding)."""
    buffer = io.BytesIO()
    image.save(buffer, "GIF")
    return buffer.getvalue().replace(b"GIF87a", b"GIF89a", 1)


def _colour_image(size, colour):
    return Image.new("RGB", size, colour)


def layout_print():
    """245 by 245: the copper side in the colours of a printed layout, with the parts'
    outlines on it."""
    b = board()
    scale = 245 / 1000.0
    image = _colour_image((245, 245), (16, 88, 40))
    draw = ImageDraw.Draw(image)
    copper, silk = (222, 170, 70), (240, 240, 230)

    def p(x, y):
        return (round(x * scale), round(y * scale))

    draw.rectangle([0, 0, 244, 244], outline=(8, 50, 20), width=3)
    for x0, y0, x1, y1, width in b.tracks:
        draw.line([p(x0, y0), p(x1, y1)], fill=copper, width=max(1, round(width * scale)))
    for name, kind, x, y, pads in b.parts:
        xs = [px for px, _ in pads]
        ys = [py for _, py in pads]
        box = [p(min(xs) - 12, min(ys) - 12), p(max(xs) + 12, max(ys) + 12)]
        draw.rectangle(box, outline=silk)
        for px, py in pads:
            cx, cy = p(px, py)
            draw.ellipse([cx - 2, cy - 2, cx + 2, cy + 2], fill=copper)
            draw.point((cx, cy), fill=(16, 88, 40))
    return image.quantize(colors=8, dither=Image.Dither.NONE)


def layout_gif():
    return gif_bytes(layout_print())


def assembled_board():
    """160 by 160: a photograph-like view of the assembled board, lit from the top left."""
    b = board()
    n = 480
    scale = n / 1000.0
    image = Image.new("RGB", (n, n), (20, 96, 48))
    draw = ImageDraw.Draw(image)
    rng = random.Random(7)

    def p(x, y):
        return (x * scale, y * scale)

    for x0, y0, x1, y1, width in b.tracks:
        draw.line([p(x0, y0), p(x1, y1)], fill=(40, 128, 70), width=max(2, round(width * scale)))
    bodies = {"dip": (24, 24, 28), "to220": (30, 30, 34), "resistor": (90, 150, 200),
              "led": (220, 40, 30), "quartz": (200, 200, 210), "clamp": (40, 110, 200)}
    for name, kind, x, y, pads in b.parts:
        xs = [px for px, _ in pads]
        ys = [py for _, py in pads]
        x0, y0 = p(min(xs) - 6, min(ys) - 8)
        x1, y1 = p(max(xs) + 6, max(ys) + 8)
        if kind == "resistor" and x1 - x0 < y1 - y0:
            x0, x1 = x0 - 3, x1 + 3
        elif kind == "resistor":
            y0, y1 = y0 - 3, y1 + 3
        draw.rectangle([x0 + 3, y0 + 3, x1 + 3, y1 + 3], fill=(10, 50, 25))   # shadow
        draw.rectangle([x0, y0, x1, y1], fill=bodies[kind])
        draw.line([(x0, y0), (x1, y0)], fill=tuple(min(255, c + 70) for c in bodies[kind]), width=2)
        if kind == "to220":
            draw.rectangle([x0, y0 - 14, x1, y0], fill=(180, 184, 190))
    photo = image.filter(ImageFilter.GaussianBlur(1.2)).resize((160, 160), Image.LANCZOS)
    pixels = photo.load()
    for y in range(160):
        for x in range(160):
            light = 1.12 - 0.3 * (x + y) / 320 + rng.uniform(-0.03, 0.03)
            pixels[x, y] = tuple(max(0, min(255, round(c * light))) for c in pixels[x, y])
    return photo


def front_panel():
    """160 by 153: the charger's front panel with its two-line display, six channel lights
    and three buttons."""
    w, h = 160, 153
    n = 3
    image = Image.new("RGB", (w * n, h * n), (60, 62, 66))
    draw = ImageDraw.Draw(image)
    for y in range(h * n):
        shade = round(78 - 30 * y / (h * n))
        draw.line([(0, y), (w * n, y)], fill=(shade, shade + 2, shade + 6))
    draw.rounded_rectangle([12, 12, w * n - 12, h * n - 12], radius=18, outline=(120, 124, 130), width=4)
    draw.text((36, 30), "ВОМАР-6К", font=font(30, True), fill=(230, 230, 230))
    draw.rectangle([36, 80, w * n - 36, 190], fill=(20, 20, 20))
    draw.rectangle([46, 90, w * n - 46, 180], fill=(150, 190, 60))
    mono = ImageFont.truetype(FONT_DIR + "DejaVuSansMono-Bold.ttf", 30)
    draw.text((58, 96), "1:1.38 2:1.41", font=mono, fill=(30, 50, 20))
    draw.text((58, 136), "3:1.29 4:---", font=mono, fill=(30, 50, 20))
    for k in range(6):
        cx, cy = 66 + k * 70, 250
        colour = (60, 230, 60) if k in (0, 1, 2) else (230, 50, 40) if k == 4 else (70, 40, 40)
        draw.ellipse([cx - 16, cy - 16, cx + 16, cy + 16], fill=(30, 30, 30))
        draw.ellipse([cx - 11, cy - 11, cx + 11, cy + 11], fill=colour)
        draw.ellipse([cx - 6, cy - 8, cx, cy - 3], fill=tuple(min(255, c + 120) for c in colour))
        draw.text((cx - 8, cy + 22), str(k + 1), font=font(22), fill=(220, 220, 220))
    for k, label in enumerate(("РЕЖИМ", "ТОК", "СТАРТ")):
        x = 50 + k * 140
        draw.rounded_rectangle([x, 340, x + 100, 400], radius=10, fill=(30, 30, 34),
                               outline=(150, 150, 156), width=3)
        draw.text((x + 8, 410), label, font=font(20, True), fill=(220, 220, 220))
    return image.filter(ImageFilter.GaussianBlur(0.8)).resize((w, h), Image.LANCZOS)


# ---------------------------------------------------------------- schematics

class Sheet:
    """A schematic sheet: black lines on white, names in dark blue, parts drawn the way
    Russian schematics draw them (resistors as rectangles)."""

    def __init__(self, width, height):
        self.image = Image.new("P", (width, height), 0)
        self.image.putpalette([255, 255, 255, 0, 0, 0, 20, 40, 140, 200, 30, 30] + [0] * 756)
        self.draw = ImageDraw.Draw(self.image)
        self.draw.fontmode = "1"
        self.small = font(11)
        self.normal = font(13)
        self.bold = font(15, True)

    def wire(self, *points):
        self.draw.line(points, fill=1, width=1)

    def dot(self, x, y):
        self.draw.ellipse([x - 2, y - 2, x + 2, y + 2], fill=1)

    def text(self, x, y, text, face=None, colour=2):
        self.draw.text((x, y), text, font=face or self.small, fill=colour)

    def resistor(self, x, y, name, value, vertical=True):
        """A resistor from (x, y), 40 pixels long, named beside its body."""
        if vertical:
            self.wire((x, y), (x, y + 8))
            self.draw.rectangle([x - 5, y + 8, x + 5, y + 32], outline=1)
            self.wire((x, y + 32), (x, y + 40))
            self.text(x + 9, y + 8, name)
            self.text(x + 9, y + 20, value)
        else:
            self.wire((x, y), (x + 8, y))
            self.draw.rectangle([x + 8, y - 5, x + 32, y + 5], outline=1)
            self.wire((x + 32, y), (x + 40, y))
            self.text(x + 6, y - 20, name + " " + value)

    def capacitor(self, x, y, name, value):
        self.wire((x, y), (x, y + 17))
        self.wire((x - 10, y + 17), (x + 10, y + 17))
        self.wire((x - 10, y + 23), (x + 10, y + 23))
        self.wire((x, y + 23), (x, y + 40))
        self.text(x + 13, y + 8, name)
        self.text(x + 13, y + 20, value)

    def ground(self, x, y):
        self.wire((x, y), (x, y + 6))
        for k, half in enumerate((9, 6, 3)):
            self.wire((x - half, y + 6 + k * 3), (x + half, y + 6 + k * 3))

    def battery(self, x, y, name):
        self.wire((x, y), (x, y + 16))
        self.wire((x - 12, y + 16), (x + 12, y + 16))
        self.draw.rectangle([x - 6, y + 21, x + 6, y + 23], fill=1)
        self.wire((x, y + 23), (x, y + 40))
        self.text(x + 16, y + 12, name)
        self.text(x - 24, y + 4, "+")

    def transistor(self, x, y, name, note):
        """A field-effect switch: gate from the left at (x, y), drain up, source down."""
        self.draw.ellipse([x + 4, y - 20, x + 44, y + 20], outline=1)
        self.wire((x, y), (x + 16, y))
        self.wire((x + 16, y - 10), (x + 16, y + 10))
        self.wire((x + 21, y - 12), (x + 21, y + 12))
        self.wire((x + 21, y - 8), (x + 32, y - 8), (x + 32, y - 28))
        self.wire((x + 21, y + 8), (x + 32, y + 8), (x + 32, y + 28))
        self.draw.polygon([(x + 22, y), (x + 29, y - 3), (x + 29, y + 3)], fill=1)
        self.wire((x + 29, y), (x + 32, y), (x + 32, y + 8))
        self.text(x + 48, y - 14, name)
        self.text(x + 48, y - 2, note)

    def led(self, x, y, name):
        self.wire((x, y), (x, y + 12))
        self.draw.polygon([(x - 8, y + 12), (x + 8, y + 12), (x, y + 26)], outline=1)
        self.wire((x - 8, y + 26), (x + 8, y + 26))
        self.wire((x, y + 26), (x, y + 40))
        for k in range(2):
            self.wire((x + 10, y + 14 + k * 6), (x + 18, y + 8 + k * 6))
        self.text(x + 20, y + 16, name)

    def chip(self, x, y, width, name, title, left, right, pitch=20):
        """A chip as a rectangle with its pins: `left` and `right` are (number, label) lists."""
        rows = max(len(left), len(right))
        height = rows * pitch + pitch * 3 // 2
        self.draw.rectangle([x, y, x + width, y + height], outline=1, width=2)
        self.wire((x + 16, y), (x + 16, y + height))
        self.wire((x + width - 16, y), (x + width - 16, y + height))
        self.text(x + width // 2 - 3 * len(title), y + 4, title, self.normal, 1)
        self.text(x, y - 16, name, self.normal)
        pins = {}
        for k, (number, label) in enumerate(left):
            py = y + k * pitch + pitch * 3 // 2
            self.wire((x - 20, py), (x, py))
            self.text(x - 18, py - 13, str(number))
            self.text(x + 20, py - 6, label, colour=1)
            pins[number] = (x - 20, py)
        for k, (number, label) in enumerate(right):
            py = y + k * pitch + pitch * 3 // 2
            self.wire((x + width, py), (x + width + 20, py))
            self.text(x + width + 4, py - 13, str(number))
            self.text(x + width - 20 - round(self.small.getlength(label)), py - 6, label, colour=1)
            pins[number] = (x + width + 20, py)
        return pins

    def gif(self):
        return gif_bytes(self.image)


def channel_schematic():
    """563 by 532: one charging channel in detail."""
    s = Sheet(563, 532)
    s.text(20, 14, "Вомар-6К. Канал зарядки (один из шести)", s.bold, 1)
    s.wire((40, 60), (520, 60))
    s.text(44, 42, "+12 В", s.normal)
    s.wire((40, 470), (520, 470))
    s.ground(280, 470)
    # Gate pull-up and the driver transistor on the left.
    s.resistor(150, 60, "R19", "10к")
    s.wire((150, 100), (150, 200), (250, 200))
    s.dot(150, 200)
    s.transistor(150, 260, "VT7", "n-канал")
    s.wire((182, 232), (182, 200))
    s.dot(182, 200)
    s.wire((182, 288), (182, 470))
    s.dot(182, 470)
    s.resistor(60, 260, "R20", "4,7к", vertical=False)
    s.wire((40, 260), (60, 260))
    s.wire((100, 260), (150, 260))
    s.text(20, 272, "от DD2", s.small)
    # The power switch, current limit, battery and shunt.
    s.transistor(250, 200, "VT1", "p-канал")
    s.wire((282, 172), (282, 60))
    s.dot(282, 60)
    s.wire((282, 228), (282, 250))
    s.resistor(282, 250, "R21", "2,2 Ом")
    s.wire((282, 290), (282, 310))
    s.dot(282, 310)
    s.battery(282, 330, "GB1  1,2 В")
    s.wire((282, 310), (282, 330))
    s.wire((282, 370), (282, 390))
    s.dot(282, 390)
    s.resistor(282, 390, "R1", "0,22 Ом")
    s.wire((282, 430), (282, 470))
    # Voltage and current measurement.
    s.wire((282, 310), (400, 310))
    s.resistor(400, 310, "R22", "10к")
    s.wire((400, 350), (400, 370))
    s.dot(400, 370)
    s.resistor(400, 370, "R23", "10к")
    s.wire((400, 410), (400, 470))
    s.dot(400, 470)
    s.wire((400, 370), (440, 370))
    s.text(446, 363, "к DA1 X0")
    s.wire((282, 390), (340, 390), (340, 440), (440, 440))
    s.text(446, 433, "к DA1 X6")
    # Thermistor divider and the channel light.
    s.resistor(510, 60, "R24", "10к")
    s.dot(510, 60)
    s.wire((510, 100), (510, 250))
    s.dot(510, 250)
    s.wire((510, 250), (450, 250))
    s.text(396, 243, "к DA1 X7")
    s.resistor(510, 250, "RK1", "t°")
    s.wire((510, 290), (510, 470))
    s.dot(510, 470)
    s.led(380, 100, "HL1")
    s.wire((380, 60), (380, 100))
    s.dot(380, 60)
    s.wire((380, 140), (380, 160))
    s.text(388, 152, "к DD2")
    s.text(20, 505, "Терморезистор RK1 прижат к корпусу аккумулятора.", s.small, 1)
    return s.gif()


def full_schematic():
    """541 by 540: the whole charger: controller, shift register, multiplexer, power supply,
    display and the six channels as blocks."""
    s = Sheet(541, 540)
    s.text(20, 12, "Вомар-6К. Схема электрическая принципиальная", s.bold, 1)
    mcu = s.chip(80, 70, 110, "DD1", "MCU",
                 [(17, "A0"), (18, "A1"), (1, "A2"), (2, "A3"), (3, "A4"), (4, "MCLR"),
                  (16, "OSC1"), (15, "OSC2"), (14, "VDD")],
                 [(6, "B0"), (7, "B1"), (8, "B2"), (9, "B3"), (10, "B4"), (11, "B5"),
                  (12, "B6"), (13, "B7"), (5, "VSS")])
    shift = s.chip(310, 70, 100, "DD2", "RG",
                   [(14, "D"), (11, "C"), (12, "ST"), (10, "R"), (13, "E")],
                   [(15, "Q0"), (1, "Q1"), (2, "Q2"), (3, "Q3"), (4, "Q4"), (5, "Q5"),
                    (6, "Q6"), (7, "Q7")])
    mux = s.chip(310, 290, 100, "DA1", "MS",
                 [(11, "A"), (10, "B"), (9, "C"), (6, "E"), (3, "X")],
                 [(13, "X0"), (14, "X1"), (15, "X2"), (12, "X3"), (1, "X4"), (5, "X5"),
                  (2, "X6"), (4, "X7")])
    s.wire(mcu[6], (250, mcu[6][1]), (250, shift[14][1]), shift[14])
    s.wire(mcu[7], (260, mcu[7][1]), (260, shift[11][1]), shift[11])
    s.wire(mcu[8], (270, mcu[8][1]), (270, shift[12][1]), shift[12])
    for pin, target in ((9, 11), (10, 10), (11, 9)):
        x = 230 + pin * 4
        s.wire(mcu[pin], (x, mcu[pin][1]), (x, mux[target][1]), mux[target])
    s.wire(mux[3], (280, mux[3][1]), (280, 430), (40, 430), (40, mcu[17][1]), mcu[17])
    s.wire(mux[6], (290, mux[6][1]), (290, 450))
    s.ground(290, 450)
    # Quartz between the oscillator pins.
    s.wire(mcu[16], (30, mcu[16][1]))
    s.wire(mcu[15], (50, mcu[15][1]))
    s.draw.rectangle([26, 310, 54, 322], outline=1)
    s.wire((30, mcu[16][1]), (30, 310))
    s.wire((50, mcu[15][1]), (50, 322))
    s.text(8, 326, "ZQ1 4 МГц")
    # Power supply.
    s.chip(80, 440, 90, "DA2", "5 В", [(1, "IN")], [(3, "OUT")], pitch=24)
    s.wire((60, 464), (20, 464))
    s.text(14, 470, "+12 В")
    s.wire((190, 464), (240, 464))
    s.text(200, 470, "+5 В")
    s.capacitor(240, 464, "C2", "0,1")
    s.ground(240, 504)
    # Channels and display as blocks.
    for k in range(8):
        y = shift[[15, 1, 2, 3, 4, 5, 6, 7][k]][1]
        if k < 6:
            s.draw.rectangle([470, y - 9, 532, y + 9], outline=1)
            s.text(474, y - 7, "Канал %d" % (k + 1))
            s.wire(shift[[15, 1, 2, 3, 4, 5][k]], (470, y))
        else:
            s.wire(shift[[6, 7][k - 6]], (470, y))
            s.text(474, y - 7, "к HG1")
    for k, pin in enumerate((13, 14, 15, 12, 1, 5)):
        y = mux[pin][1]
        s.wire(mux[pin], (450, y))
        s.text(454, y - 7, "кан. %d" % (k + 1))
    s.text(20, 520, "Канал зарядки подробно - на отдельном листе.", s.small, 1)
    return s.gif()


# ---------------------------------------------------------------- documents

SFR_SIZE = 1844
LAYOUT_SIZE = 54337


def _cp1251_field(text, size):
    data = text.encode("cp1251")
    assert len(data) < size
    return data + bytes(size - len(data))


def register_settings(variant):
    """A register-settings document: header, 64 register records (address, value, mask,
    name), the 256-byte data memory image, a note, and a sum of every byte before it."""
    fast = variant == 1
    header = b"BXSFR\x1a\x01\x00" + struct.pack("<HHI", 0x0106, 64, 0)
    header += _cp1251_field("Вомар-6К", 32)
    header += _cp1251_field("Ускоренный заряд, 0,5C, разряд перед зарядом" if fast
                            else "Основной заряд, 0,1C, без разряда", 64)
    records = b""
    rng = random.Random(1844)
    for k in range(64):
        name = "SFR%02X" % k
        value = rng.randrange(256)
        if fast and k in (5, 6, 21, 23, 44):
            value ^= 0x5A
        records += struct.pack("<HBB", k if k < 32 else 0x80 + k - 32, value, 0xFF)
        records += name.encode("ascii").ljust(12, b"\0")
    # Data memory: per channel current (mA), end-of-charge drop (mV), discharge flag, timer.
    memory = bytearray(256)
    for k in range(6):
        current = 500 if fast else 100
        struct.pack_into("<HBBH", memory, k * 8, current, 5, 1 if fast else 0, 90 if fast else 900)
    memory[0xF0:0xF8] = b"VOMAR6K\0"
    note = _cp1251_field("Файл настроек регистров для программы Brindlex. "
                         + ("Вариант 01: ускоренный заряд." if fast else "Основной вариант."), 448)
    body = header + records + bytes(memory) + note
    document = body + struct.pack("<I", sum(body) & 0xFFFFFFFF)
    assert len(document) == SFR_SIZE
    return document


def board_layout():
    """A board-layout document: header, the parts with their pads, the tracks, a one-bit
    preview of the copper, and free room up to the document's fixed size."""
    b = board()
    parts = b""
    for name, kind, x, y, pads in b.parts:
        parts += name.encode("ascii").ljust(8, b"\0") + kind.encode("ascii").ljust(8, b"\0")
        parts += struct.pack("<hhH", x, y, len(pads))
        parts += b"".join(struct.pack("<hhHH", px, py, 18, 8) for px, py in pads)
    tracks = b"".join(struct.pack("<hhhhH", *t) for t in b.tracks)
    preview = layout_print().resize((512, 512), Image.NEAREST).convert("L")
    preview = preview.point(lambda v: 0 if v > 120 else 255).convert("1").tobytes()
    header = b"BXLAY\x1a\x01\x00" + struct.pack("<IIHHIII", LAYOUT_SIZE, 1000, len(b.parts),
                                                 len(b.tracks), len(parts), len(tracks), 512)
    header = header.ljust(64, b"\0")
    document = header + parts + tracks + preview
    assert len(document) <= LAYOUT_SIZE
    return document + bytes(LAYOUT_SIZE - len(document))
