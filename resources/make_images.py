#!/usr/bin/env python3
"""Draws Quarry's icons, toolbar bitmaps and splitter cursor and writes them beside this script.

Plain Python 3, no packages. Run it after changing a picture and commit the files it writes:
  quarry.ico     main icon (magnifier over a document), 16x16 and 32x32
  unmarked.ico   state image 1 of the File Info List: an empty box
  marked.ico     state image 2: a checked box
  main_toolbar.bmp      7 images of 16x15: Find, Open, Browse, Copy list, Delete item, Clear, Sort
  fileview_toolbar.bmp  7 images of 16x15: Save, Print, Find Next, Undo, Cut, Copy, Paste
  splitter.cur   the FileView splitter cursor, 32x32, hot spot in the gap between its bars

Every picture uses only the 16 standard VGA colours, so a 4-bit image list or a 16-colour
display shows it unchanged. The toolbar background is light grey (192,192,192), the colour the
toolbar treats as transparent. Icons carry a 4-bit and a 32-bit image of each size, both with a
mask.
"""

import math
import os
import struct
import sys

PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)

# Letters of the pixel art; '.' is the background (transparent for icons, silver for toolbars).
ART_COLOURS = {
    'k': BLACK, 'm': MAROON, 'G': GREEN, 'o': OLIVE, 'n': NAVY, 'p': PURPLE, 't': TEAL,
    's': SILVER, 'g': GREY, 'r': RED, 'l': LIME, 'y': YELLOW, 'b': BLUE, 'f': FUCHSIA,
    'a': AQUA, 'w': WHITE, '.': None,
}


def from_art(rows, width, height):
    if len(rows) != height or any(len(r) != width for r in rows):
        sys.exit("bad picture size: %r" % (rows,))
    return [[ART_COLOURS[c] for c in row] for row in rows]


def blank(width, height):
    return [[None] * width for _ in range(height)]


def scale2(img):
    return [[p for p in row for _ in (0, 1)] for row in img for _ in (0, 1)]


# ---------------------------------------------------------------- file formats


def row_bytes(bits_per_row):
    return ((bits_per_row + 31) // 32) * 4


def pack_4bit(img, transparent_index):
    out = bytearray()
    for row in reversed(img):
        line = bytearray()
        for x in range(0, len(row), 2):
            hi = transparent_index if row[x] is None else row[x]
            lo = 0
            if x + 1 < len(row):
                lo = transparent_index if row[x + 1] is None else row[x + 1]
            line.append((hi << 4) | lo)
        line.extend(b"\0" * (row_bytes(4 * len(row)) - len(line)))
        out += line
    return bytes(out)


def pack_mask(img, opaque):
    """1-bit rows, bottom-up: bit set where opaque(pixel) is false."""
    out = bytearray()
    for row in reversed(img):
        line = bytearray(row_bytes(len(row)))
        for x, p in enumerate(row):
            if not opaque(p):
                line[x // 8] |= 0x80 >> (x % 8)
        out += line
    return bytes(out)


def info_header(width, height, bits, image_size, colours):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 0, 0,
                       colours, 0)


def palette_bytes(colours):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in colours)


def icon_dib_4bit(img):
    h, w = len(img), len(img[0])
    xor = pack_4bit(img, BLACK)
    mask = pack_mask(img, lambda p: p is not None)
    return (info_header(w, 2 * h, 4, len(xor) + len(mask), 16) + palette_bytes(PALETTE) +
            xor + mask)


def icon_dib_32bit(img):
    h, w = len(img), len(img[0])
    xor = bytearray()
    for row in reversed(img):
        for p in row:
            if p is None:
                xor += b"\0\0\0\0"
            else:
                r, g, b = PALETTE[p]
                xor += struct.pack("<BBBB", b, g, r, 255)
    mask = pack_mask(img, lambda p: p is not None)
    return info_header(w, 2 * h, 32, len(xor) + len(mask), 0) + bytes(xor) + mask


def write_icon(path, images):
    """images: pictures of 16x16 and 32x32; each is stored as a 4-bit and a 32-bit image."""
    entries = []
    for img in images:
        entries.append((img, 4, icon_dib_4bit(img)))
    for img in images:
        entries.append((img, 32, icon_dib_32bit(img)))
    offset = 6 + 16 * len(entries)
    head = struct.pack("<HHH", 0, 1, len(entries))
    body = b""
    for img, bits, dib in entries:
        w, h = len(img[0]), len(img)
        head += struct.pack("<BBBBHHII", w % 256, h % 256, 16 if bits == 4 else 0, 0, 1, bits,
                            len(dib), offset)
        offset += len(dib)
        body += dib
    with open(path, "wb") as f:
        f.write(head + body)


def write_cursor(path, img, hot_x, hot_y):
    """A monochrome cursor: None transparent, BLACK and WHITE drawn."""
    h, w = len(img), len(img[0])
    xor = pack_mask(img, lambda p: p != WHITE)  # bit set (white) where the pixel is white
    mask = pack_mask(img, lambda p: p is not None)
    dib = (info_header(w, 2 * h, 1, len(xor) + len(mask), 2) +
           palette_bytes([(0, 0, 0), (255, 255, 255)]) + xor + mask)
    head = struct.pack("<HHH", 0, 2, 1)
    head += struct.pack("<BBBBHHII", w, h, 0, 0, hot_x, hot_y, len(dib), 6 + 16)
    with open(path, "wb") as f:
        f.write(head + dib)


def write_strip(path, pictures):
    """A 4-bit bitmap of the pictures side by side on the toolbar's light grey."""
    h = len(pictures[0])
    strip = [[] for _ in range(h)]
    for pic in pictures:
        for y in range(h):
            strip[y].extend(pic[y])
    w = len(strip[0])
    pixels = pack_4bit(strip, SILVER)
    header = info_header(w, h, 4, len(pixels), 16) + palette_bytes(PALETTE)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels), 0, 0,
                              14 + len(header))
    with open(path, "wb") as f:
        f.write(file_header + header + pixels)


# ---------------------------------------------------------------- pictures

MAIN_TOOLBAR = [
    [  # Find Files: magnifier
        "................",
        "....kkkkk.......",
        "...kwwwwwk......",
        "..kwaawwwwk.....",
        "..kwawwwwwk.....",
        "..kwwwwwwwk.....",
        "..kwwwwwwwk.....",
        "..kwwwwwwwk.....",
        "...kwwwwwk......",
        "....kkkkkmm.....",
        "..........mmm...",
        "...........mmm..",
        "............mmm.",
        ".............mm.",
        "................",
    ],
    [  # Open File: a page with text, opened by the green arrow
        "................",
        "..kkkkkkk.......",
        "..kwwwwwkk......",
        "..kwgggwkwk.....",
        "..kwwwwwkkkk....",
        "..kwgggggwwk....",
        "..kwwwwwwwwk....",
        "..kwgggggwwk.G..",
        "..kwwwwwwwwk.GG.",
        "..kwgggggGGGGGGG",
        "..kwwwwwwGGGGGG.",
        "..kwgggggwwk.GG.",
        "..kwwwwwwwwk.G..",
        "..kkkkkkkkkk....",
        "................",
    ],
    [  # Browse Dir(s): a folder
        "................",
        "................",
        "..kkkkk.........",
        ".kyyyyyk........",
        "kyyyyyyykkkkkk..",
        "kwwwwwwwwwwwwyk.",
        "kwyyyyyyyyyyyok.",
        "kwyyyyyyyyyyyok.",
        "kwyyyyyyyyyyyok.",
        "kwyyyyyyyyyyyok.",
        "kwyyyyyyyyyyyok.",
        "kwyyyyyyyyyyyok.",
        "kooooooooooooook",
        ".kkkkkkkkkkkkkk.",
        "................",
    ],
    [  # Copy File Info List: two lists, one over the other
        "................",
        "kkkkkkkkk.......",
        "kwwwwwwwk.......",
        "knnnnnnnk.......",
        "kwwwwwwwk.......",
        "kwgggkkkkkkkkk..",
        "kwwwwkwwwwwwwk..",
        "kwgggknnnnnnnk..",
        "kwwwwkwwwwwwwk..",
        "kkkkkkwgggggwk..",
        ".....kwwwwwwwk..",
        ".....kwgggggwk..",
        ".....kwwwwwwwk..",
        ".....kkkkkkkkk..",
        "................",
    ],
    [  # Delete File Info Item: one row of a list, struck out
        "................",
        "kkkkkkkkkk......",
        "kwwwwwwwwk......",
        "kwggggggwk......",
        "kwwwwwwwwk......",
        "knnnnnnnnkrr..rr",
        "knwwwwwwnk.rrrr.",
        "knnnnnnnnk..rr..",
        "kwwwwwwwwk.rrrr.",
        "kwggggggwkrr..rr",
        "kwwwwwwwwk......",
        "kwggggggwk......",
        "kwwwwwwwwk......",
        "kkkkkkkkkk......",
        "................",
    ],
    [  # Clear File Info List: the whole list crossed out
        "................",
        ".kkkkkkkkkkkk...",
        ".kwwwwwwwwwwk...",
        ".krrwggggggrr...",
        ".kwrrwwwwwrrk...",
        ".kwgrrgggrrwk...",
        ".kwwwrrwrrwwk...",
        ".kwgggrrrggwk...",
        ".kwwwrrwrrwwk...",
        ".kwgrrgggrrwk...",
        ".kwrrwwwwwrrk...",
        ".krrgggggggrr...",
        ".kwwwwwwwwwwk...",
        ".kkkkkkkkkkkk...",
        "................",
    ],
    [  # Sort File Info List: A over Z and a downward arrow
        "................",
        "..nn.......k....",
        ".n..n......k....",
        ".n..n......k....",
        ".nnnn......k....",
        ".n..n......k....",
        ".n..n......k....",
        "...........k....",
        ".nnnn......k....",
        "....n......k....",
        "...n.....kkkkk..",
        "..n.......kkk...",
        ".n.........k....",
        ".nnnn...........",
        "................",
    ],
]

FILEVIEW_TOOLBAR = [
    [  # Save: a floppy disk
        "................",
        ".kkkkkkkkkkkkk..",
        ".knkwwwwwwwknk..",
        ".knkwwwwwwwknk..",
        ".knkwwwwwwwknk..",
        ".knkwwwwwwwknk..",
        ".knnkkkkkkknnk..",
        ".knnnnnnnnnnnk..",
        ".knnkkkkkkknnk..",
        ".knnkssskssknk..",
        ".knnkssskssknk..",
        ".knnkssskssknk..",
        "..kkkkkkkkkkkk..",
        "................",
        "................",
    ],
    [  # Print: a printer with a sheet
        "................",
        "....kkkkkkkk....",
        "....kwwwwwwk....",
        "....kwggggwk....",
        "....kwwwwwwk....",
        "..kkkkkkkkkkkk..",
        ".kswwwwwwwwwwsk.",
        ".ksssssssssssk..",
        ".kssssssssslsk..",
        ".kgggggggggggk..",
        ".kgkwwwwwwwkgk..",
        "..kkwggggwkkk...",
        "....kwwwwwwk....",
        "....kkkkkkkk....",
        "................",
    ],
    [  # Find Next: magnifier with an arrow onwards
        "................",
        "...kkkkk........",
        "..kwwwwwk.......",
        ".kwaawwwwk......",
        ".kwawwwwwk......",
        ".kwwwwwwwk......",
        ".kwwwwwwwk...b..",
        "..kwwwwwk....bb.",
        "...kkkkkmbbbbbbb",
        "........mmbbbbb.",
        ".........mmm.bb.",
        "..........mmmb..",
        "...........mmm..",
        "............mm..",
        "................",
    ],
    [  # Undo: an arrow turning back
        "................",
        "................",
        "................",
        "...n............",
        "..nn...nnnn.....",
        ".nnnnnnnnnnnn...",
        "nnnnnnnnnnnnnn..",
        ".nnnnnnnn...nnn.",
        "..nn.........nn.",
        "...n.........nn.",
        ".............nn.",
        "............nnn.",
        "..........nnnn..",
        "..........nnn...",
        "................",
    ],
    [  # Cut: scissors
        "................",
        "...k.....k......",
        "...k.....k......",
        "...kk...kk......",
        "....k...k.......",
        "....kk.kk.......",
        ".....kkk........",
        "......k.........",
        ".....nkn........",
        "...nnn.nnn......",
        "..n..n.n..n.....",
        "..n..n.n..n.....",
        "..n..n.n..n.....",
        "...nn...nn......",
        "................",
    ],
    [  # Copy: two pages
        "................",
        "kkkkkkk.........",
        "kwwwwwkk........",
        "kwgggwkwk.......",
        "kwwwwwkkkkkkk...",
        "kwgggkwwwwwkkk..",
        "kwwwwkwgggwkwk..",
        "kwgggkwwwwwkkkk.",
        "kwwwwkwgggggwwk.",
        "kkkkkkwwwwwwwwk.",
        ".....kwgggggwwk.",
        ".....kwwwwwwwwk.",
        ".....kwgggggwwk.",
        ".....kkkkkkkkkk.",
        "................",
    ],
    [  # Paste: a clipboard with a page
        "................",
        "....kkkkkk......",
        ".kkkgwwwwgkkk...",
        "koookkkkkkoook..",
        "kooooooooooook..",
        "kooooooooooook..",
        "kooooookkkkkkkk.",
        "kooooookwwwwwwk.",
        "kooooookwggggwk.",
        "kooooookwwwwwwk.",
        "kooooookwggggwk.",
        "kooooookwwwwwwk.",
        "kooooookwggwwwk.",
        ".kkkkkkkkkkkkkk.",
        "................",
    ],
]

FRAME_TOP = ["................", "................", "..gggggggggggg..", "..gkkkkkkkkkkw.."]
FRAME_BOTTOM = ["..gksssssssssw..", "..gwwwwwwwwwww..", "................", "................"]

UNMARKED = FRAME_TOP + ["..gkwwwwwwwwsw.."] * 8 + FRAME_BOTTOM

MARKED = FRAME_TOP + [
    "..gkwwwwwwwwsw..",
    "..gkwwwwwwwksw..",
    "..gkwwwwwwkksw..",
    "..gkwkwwwkkksw..",
    "..gkwkkwkkkwsw..",
    "..gkwkkkkkwwsw..",
    "..gkwwkkkwwwsw..",
    "..gkwwwkwwwwsw..",
] + FRAME_BOTTOM


def main_icon(size):
    """A page with text lines and a magnifier over its lower right, at 16 or 32 pixels."""
    img = blank(size, size)

    def put(x, y, colour):
        if 0 <= x < size and 0 <= y < size:
            img[y][x] = colour

    if size == 32:
        left, top, right, bottom, fold, line_step = 2, 1, 20, 28, 6, 3
        cx, cy, outer, inner, handle, pen = 19.0, 17.0, 8.3, 6.2, 9.5, 3
    else:
        left, top, right, bottom, fold, line_step = 1, 0, 10, 14, 3, 2
        cx, cy, outer, inner, handle, pen = 9.5, 8.5, 4.6, 3.3, 4.5, 2

    # the page, with its top right corner folded down
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            cut = x - (right - fold) - (y - top)
            if cut > 0:
                continue
            edge = x in (left, right) or y in (top, bottom) or cut == 0
            put(x, y, BLACK if edge else WHITE)
    for y in range(top, top + fold + 1):
        for x in range(right - fold, right - fold + (y - top)):
            put(x + 1, y, SILVER if y < top + fold else BLACK)
    put(right - fold, top + fold, BLACK)
    for y in range(top + fold + line_step - 1, bottom - 1, line_step):
        for x in range(left + 2, right - 1):
            put(x, y, GREY)

    # the magnifier: a navy rim round aqua glass with a white glint, and a maroon handle
    for y in range(size):
        for x in range(size):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if d <= inner:
                put(x, y, AQUA)
            elif d <= outer:
                put(x, y, NAVY)
    for a in range(200, 255, 8 if size == 32 else 20):
        r = inner - (1.6 if size == 32 else 1.2)
        put(int(cx + r * math.cos(math.radians(a))), int(cy + r * math.sin(math.radians(a))),
            WHITE)
    d = outer
    while d <= outer + handle:
        x0 = int(cx + d / math.sqrt(2) - pen / 2)
        y0 = int(cy + d / math.sqrt(2) - pen / 2)
        for dy in range(pen):
            for dx in range(pen):
                put(x0 + dx, y0 + dy, MAROON)
        d += 0.5
    return img


def splitter_cursor():
    size, cx = 32, 16
    img = blank(size, size)
    for i in range(5):  # arrow heads
        for x in range(cx - i, cx + i + 1):
            img[5 + i][x] = BLACK
            img[27 - i][x] = BLACK
    for y in list(range(10, 14)) + list(range(19, 23)):  # shafts
        for x in (cx - 1, cx, cx + 1):
            img[y][x] = BLACK
    for y in (14, 15, 17, 18):  # the two bars around the hot spot's row
        for x in range(5, 28):
            img[y][x] = BLACK
    outline = blank(size, size)
    for y in range(size):
        for x in range(size):
            if img[y][x] is None and any(
                    0 <= y + dy < size and 0 <= x + dx < size and img[y + dy][x + dx] == BLACK
                    for dy in (-1, 0, 1) for dx in (-1, 0, 1)):
                outline[y][x] = WHITE
    return [[img[y][x] if img[y][x] is not None else outline[y][x] for x in range(size)]
            for y in range(size)]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = lambda name: os.path.join(here, name)
    write_strip(out("main_toolbar.bmp"), [from_art(p, 16, 15) for p in MAIN_TOOLBAR])
    write_strip(out("fileview_toolbar.bmp"), [from_art(p, 16, 15) for p in FILEVIEW_TOOLBAR])
    unmarked = from_art(UNMARKED, 16, 16)
    marked = from_art(MARKED, 16, 16)
    write_icon(out("unmarked.ico"), [unmarked, scale2(unmarked)])
    write_icon(out("marked.ico"), [marked, scale2(marked)])
    write_icon(out("quarry.ico"), [main_icon(16), main_icon(32)])
    write_cursor(out("splitter.cur"), splitter_cursor(), 16, 16)


if __name__ == "__main__":
    main()
