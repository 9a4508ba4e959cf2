"""The library's images, drawn from character art: bitmaps 111, 117 and 130, icon 128 (16 and 32
pixels) and cursor 116. Each art row is one line of pixels; each character names a colour."""
import struct

PALETTE = {
    ".": None,                # background of the image (its mask colour or transparency)
    "k": (0, 0, 0),
    "K": (64, 64, 64),
    "g": (128, 128, 128),
    "G": (192, 192, 192),
    "w": (255, 255, 255),
    "b": (0, 64, 160),
    "B": (64, 140, 230),
    "e": (0, 150, 60),
    "E": (90, 210, 120),
    "r": (190, 30, 30),
    "R": (240, 110, 90),
    "y": (240, 200, 40),
    "s": (150, 170, 190),
}

DEVICE = """
................
................
................
..KKKKKKKKKKKK..
.KGGGGGGGGGGGGK.
.KGwwwwwwwwwwGK.
.KGGGGGGGGGGGGK.
.KGsssssssssGGK.
.KGGGGGGGGGGGGK.
.KGGGGGGGGGeEGK.
.KggggggggggggK.
..KKKKKKKKKKKK..
................
................
................
................
"""

UNIT = """
...KKKKKKKKKK...
..KGGGGGGGGGGK..
..KGwwwwwwwwGK..
..KGKKKKKKKKGK..
..KGsssssseEGK..
..KGKKKKKKKKGK..
..KGsssssseEGK..
..KGKKKKKKKKGK..
..KGsssssseEGK..
..KGKKKKKKKKGK..
..KGGGGGGGGGGK..
..KGGGGGGGGGGK..
..KGGGbbbbGGGK..
..KggggggggggK..
...KKKKKKKKKK...
................
"""

DEVICE_IN_UNIT = """
................
................
................
....KKKKKKKKKK..
...KBBBBBBBBBBK.
...KBwwwwwwwwBK.
...KBBBBBBBBBBK.
...KBsssssssBBK.
...KBBBBBBBeEBK.
...KbbbbbbbbbbK.
....KKKKKKKKKK..
................
.g..............
.gggg...........
................
................
"""

REMOVE = """
................
.......e........
......eEe.......
.....eEEEe......
....eEEEEEe.....
...eEEEEEEEe....
..eEEEEEEEEEe...
..eeeeeeeeeee...
................
..eeeeeeeeeee...
..eEEEEEEEEEe...
..eeeeeeeeeee...
................
................
................
................
"""

SETTINGS = """
................
......KKKK......
..KK.KGGGGK.KK..
..KGKGGGGGGKGK..
...KGGGKKGGGK...
..KGGGK..KGGGK..
.KGGGK....KGGGK.
.KGGK......KGGK.
.KGGK......KGGK.
.KGGGK....KGGGK.
..KGGGK..KGGGK..
...KGGGKKGGGK...
..KGKGGGGGGKGK..
..KK.KGGGGK.KK..
......KKKK......
................
"""

HELP = """
................
.....bbbbbb.....
...bbBBBBBBbb...
..bBBBwwwwBBBb..
..bBBwwBBwwBBb..
.bBBBBBBBwwBBBb.
.bBBBBBBwwBBBBb.
.bBBBBBwwBBBBBb.
.bBBBBBwwBBBBBb.
.bBBBBBBBBBBBBb.
..bBBBBwwBBBBb..
..bBBBBwwBBBBb..
...bbBBBBBBbb...
.....bbbbbb.....
................
................
"""

VERSION = """
................
.....bbbbbb.....
...bbBBBBBBbb...
..bBBBBwwBBBBb..
..bBBBBwwBBBBb..
.bBBBBBBBBBBBBb.
.bBBBBwwwBBBBBb.
.bBBBBBwwBBBBBb.
.bBBBBBwwBBBBBb.
.bBBBBBwwBBBBBb.
..bBBBBwwBBBBb..
..bBBBwwwwBBBb..
...bbBBBBBBbb...
.....bbbbbb.....
................
................
"""

EXIT = """
................
..KKKKKKKK......
..KyyyyyyK......
..KyyyyyyK......
..KyyyyyyK..r...
..KyyyyyyK..rr..
..KyyyyyrrrrrRr.
..KyyyyyrRRRRRRr
..KyyyyyrrrrrRr.
..KyyyyyyK..rr..
..KyyyyyyK..r...
..KyyyyyyK......
..KyyyyyyK......
..KKKKKKKK......
................
................
"""

BLANK = "\n".join(["." * 16] * 16)

ICON_16 = """
................
.......ee.......
......eEEe......
.....eEEEEe.....
....eEEEEEEe....
....eeeEEeee....
......eEEe......
..KKKKKKKKKKKK..
.KGGGGGGGGGGGGK.
.KGwwwwwwwwwwGK.
.KGGGGGGGGGGGGK.
.KGsssssssssGGK.
.KGGGGGGGGGeEGK.
.KggggggggggggK.
..KKKKKKKKKKKK..
................
"""

HAND = """
.....KK.........
....KwwK........
....KwwK........
....KwwK........
....KwwK........
....KwwKKK......
....KwwKwwKKK...
....KwwKwwKwwKK.
.KK.KwwKwwKwwKwK
KwwKKwwwwwwwwKwK
KwwwKwwwwwwwwwwK
.KwwwwwwwwwwwwwK
..KwwwwwwwwwwwwK
..KwwwwwwwwwwwK.
...KwwwwwwwwwwK.
...KwwwwwwwwwK..
....KwwwwwwwwK..
....KwwwwwwwwK..
....KKKKKKKKKK..
"""


def rows(art):
    lines = [line for line in art.strip("\n").split("\n")]
    width = max(len(line) for line in lines)
    return [line.ljust(width, ".") for line in lines]


def scaled(art, factor):
    return "\n".join("".join(c * factor for c in line) for line in rows(art) for _ in range(factor))


def strip(arts):
    """Images side by side, 16 pixels each."""
    parts = [rows(art) for art in arts]
    return [("".join(part[y] for part in parts)) for y in range(16)]


def bmp(lines, background):
    """A 24-bit bottom-up BMP file; '.' takes the background colour."""
    height = len(lines)
    width = len(lines[0])
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for line in reversed(lines):
        row = bytearray()
        for c in line:
            r, g, b = PALETTE[c] or background
            row += bytes((b, g, r))
        pixels += row + bytes(stride - len(row))
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels), 0, 0, 14 + len(header))
    return file_header + header + pixels


def _dib32(lines):
    """A 32-bit image with its AND mask, as an icon or cursor entry stores it."""
    size = len(lines)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = bytearray()
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for line in reversed(lines):
        bits = 0
        for x, c in enumerate(line):
            colour = PALETTE[c]
            if colour is None:
                xor += bytes((0, 0, 0, 0))
                bits |= 1 << (size - 1 - x) if size <= 32 else 0
            else:
                r, g, b = colour
                xor += bytes((b, g, r, 255))
        mask += bits.to_bytes(size // 8, "big") + bytes(mask_stride - size // 8)
    return header + bytes(xor) + bytes(mask)


def _icon_file(kind, entries):
    """ICO (kind 1) or CUR (kind 2); entries are (lines, hotspot)."""
    images = [_dib32(lines) for lines, _ in entries]
    out = bytearray(struct.pack("<HHH", 0, kind, len(entries)))
    offset = 6 + 16 * len(entries)
    for (lines, hotspot), image in zip(entries, images):
        size = len(lines)
        planes, bits = (1, 32) if kind == 1 else hotspot
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, planes, bits, len(image), offset)
        offset += len(image)
    for image in images:
        out += image
    return bytes(out)


def square(art, size):
    lines = rows(art)
    lines = [line.ljust(size, ".")[:size] for line in lines]
    return lines + ["." * size] * (size - len(lines))


def write_all_data():
    """Every image file's name and bytes."""
    classic = (212, 208, 200)
    modern = (240, 240, 240)
    menu = [REMOVE, SETTINGS, HELP, VERSION, EXIT, BLANK]
    files = {
        "list_images.bmp": bmp(strip([DEVICE, UNIT, DEVICE_IN_UNIT]), (0, 0, 0)),
        "menu_images_classic.bmp": bmp(strip(menu), classic),
        "menu_images.bmp": bmp(strip(menu), modern),
        "holvara.ico": _icon_file(1, [(square(ICON_16, 16), None),
                                      (square(scaled(ICON_16, 2), 32), None)]),
        "hand.cur": _icon_file(2, [(square(HAND, 32), (5, 0))]),
    }
    return files
