#!/usr/bin/env python3
"""Draws Fendrix's bitmaps and icons and writes them to res/images/.

The small pictures are pixel art kept here as character grids; the About picture is drawn
from shapes at four times its size and scaled down. Only the standard library is used, so
BMP and ICO files are put together by hand. Run it again after changing a picture and
commit the files it writes.
"""
import math
import pathlib
import struct
import sys

OUT = pathlib.Path(__file__).resolve().parent.parent / "res" / "images"

# One 16-colour palette for every small picture. 'S' is the tool bar's light grey, which
# the tool bar takes as transparent, so no picture uses it for anything it shows.
PALETTE = [
    ("K", (0, 0, 0)),
    ("W", (255, 255, 255)),
    ("S", (192, 192, 192)),
    ("D", (128, 128, 128)),
    ("L", (224, 224, 224)),
    ("R", (230, 30, 30)),
    ("r", (128, 0, 0)),
    ("B", (40, 110, 230)),
    ("N", (0, 0, 128)),
    ("G", (0, 170, 60)),
    ("Y", (255, 228, 0)),
    ("y", (150, 100, 0)),
    ("O", (235, 165, 0)),
    ("H", (255, 210, 160)),
    ("h", (170, 95, 45)),
    ("F", (255, 250, 190)),
]
INDEX = {ch: i for i, (ch, _) in enumerate(PALETTE)}
COLOURS = [rgb for _, rgb in PALETTE]
CLEAR = "."  # tool-bar background, or a transparent icon pixel

def rows_of(picture):
    return picture.strip("\n").split("\n")


def overlay(base, top, left, upper):
    """base with the non-clear pixels of top put on it, top's corner at (left, upper)."""
    rows = [list(row) for row in rows_of(base)]
    for y, row in enumerate(rows_of(top)):
        for x, ch in enumerate(row):
            if ch != CLEAR:
                rows[upper + y][left + x] = ch
    return "\n".join("".join(row) for row in rows)


def with_halo(picture, colour):
    """picture on a one-pixel border of colour around its shape, so it stands out."""
    src = rows_of(picture)
    height, width = len(src) + 2, len(src[0]) + 2
    rows = [[CLEAR] * width for _ in range(height)]
    for y, row in enumerate(src):
        for x, ch in enumerate(row):
            if ch == CLEAR:
                continue
            for dy in (-1, 0, 1):
                for dx in (-1, 0, 1):
                    if rows[y + 1 + dy][x + 1 + dx] == CLEAR:
                        rows[y + 1 + dy][x + 1 + dx] = colour
    for y, row in enumerate(src):
        for x, ch in enumerate(row):
            if ch != CLEAR:
                rows[y + 1][x + 1] = ch
    return "\n".join("".join(row) for row in rows)


def squares(colour_rows, size, gap, width, height, left, upper, frame="K"):
    """Rows of squares; each letter of colour_rows is the fill of one square, framed unless
    frame is None."""
    rows = [[CLEAR] * width for _ in range(height)]
    for r, colours in enumerate(colour_rows):
        for c, fill in enumerate(colours):
            x0, y0 = left + c * (size + gap), upper + r * (size + gap)
            for y in range(size):
                for x in range(size):
                    edge = x in (0, size - 1) or y in (0, size - 1)
                    rows[y0 + y][x0 + x] = frame if edge and frame else fill
    return "\n".join("".join(row) for row in rows)


# ---------------------------------------------------------------------------------------
# 16 x 15 pictures of the tool bar; the menu icons reuse them with a blank 16th row.

NEW_PAGE = """
................
...KKKKKKKK.....
...KWWWWWWKK....
...KWWWWWWKLK...
...KWWWWWWKLLK..
...KWWWWWWKKKKK.
...KWWWWWWWWWLK.
...KWWWWWWWWWLK.
...KWWWWWWWWWLK.
...KWWWWWWWWWLK.
...KWWWWWWWWWLK.
...KWWWWWWWWWLK.
...KWWWWWWWWWLK.
...KLLLLLLLLLLK.
...KKKKKKKKKKKK.
"""

WIPED_PAGE = overlay("""
................
KKKKKKKKK.......
KWWWWWWWKK......
KWDDDDDWKLK.....
KWWWWWWWKKKK....
KWDDDDDDDDWK....
KWWWWWWWWWWK....
KWDDDDDDDDWK....
KWWWWWWWWWWK....
KWDDDWWWWWWK....
KWWWWWWWWWWK....
KWDDWWWWWWWK....
KWWWWWWWWWWK....
KKKKKKKKKKKK....
................
""", """
........KKKKKKKK
.......KRRRRBBKK
......KRRRRBBKNK
.....KKKKKKKKNNK
.....KrrrrNNKNK.
.....KrrrrNNKK..
.....KKKKKKKK...
""", 0, 8)

ARROW_DOWN = """
................
................
.....yyyyyy.....
.....yFYYOy.....
.....yFYYOy.....
.....yFYYOy.....
.....yFYYOy.....
.....yFYYOy.....
..yyyyFYYOyyyy..
...yFFYYYYOOy...
....yFYYYYOy....
.....yFYYOy.....
......yYOy......
.......yy.......
................
"""

CROSS = """
................
................
..rrr......rrr..
..rRRr....rRRr..
..rRRRr..rRRRr..
...rRRRrrRRRr...
....rRRRRRRr....
.....rRRRRr.....
.....rRRRRr.....
....rRRRRRRr....
...rRRRrrRRRr...
..rRRRr..rRRRr..
..rRRr....rRRr..
..rrr......rrr..
................
"""

# White inside: a disabled button shows only the dark pixels, so the hand keeps its outline
# while Abort is unavailable, which is most of the time.
RAISED_HAND = """
.......KK.......
......KWWKKK....
....KKKWWKWWK...
...KWWKWWKWWKKK.
...KWWKWWKWWKWWK
.KKKWWKWWKWWKWWK
KWWKWWKWWKWWKWWK
KWWKWWKWWKWWKWWK
KWWKWWWWWWWWWWWK
.KWWKWWWWWWWWWWK
..KWWWWWWWWWWWWK
...KWWWWWWWWWWK.
....KWWWWWWWWWK.
....KWWWWWWWWK..
....KWWWWWWWWK..
"""

OPEN_FOLDER = """
................
........NNN.....
.......N...N....
......N.....N...
......N...NNNNN.
.KKK.......NNN..
KFFFK.......N...
KFYYYKKKKKKK....
KFYYYYYYYYYK....
KFYYYKKKKKKKKKKK
KFYYKFFFFFFFFFK.
KFYKYYYYYYYYYK..
KFKYYYYYYYYYK...
KKOOOOOOOOOK....
KKKKKKKKKKK.....
"""

FLOPPY = """
................
.KKKKKKKKKKKKK..
.KNKWWWWWWWKNNK.
.KNKWWWWWWWKNNK.
.KNKWDDDDDWKNNK.
.KNKWWWWWWWKNNK.
.KNKWDDDDDWKNNK.
.KNNKKKKKKKNNNK.
.KNNNNNNNNNNNNK.
.KNNLLLLLLLLNNK.
.KNNLKKLLLLLNNK.
.KNNLKKLLLLLNNK.
.KNNLKKLLLLLNNK.
..KKKKKKKKKKKKK.
................
"""

FLOPPY_A = overlay(FLOPPY, with_halo("""
..RRR..
.RR.RR.
RR...RR
RR...RR
RRRRRRR
RR...RR
RR...RR
""", "W"), 7, 6)

# Undo: an arrow that turns back over itself, in the blue of the log's banners.
ARROW_BACK = """
................
....N...........
...NN...........
..NBNNNNNNNN....
.NBBBBBBBBBBNN..
NBBBBBBBBBBBBBN.
.NBBBBBBBBBBBBBN
..NBNNNNNNNNNBBN
...NN.......NBBN
....N.......NBBN
............NBBN
...........NBBBN
.......NNNNBBBN.
.......NBBBBBN..
.......NNNNNN...
"""

# Save the log: a sheet of coloured log lines with a floppy disk on its corner.
LOG_SHEET = overlay("""
................
KKKKKKKKK.......
KWWWWWWWKK......
KWBBBBBWKLK.....
KWWWWWWWKKKK....
KWGGGGGGGGWK....
KWWWWWWWWWWK....
KWNNNNNNNWWK....
KWWWWWWWWWWK....
KWRRRRRWWWWK....
KWWWWWWWWWWK....
KWGGGGWWWWWK....
KWWWWWWWWWWK....
KKKKKKKKKKKK....
................
""", with_halo("""
KKKKKKK
KNWWWNK
KNWWWNK
KNNNNNK
KNLLLNK
KNLKLNK
KKKKKKK
""", "W"), 7, 6)

# Preview: a magnifying glass over a sheet of log lines; the lens shows them in the navy of the
# changes to come.
MAGNIFIED_SHEET = overlay("""
KKKKKKKKK.......
KWWWWWWWKK......
KWDDDDDWKLK.....
KWWWWWWWKKKK....
KWDDDDDDDDWK....
KWWWWWWWWWWK....
KWDDDDDDDDWK....
KWWWWWWWWWWK....
KWDDDDWWWWWK....
KWWWWWWWWWWK....
KWDDDWWWWWWK....
KWWWWWWWWWWK....
KKKKKKKKKKKK....
................
................
""", """
..KKKKK....
.KLWWWWK...
KLWWWWWWK..
KWNNNNNWK..
KWWWWWWWK..
KWNNNWWLK..
.KWWWWLKK..
..KKKKKyyK.
.......KyyK
........KK.
""", 5, 5)

TOOLBAR = [NEW_PAGE, WIPED_PAGE, ARROW_DOWN, CROSS, RAISED_HAND, OPEN_FOLDER, FLOPPY, FLOPPY_A,
           MAGNIFIED_SHEET, ARROW_BACK]

# ---------------------------------------------------------------------------------------
# Menu icons of their own.

# A light face, so that the grayed menu item still shows the frame and the cross.
CROSS_IN_FRAME = """
................
.KKKKKKKKKKKKKK.
.KWWWWWWWWWWWDK.
.KWWWWWWWWWWWDK.
.KWWRRWWWWRRWDK.
.KWWRRRWWRRRWDK.
.KWWWRRRRRRWWDK.
.KWWWWRRRRWWWDK.
.KWWWWRRRRWWWDK.
.KWWWRRRRRRWWDK.
.KWWRRRWWRRRWDK.
.KWWRRWWWWRRWDK.
.KWWWWWWWWWWWDK.
.KDDDDDDDDDDDDK.
.KKKKKKKKKKKKKK.
................
"""

# Application icon: a pointing hand over rows of coloured squares (the attribute flags of
# a list of files).
POINTING_HAND_32 = """
.....hhh.............
....hHHHh............
....hHHHh............
....hHHHh............
....hHHHh............
....hHHHhhhh.........
....hHHHhHHHhhhh.....
....hHHHhHHHhHHHhhhh.
....hHHHhHHHhHHHhHHHh
.hh.hHHHhHHHhHHHhHHHh
hHHhhHHHhHHHhHHHhHHHh
hHHHhHHHHHHHHHHHHHHHh
.hHHHhHHHHHHHHHHHHHHh
..hHHHHHHHHHHHHHHHHHh
..hHHHHHHHHHHHHHHHHHh
...hHHHHHHHHHHHHHHHHh
....hHHHHHHHHHHHHHHh.
.....hHHHHHHHHHHHHHh.
.....hHHHHHHHHHHHHh..
......hHHHHHHHHHHHh..
......hhhhhhhhhhhhh..
......BBBBBBBBBBBBB..
......NNNNNNNNNNNNN..
"""

APP_32 = overlay(squares(["RGBY", "DGDY", "RDBD"], 6, 2, 32, 32, 1, 1, None), POINTING_HAND_32, 11, 9)

POINTING_HAND_16 = """
...hh.....
..hHHh....
..hHHh....
..hHHhhhh.
hhhHHhHhHh
hHhHHHHHHh
hHHHHHHHHh
.hHHHHHHHh
..hHHHHHh.
..hHHHHHh.
..BBBBBBB.
"""

APP_16 = overlay(squares(["RGB", "DGY", "RDB"], 4, 1, 16, 16, 1, 1, None), POINTING_HAND_16, 3, 5)


def grid(text, width, height):
    rows = rows_of(text)
    if len(rows) != height or any(len(row) != width for row in rows):
        sizes = ", ".join(str(len(row)) for row in rows)
        raise ValueError(f"picture is not {width} x {height}: {len(rows)} rows of {sizes}")
    for row in rows:
        for ch in row:
            if ch != CLEAR and ch not in INDEX:
                raise ValueError(f"unknown colour {ch!r}")
    return rows


def with_blank_row(text):
    return text.strip("\n") + "\n" + "." * 16


# ---------------------------------------------------------------------------------------
# File formats.

def dib(width, height, bits, colours, rows_bottom_up):
    """A BITMAPINFOHEADER, its colour table and its pixel rows (already bottom-up)."""
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(rows_bottom_up),
                         0, 0, len(colours), 0)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)
    return header + table + rows_bottom_up


def pack_row(values, bits):
    out = bytearray()
    if bits == 4:
        for i in range(0, len(values), 2):
            low = values[i + 1] if i + 1 < len(values) else 0
            out.append((values[i] << 4) | low)
    elif bits == 1:
        for i in range(0, len(values), 8):
            byte = 0
            for j, v in enumerate(values[i:i + 8]):
                byte |= (v & 1) << (7 - j)
            out.append(byte)
    elif bits == 24:
        for r, g, b in values:
            out += bytes((b, g, r))
    while len(out) % 4:
        out.append(0)
    return bytes(out)


def bmp_file(info):
    offset = 14 + 40 + struct.unpack_from("<I", info, 32)[0] * 4
    return b"BM" + struct.pack("<IHHI", 14 + len(info), 0, 0, offset) + info


def palette_bmp(rows, background):
    width, height = len(rows[0]), len(rows)
    pixels = b"".join(
        pack_row([INDEX[background if ch == CLEAR else ch] for ch in row], 4)
        for row in reversed(rows))
    return bmp_file(dib(width, height, 4, COLOURS, pixels))


def rgb_bmp(pixels):
    width, height = len(pixels[0]), len(pixels)
    data = b"".join(pack_row(row, 24) for row in reversed(pixels))
    return bmp_file(dib(width, height, 24, [], data))


def icon_file(images):
    """images: character grids; each becomes one 16-colour image with its mask."""
    bodies = []
    for rows in images:
        width, height = len(rows[0]), len(rows)
        colour = b"".join(
            pack_row([0 if ch == CLEAR else INDEX[ch] for ch in row], 4) for row in reversed(rows))
        mask = b"".join(
            pack_row([1 if ch == CLEAR else 0 for ch in row], 1) for row in reversed(rows))
        # The icon's header counts the colour and the mask rows together.
        header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 4, 0, len(colour) + len(mask),
                             0, 0, 16, 0)
        table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in COLOURS)
        bodies.append((width, height, header + table + colour + mask))
    out = struct.pack("<HHH", 0, 1, len(bodies))
    offset = 6 + 16 * len(bodies)
    for width, height, body in bodies:
        out += struct.pack("<BBBBHHII", width % 256, height % 256, 16, 0, 1, 4, len(body), offset)
        offset += len(body)
    return out + b"".join(body for _, _, body in bodies)


# ---------------------------------------------------------------------------------------
# The About picture: a settings sheet with attribute flags, a clock and a tag, drawn at four
# times the size and averaged down, so that edges are smooth.

ABOUT_SIZE = 64
SCALE = 4


class Canvas:
    def __init__(self, size):
        self.size = size
        self.px = [[(0, 0, 0)] * size for _ in range(size)]

    def fill(self, inside, colour):
        n = self.size
        for y in range(n):
            fy = (y + 0.5) / SCALE
            row = self.px[y]
            for x in range(n):
                if inside((x + 0.5) / SCALE, fy):
                    row[x] = colour if not callable(colour) else colour((x + 0.5) / SCALE, fy)

    def reduced(self):
        n = self.size // SCALE
        out = []
        for y in range(n):
            row = []
            for x in range(n):
                acc = [0, 0, 0]
                for dy in range(SCALE):
                    for dx in range(SCALE):
                        p = self.px[y * SCALE + dy][x * SCALE + dx]
                        acc[0] += p[0]
                        acc[1] += p[1]
                        acc[2] += p[2]
                k = SCALE * SCALE
                row.append(tuple(int(round(a / k)) for a in acc))
            out.append(row)
        return out


def in_polygon(points):
    def inside(x, y):
        hit = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                hit = not hit
            j = i
        return hit
    return inside


def in_rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def in_circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def on_segment(x0, y0, x1, y1, half_width):
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        px, py = x0 + t * dx, y0 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= half_width * half_width
    return inside


def outline_of(shape, inner):
    return lambda x, y: shape(x, y) and not inner(x, y)


def draw_about():
    c = Canvas(ABOUT_SIZE * SCALE)

    def sky(x, y):
        t = y / ABOUT_SIZE
        return (int(70 + 60 * t), int(110 + 70 * t), int(190 + 40 * t))
    c.fill(lambda x, y: True, sky)

    # Sheet with a folded corner and a soft shadow.
    sheet = [(9, 6), (37, 6), (46, 15), (46, 56), (9, 56)]
    c.fill(in_polygon([(p[0] + 2, p[1] + 2) for p in sheet]), (40, 60, 110))
    c.fill(in_polygon(sheet), (40, 40, 40))
    inner = [(10, 7), (36.6, 7), (45, 15.4), (45, 55), (10, 55)]
    c.fill(in_polygon(inner), (252, 252, 248))
    c.fill(in_polygon([(37, 6), (37, 15), (46, 15)]), (40, 40, 40))
    c.fill(in_polygon([(37.8, 8), (37.8, 14.2), (44, 14.2)]), (210, 214, 222))

    # Rows of the listing: a name line and four attribute flags (Archive, ReadOnly, Hide,
    # System), some of them set.
    flags = [(40, 170, 60), (230, 40, 40), (40, 110, 230), (240, 190, 0)]
    pattern = ["1010", "0110", "1001", "1100"]
    for row, bits in enumerate(pattern):
        top = 19 + row * 8
        c.fill(in_rect(13, top + 2, 26, top + 3), (150, 156, 170))
        for i, bit in enumerate(bits):
            left = 28 + i * 4
            colour = flags[i] if bit == "1" else (214, 216, 222)
            c.fill(in_rect(left, top, left + 3, top + 5), colour)

    # Clock over the lower right corner of the sheet.
    cx, cy, r = 45, 45, 14
    c.fill(in_circle(cx + 1.5, cy + 1.5, r), (30, 45, 90))
    c.fill(in_circle(cx, cy, r), (20, 50, 120))
    c.fill(in_circle(cx, cy, r - 2), (255, 255, 255))
    for hour in range(12):
        a = hour * math.pi / 6
        inner_r = r - 5 if hour % 3 == 0 else r - 4
        c.fill(on_segment(cx + math.sin(a) * inner_r, cy - math.cos(a) * inner_r,
                          cx + math.sin(a) * (r - 3), cy - math.cos(a) * (r - 3),
                          0.7 if hour % 3 == 0 else 0.45), (40, 40, 40))
    # Ten past ten.
    hour_angle = (10 + 10 / 60) * math.pi / 6
    minute_angle = 10 * math.pi / 30
    c.fill(on_segment(cx, cy, cx + math.sin(hour_angle) * 6, cy - math.cos(hour_angle) * 6, 1.1),
           (20, 20, 20))
    c.fill(on_segment(cx, cy, cx + math.sin(minute_angle) * 9, cy - math.cos(minute_angle) * 9,
                      0.8), (20, 20, 20))
    c.fill(on_segment(cx, cy + 2, cx, cy - 9.5, 0.35), (220, 30, 30))
    c.fill(in_circle(cx, cy, 1.3), (220, 30, 30))

    # Tag tied with a string to an eyelet of the sheet.
    tag = [(3, 20), (8, 15), (19, 15), (19, 25), (8, 25)]
    c.fill(in_circle(16, 10, 1.6), (120, 120, 130))
    c.fill(in_circle(16, 10, 0.8), (252, 252, 248))
    c.fill(in_polygon(tag), (150, 80, 0))
    c.fill(in_polygon([(4.4, 20), (8.5, 16), (18, 16), (18, 24), (8.5, 24)]), (255, 200, 60))
    c.fill(in_circle(8.3, 20, 1.4), (150, 80, 0))
    c.fill(in_circle(8.3, 20, 0.8), (252, 252, 248))
    c.fill(on_segment(8.3, 20, 15.2, 10.6, 0.45), (90, 60, 30))
    c.fill(in_rect(11, 18, 17, 19), (150, 80, 0))
    c.fill(in_rect(11, 21, 15, 22), (150, 80, 0))
    return c.reduced()


# ---------------------------------------------------------------------------------------

def main():
    OUT.mkdir(parents=True, exist_ok=True)
    strip = [grid(picture, 16, 15) for picture in TOOLBAR]
    rows = ["".join(picture[y] for picture in strip) for y in range(15)]
    files = {
        "toolbar.bmp": palette_bmp(rows, "S"),
        "fendrix.ico": icon_file([grid(APP_32, 32, 32), grid(APP_16, 16, 16)]),
        "new.ico": icon_file([grid(with_blank_row(NEW_PAGE), 16, 16)]),
        "exit.ico": icon_file([grid(CROSS_IN_FRAME, 16, 16)]),
        "clear_history.ico": icon_file([grid(with_blank_row(WIPED_PAGE), 16, 16)]),
        "execute.ico": icon_file([grid(with_blank_row(ARROW_DOWN), 16, 16)]),
        "abort.ico": icon_file([grid(with_blank_row(RAISED_HAND), 16, 16)]),
        "open.ico": icon_file([grid(with_blank_row(OPEN_FOLDER), 16, 16)]),
        "save.ico": icon_file([grid(with_blank_row(FLOPPY), 16, 16)]),
        "save_as.ico": icon_file([grid(with_blank_row(FLOPPY_A), 16, 16)]),
        "undo.ico": icon_file([grid(with_blank_row(ARROW_BACK), 16, 16)]),
        "save_log.ico": icon_file([grid(with_blank_row(LOG_SHEET), 16, 16)]),
        "preview.ico": icon_file([grid(with_blank_row(MAGNIFIED_SHEET), 16, 16)]),
        "about.bmp": rgb_bmp(draw_about()),
    }
    for name, data in files.items():
        (OUT / name).write_bytes(data)
        print(f"{OUT / name} ({len(data)} bytes)")


if __name__ == "__main__":
    sys.exit(main())
