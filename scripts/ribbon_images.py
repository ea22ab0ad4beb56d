#!/usr/bin/env python3
"""Draws the ribbon's image strips as 24-bit BMP files (magenta is the transparent key colour).

Every picture is drawn here from simple shapes on a 16-unit grid; the 32 x 32 strips draw the
same shapes at twice the scale. No artwork comes from elsewhere. STRIPS below is the one table
from resource id and image index to picture name; the resource script ui/res/ribbon.rc and the
tests read the strips this writes into ui/res/ribbon/. MENU_COMMANDS is the table of the menu
pictures (strips 179 and 180): the command each picture stands for, in strip order; the script also
writes the toolbar resource that names them (ui/res/menuimages.rc).

    python3 scripts/ribbon_images.py            (rewrites ui/res/ribbon/*.bmp and ui/res/menuimages.rc)
"""
import os
import struct
import sys

KEY = (255, 0, 255)

# ---- the table: resource id -> (image size, [picture name per index])
MAIN = ["new", "open", "save", "saveas", "blank", "sendto", "print", "blank", "blank", "close",
        "blank", "printsetup", "blank", "blank", "blank", "delete"]
HOME = ["paste", "cut", "copy", "text", "barcode", "image", "bold", "italic", "underline",
        "alignleft", "aligncenter", "alignright", "blank", "blank", "blank", "guide", "label", "import"]
SMALL_110 = ["blank"] * 10 + ["undo", "blank", "blank", "info", "image", "redo"]
FINE_310 = ["tofront", "toback", "backward", "forward", "objleft", "objhcenter", "objright", "objtop",
            "objbottom", "objvcenter", "combine", "split", "rotleft", "rotright", "spaceh", "spacev",
            "resetsize", "import"]
TABLE_314 = ["first", "prevpage", "prev", "next", "nextpage", "last", "repeat", "sequence", "find",
             "replace", "insertrow", "insertcol", "sortasc", "sortdesc", "table", "textfile", "linkimage",
             "filter", "filterload", "filterstore"]
DRAW_315 = ["line", "rect", "roundrect", "triangle", "ellipse"]
PANEL_ICONS = {1: "text", 7: "ruler", 9: "open", 19: "tofront", 27: "paste", 28: "filter", 29: "text",
               30: "barcode", 31: "table", 32: "image", 33: "lock", 34: "margins", 35: "print", 36: "find",
               37: "table", 38: "footer", 39: "header", 40: "sortasc", 41: "copy", 42: "objleft",
               43: "position", 44: "next", 45: "insertrow", 46: "sequence", 47: "calendar", 48: "database",
               49: "label", 50: "spaceh", 51: "rotleft", 52: "combine", 53: "new", 54: "blocks", 55: "spaceh",
               56: "roundrect", 57: "grid", 58: "label", 59: "tag", 60: "triangle", 61: "roundrect", 62: "rect",
               63: "fill", 64: "ellipse", 65: "text", 0: "help"}
PANEL = [PANEL_ICONS.get(i, "dot") for i in range(66)]
# The menu pictures: (command, picture), in strip order. Context menus show the picture of every
# command listed here.
MENU_COMMANDS = [
    ("ID_FILE_NEW", "new"), ("ID_FILE_OPEN", "open"), ("ID_FILE_SAVE", "save"), ("ID_FILE_PRINT", "print"),
    ("ID_EDIT_CUT", "cut"), ("ID_EDIT_COPY", "copy"), ("ID_EDIT_PASTE", "paste"), ("ID_EDIT_UNDO", "undo"),
    ("ID_EDIT_REDO", "redo"), ("ID_HELP", "help"), ("ID_EDIT_DELETE", "delete"),
    ("ID_EDIT_SELECT_ALL", "selectall"), ("ID_EDIT_COMBINE", "combine"), ("ID_EDIT_SPLIT", "split"),
    ("ID_ZOOM_50", "zoomout"), ("ID_ZOOM_75", "zoomout"), ("ID_ZOOM_100", "zoom1"), ("ID_ZOOM_200", "zoomin"),
    ("ID_ZOOM_300", "zoomin"), ("ID_ZOOM_400", "zoomin"), ("ID_TEMPLATE_EXPORT", "export"),
    ("ID_DELETE_TEMPLATE", "close"), ("ID_TABLE_INSERT_ROW", "insertrow"),
    ("ID_TABLE_INSERT_COLUMN", "insertcol"), ("ID_TABLE_SORT_ASCENDING", "sortasc"),
    ("ID_TABLE_SORT_DESCENDING", "sortdesc"), ("ID_TABLE_IMAGE_COLUMN", "imagecol"),
    ("ID_TABLE_LINK_IMAGE", "linkimage"),
]
MENU = [picture for _, picture in MENU_COMMANDS]

STRIPS = {
    110: (16, SMALL_110), 111: (32, HOME), 113: (16, PANEL), 114: (32, MAIN), 115: (16, MAIN),
    310: (16, FINE_310), 311: (16, HOME), 314: (16, TABLE_314), 315: (16, DRAW_315),
    179: (16, MENU), 180: (16, MENU),
}

# ---- colours (a calm palette that reads on light and dark ribbons)
INK = (40, 48, 64)
PAPER = (250, 250, 246)
EDGE = (96, 104, 120)
BLUE = (52, 101, 164)
LBLUE = (114, 159, 207)
GREEN = (78, 154, 6)
LGREEN = (138, 226, 52)
RED = (204, 0, 0)
ORANGE = (245, 121, 0)
YELLOW = (237, 212, 0)
BROWN = (193, 125, 17)
TAN = (233, 185, 110)
GREY = (136, 138, 133)
LGREY = (211, 215, 207)


class Canvas:
    """A square picture drawn in 16-unit coordinates at scale s (1 or 2)."""

    def __init__(self, size):
        self.n = size
        self.s = size // 16
        self.px = [[KEY] * size for _ in range(size)]

    def put(self, x, y, c):
        if 0 <= x < self.n and 0 <= y < self.n:
            self.px[y][x] = c

    def fill(self, x0, y0, x1, y1, c):
        """Fills units [x0, x1) x [y0, y1)."""
        s = self.s
        for y in range(int(y0 * s), int(y1 * s)):
            for x in range(int(x0 * s), int(x1 * s)):
                self.put(x, y, c)

    def box(self, x0, y0, x1, y1, face, edge):
        self.fill(x0, y0, x1, y1, edge)
        if x1 - x0 > 2 / self.s and y1 - y0 > 2 / self.s:
            d = 1 / self.s
            self.fill(x0 + d, y0 + d, x1 - d, y1 - d, face)

    def line(self, x0, y0, x1, y1, c, w=1):
        s = self.s
        steps = int(max(abs(x1 - x0), abs(y1 - y0)) * s * 2) + 1
        for i in range(steps + 1):
            t = i / steps
            x = (x0 + (x1 - x0) * t) * s
            y = (y0 + (y1 - y0) * t) * s
            for dy in range(int(w * s)):
                for dx in range(int(w * s)):
                    self.put(int(x) + dx, int(y) + dy, c)

    def poly(self, pts, c):
        s = self.s
        P = [(x * s, y * s) for x, y in pts]
        for py in range(self.n):
            yc = py + 0.5
            xs = []
            for i in range(len(P)):
                (xa, ya), (xb, yb) = P[i], P[(i + 1) % len(P)]
                if (ya <= yc < yb) or (yb <= yc < ya):
                    xs.append(xa + (yc - ya) * (xb - xa) / (yb - ya))
            xs.sort()
            for a, b in zip(xs[0::2], xs[1::2]):
                for px in range(int(round(a)), int(round(b))):
                    self.put(px, py, c)

    def ellipse(self, x0, y0, x1, y1, face, edge=None, ring=1):
        s = self.s
        cx, cy = (x0 + x1) / 2 * s, (y0 + y1) / 2 * s
        rx, ry = (x1 - x0) / 2 * s, (y1 - y0) / 2 * s
        for py in range(self.n):
            for px in range(self.n):
                dx, dy = (px + 0.5 - cx) / rx, (py + 0.5 - cy) / ry
                d = dx * dx + dy * dy
                if d <= 1:
                    inner = ((px + 0.5 - cx) / max(rx - ring * s, 0.1)) ** 2 + \
                            ((py + 0.5 - cy) / max(ry - ring * s, 0.1)) ** 2
                    if edge is not None and inner > 1:
                        self.put(px, py, edge)
                    elif face is not None:
                        self.put(px, py, face)

    def glyph(self, ch, x, y, c):
        """A 5 x 7 letter with its top left at unit (x, y)."""
        rows = FONT[ch]
        for j, row in enumerate(rows):
            for i, bit in enumerate(row):
                if bit == "#":
                    self.fill(x + i, y + j, x + i + 1, y + j + 1, c)


FONT = {
    "A": ["..#..", ".#.#.", "#...#", "#...#", "#####", "#...#", "#...#"],
    "B": ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    "I": [".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "?": [".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."],
    "i": ["..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###."],
    "1": ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "2": [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    "3": ["####.", "....#", "....#", ".###.", "....#", "....#", "####."],
}


# ---- pieces shared by several pictures
def page(c, x0=3, y0=1, x1=13, y1=15, lines=True):
    c.box(x0, y0, x1, y1, PAPER, EDGE)
    c.poly([(x1 - 3, y0), (x1, y0 + 3), (x1 - 3, y0 + 3)], LGREY)
    if lines:
        for y in range(y0 + 4, y1 - 1, 2):
            c.fill(x0 + 2, y, x1 - 2, y + 1, LGREY)


def arrow_right(c, x0, y, x1, col):
    c.fill(x0, y - 1, x1 - 2, y + 1, col)
    c.poly([(x1 - 3, y - 3), (x1, y), (x1 - 3, y + 3)], col)


def arrow_left(c, x0, y, x1, col):
    c.fill(x0 + 2, y - 1, x1, y + 1, col)
    c.poly([(x0 + 3, y - 3), (x0, y), (x0 + 3, y + 3)], col)


def arrow_down(c, x, y0, y1, col):
    c.fill(x - 1, y0, x + 1, y1 - 2, col)
    c.poly([(x - 3, y1 - 3), (x, y1), (x + 3, y1 - 3)], col)


def floppy(c, col=BLUE):
    c.box(2, 2, 14, 14, col, INK)
    c.fill(4, 3, 12, 8, PAPER)
    c.fill(5, 10, 11, 14, LGREY)
    c.fill(9, 11, 10, 13, INK)


def printer(c):
    c.box(4, 1, 12, 6, PAPER, EDGE)
    c.box(1, 6, 15, 12, LGREY, INK)
    c.box(4, 10, 12, 15, PAPER, EDGE)
    c.fill(12, 7, 14, 8, GREEN)


def picture(c, x0=1, y0=2, x1=15, y1=14):
    c.box(x0, y0, x1, y1, LBLUE, INK)
    c.ellipse(x1 - 5, y0 + 2, x1 - 2, y0 + 5, YELLOW)
    c.poly([(x0 + 1, y1 - 1), (x0 + 5, y0 + 5), (x0 + 9, y1 - 1)], GREEN)
    c.poly([(x0 + 6, y1 - 1), (x0 + 9, y0 + 7), (x1 - 1, y1 - 1)], LGREEN)


def redx(c, x0=3, y0=3, x1=13, y1=13):
    c.line(x0, y0, x1 - 2, y1 - 2, RED, 2)
    c.line(x0, y1 - 2, x1 - 2, y0, RED, 2)


def grid(c, x0=1, y0=2, x1=15, y1=14, hi_row=None, hi_col=None):
    c.box(x0, y0, x1, y1, PAPER, INK)
    c.fill(x0 + 1, y0 + 1, x1 - 1, y0 + 3, LBLUE)
    for y in range(y0 + 3, y1 - 1, 3):
        c.fill(x0 + 1, y, x1 - 1, y + 1, GREY)
    for x in range(x0 + 4, x1 - 1, 4):
        c.fill(x, y0 + 1, x + 1, y1 - 1, GREY)
    if hi_row is not None:
        c.fill(x0 + 1, hi_row, x1 - 1, hi_row + 2, ORANGE)
    if hi_col is not None:
        c.fill(hi_col, y0 + 1, hi_col + 2, y1 - 1, ORANGE)


def bars(c, x0, y0, widths, h=2, col=INK, gap=1, right=None, center=None):
    y = y0
    for w in widths:
        if right is not None:
            c.fill(right - w, y, right, y + h, col)
        elif center is not None:
            c.fill(center - w / 2, y, center + w / 2, y + h, col)
        else:
            c.fill(x0, y, x0 + w, y + h, col)
        y += h + gap


def turn(c, left):
    c.ellipse(2, 2, 14, 14, None, BLUE, 2)
    c.fill(8 if left else 2, 8, 14 if left else 8, 15, KEY)
    if left:
        c.poly([(0, 8), (6, 8), (3, 12)], BLUE)
    else:
        c.poly([(10, 8), (16, 8), (13, 12)], BLUE)


def magnifier(c, sign):
    c.ellipse(1, 1, 11, 11, PAPER, INK, 1.5)
    c.line(9, 9, 14, 14, BROWN, 2)
    if sign in "-+":
        c.fill(3.5, 5.5, 8.5, 6.5, BLUE)
    if sign == "+":
        c.fill(5.5, 3.5, 6.5, 8.5, BLUE)
    if sign == "1":
        c.fill(5.5, 3.5, 6.5, 8.5, BLUE)
        c.fill(4.5, 3.5, 5.5, 4.5, BLUE)


def funnel(c):
    c.poly([(1, 2), (15, 2), (9, 8), (9, 14), (7, 15), (7, 8)], LBLUE)
    c.line(1, 2, 14, 2, INK)


# ---- the pictures
def draw(name, c):
    if name == "blank":
        c.box(4, 4, 12, 12, LGREY, GREY)
    elif name == "dot":
        c.ellipse(5, 5, 11, 11, LBLUE, BLUE)
    elif name == "new":
        page(c)
        c.ellipse(9, 0, 16, 7, YELLOW, ORANGE)
    elif name == "open":
        c.poly([(1, 4), (6, 4), (7, 5), (13, 5), (13, 14), (1, 14)], BROWN)
        c.poly([(3, 8), (16, 8), (13, 14), (1, 14)], TAN)
    elif name == "save":
        floppy(c)
    elif name == "saveas":
        floppy(c)
        c.line(8, 14, 15, 7, ORANGE, 2)
    elif name == "sendto":
        c.box(1, 4, 13, 13, PAPER, EDGE)
        c.line(1, 4, 7, 9, EDGE)
        c.line(7, 9, 12, 4, EDGE)
        arrow_right(c, 8, 12, 16, GREEN)
    elif name == "print":
        printer(c)
    elif name == "printsetup":
        printer(c)
        c.ellipse(9, 8, 16, 15, GREY, INK)
        c.ellipse(11, 10, 14, 13, PAPER)
    elif name == "close":
        page(c)
        redx(c, 6, 6, 16, 16)
    elif name == "delete":
        redx(c, 2, 2, 16, 16)
    elif name == "paste":
        c.box(2, 2, 12, 15, TAN, BROWN)
        c.box(5, 1, 9, 4, LGREY, INK)
        page(c, 7, 6, 15, 16, True)
    elif name == "cut":
        c.line(4, 1, 10, 10, GREY, 1)
        c.line(11, 1, 5, 10, GREY, 1)
        c.ellipse(1, 9, 7, 15, None, RED, 1.5)
        c.ellipse(9, 9, 15, 15, None, RED, 1.5)
    elif name == "copy":
        page(c, 1, 1, 10, 12)
        page(c, 6, 4, 15, 15)
    elif name == "text":
        c.glyph("A", 1, 1, INK)
        c.fill(7, 9, 15, 10, BLUE)
        c.fill(7, 12, 15, 13, BLUE)
        c.fill(1, 12, 5, 13, BLUE)
    elif name == "barcode":
        c.box(0, 2, 16, 14, PAPER, EDGE)
        x = 2
        for w in [1, 1, 2, 1, 1, 2, 1, 1, 1]:
            c.fill(x, 4, x + w, 12, INK)
            x += w + 1
    elif name == "image":
        picture(c)
    elif name == "bold":
        c.glyph("B", 5, 4, INK)
        c.glyph("B", 6, 4, INK)
    elif name == "italic":
        c.line(10, 3, 6, 13, INK, 2)
        c.fill(7, 3, 13, 4, INK)
        c.fill(3, 12, 9, 13, INK)
    elif name == "underline":
        c.glyph("U", 5, 3, INK)
        c.fill(4, 12, 12, 13, BLUE)
    elif name == "alignleft":
        bars(c, 2, 3, [12, 8, 12, 6], 1, INK, 2)
    elif name == "aligncenter":
        bars(c, 2, 3, [12, 8, 12, 6], 1, INK, 2, center=8)
    elif name == "alignright":
        bars(c, 2, 3, [12, 8, 12, 6], 1, INK, 2, right=14)
    elif name == "guide":
        c.box(2, 1, 13, 15, BLUE, INK)
        c.fill(4, 2, 5, 14, LBLUE)
        c.glyph("?", 6, 4, PAPER)
    elif name in ("label", "tag"):
        c.poly([(1, 5), (5, 2), (15, 2), (15, 14), (5, 14), (1, 11)], YELLOW)
        c.ellipse(3, 7, 6, 10, PAPER, BROWN)
        c.fill(7, 6, 13, 7, BROWN)
        c.fill(7, 9, 13, 10, BROWN)
        if name == "tag":
            c.fill(7, 11, 11, 12, BROWN)
    elif name == "import":
        c.box(1, 10, 15, 15, LGREY, INK)
        arrow_down(c, 8, 1, 12, GREEN)
    elif name == "undo":
        c.ellipse(3, 3, 15, 14, None, BLUE, 2)
        c.fill(3, 9, 15, 15, KEY)
        c.poly([(0, 8), (7, 8), (3, 13)], BLUE)
    elif name == "redo":
        c.ellipse(1, 3, 13, 14, None, BLUE, 2)
        c.fill(1, 9, 13, 15, KEY)
        c.poly([(9, 8), (16, 8), (13, 13)], BLUE)
    elif name == "info":
        c.ellipse(1, 1, 15, 15, BLUE)
        c.glyph("i", 6, 4, PAPER)
    elif name == "help":
        c.ellipse(1, 1, 15, 15, BLUE)
        c.glyph("?", 6, 4, PAPER)
    elif name == "tofront":
        c.box(1, 1, 9, 9, LGREY, GREY)
        c.box(6, 6, 15, 15, LBLUE, BLUE)
    elif name == "toback":
        c.box(6, 6, 15, 15, LGREY, GREY)
        c.box(1, 1, 9, 9, LBLUE, BLUE)
        c.box(6, 6, 9, 9, LGREY, GREY)
    elif name == "forward":
        c.box(1, 1, 9, 9, LGREY, GREY)
        c.box(6, 6, 15, 15, LBLUE, BLUE)
        c.poly([(11, 0), (15, 4), (7, 4)], GREEN)
    elif name == "backward":
        c.box(6, 6, 15, 15, LGREY, GREY)
        c.box(1, 1, 9, 9, LBLUE, BLUE)
        c.poly([(11, 16), (15, 12), (7, 12)], GREEN)
    elif name == "objleft":
        c.fill(1, 1, 2, 15, RED)
        c.box(2, 3, 12, 7, LBLUE, BLUE)
        c.box(2, 9, 15, 13, LBLUE, BLUE)
    elif name == "objright":
        c.fill(14, 1, 15, 15, RED)
        c.box(4, 3, 14, 7, LBLUE, BLUE)
        c.box(1, 9, 14, 13, LBLUE, BLUE)
    elif name == "objhcenter":
        c.box(3, 3, 13, 7, LBLUE, BLUE)
        c.box(1, 9, 15, 13, LBLUE, BLUE)
        c.fill(7.5, 1, 8.5, 15, RED)
    elif name == "objtop":
        c.fill(1, 1, 15, 2, RED)
        c.box(3, 2, 7, 12, LBLUE, BLUE)
        c.box(9, 2, 13, 15, LBLUE, BLUE)
    elif name == "objbottom":
        c.fill(1, 14, 15, 15, RED)
        c.box(3, 4, 7, 14, LBLUE, BLUE)
        c.box(9, 1, 13, 14, LBLUE, BLUE)
    elif name == "objvcenter":
        c.box(3, 3, 7, 13, LBLUE, BLUE)
        c.box(9, 1, 13, 15, LBLUE, BLUE)
        c.fill(1, 7.5, 15, 8.5, RED)
    elif name == "combine":
        c.box(1, 1, 9, 9, LBLUE, BLUE)
        c.box(7, 7, 15, 15, LBLUE, BLUE)
        c.fill(8, 8, 10, 10, LBLUE)
        c.ellipse(6, 6, 11, 11, None, GREEN, 1)
    elif name == "split":
        c.box(1, 1, 7, 7, LBLUE, BLUE)
        c.box(9, 9, 15, 15, LBLUE, BLUE)
        c.line(2, 13, 13, 2, RED, 1)
    elif name == "rotleft":
        turn(c, True)
    elif name == "rotright":
        turn(c, False)
    elif name == "spaceh":
        for x in (1, 6, 11):
            c.box(x, 4, x + 4, 12, LBLUE, BLUE)
    elif name == "spacev":
        for y in (1, 6, 11):
            c.box(4, y, 12, y + 4, LBLUE, BLUE)
    elif name == "resetsize":
        picture(c, 4, 4, 12, 12)
        c.line(0, 0, 4, 4, INK)
        c.line(12, 12, 15, 15, INK)
    elif name == "first":
        c.fill(3, 3, 5, 13, BLUE)
        c.poly([(13, 3), (5, 8), (13, 13)], BLUE)
    elif name == "last":
        c.fill(11, 3, 13, 13, BLUE)
        c.poly([(3, 3), (11, 8), (3, 13)], BLUE)
    elif name == "prev":
        c.poly([(11, 3), (4, 8), (11, 13)], BLUE)
    elif name == "next":
        c.poly([(5, 3), (12, 8), (5, 13)], BLUE)
    elif name == "prevpage":
        c.poly([(8, 3), (1, 8), (8, 13)], BLUE)
        c.poly([(15, 3), (8, 8), (15, 13)], BLUE)
    elif name == "nextpage":
        c.poly([(1, 3), (8, 8), (1, 13)], BLUE)
        c.poly([(8, 3), (15, 8), (8, 13)], BLUE)
    elif name == "repeat":
        arrow_right(c, 1, 5, 15, GREEN)
        arrow_left(c, 1, 11, 15, GREEN)
    elif name == "sequence":
        c.glyph("1", 0, 1, INK)
        c.glyph("2", 5, 5, BLUE)
        c.glyph("3", 10, 9, GREEN)
    elif name == "find":
        c.ellipse(1, 1, 11, 11, LBLUE, INK, 1.5)
        c.line(9, 9, 14, 14, BROWN, 2)
    elif name == "replace":
        c.ellipse(0, 0, 8, 8, LBLUE, INK, 1.2)
        c.line(6, 6, 8, 8, BROWN, 1.5)
        arrow_right(c, 4, 12, 16, GREEN)
    elif name == "insertrow":
        grid(c, hi_row=8)
    elif name == "insertcol":
        grid(c, hi_col=8)
    elif name == "table":
        grid(c)
    elif name == "grid":
        for v in range(1, 16, 4):
            c.fill(v, 1, v + 1, 15, GREY)
            c.fill(1, v, 15, v + 1, GREY)
    elif name == "sortasc":
        bars(c, 8, 2, [3, 5, 7], 2, INK, 2)
        arrow_down(c, 4, 1, 15, BLUE)
    elif name == "sortdesc":
        bars(c, 8, 2, [7, 5, 3], 2, INK, 2)
        arrow_down(c, 4, 1, 15, BLUE)
    elif name == "textfile":
        page(c)
        c.glyph("A", 5, 6, BLUE)
    elif name == "linkimage":
        picture(c, 4, 1, 16, 11)
        c.ellipse(0, 9, 6, 14, None, GREY, 1)
        c.ellipse(4, 11, 10, 16, None, GREY, 1)
    elif name == "filter":
        funnel(c)
    elif name == "filterload":
        funnel(c)
        c.poly([(8, 10), (12, 10), (13, 11), (16, 11), (16, 16), (8, 16)], BROWN)
    elif name == "filterstore":
        funnel(c)
        c.box(9, 9, 16, 16, BLUE, INK)
        c.fill(10, 10, 15, 12, PAPER)
    elif name == "selectall":
        for x in range(1, 15, 2):
            c.fill(x, 1, x + 1, 2, INK)
            c.fill(x + 1, 14, x + 2, 15, INK)
        for y in range(1, 15, 2):
            c.fill(1, y + 1, 2, y + 2, INK)
            c.fill(14, y, 15, y + 1, INK)
        c.box(3, 4, 8, 9, LBLUE, BLUE)
        c.ellipse(7, 7, 13, 13, LBLUE, BLUE)
    elif name == "zoomout":
        magnifier(c, "-")
    elif name == "zoomin":
        magnifier(c, "+")
    elif name == "zoom1":
        magnifier(c, "1")
    elif name == "export":
        page(c, 1, 1, 10, 15)
        arrow_right(c, 5, 10, 16, GREEN)
    elif name == "imagecol":
        grid(c, hi_col=8)
        c.box(8, 8, 15, 14, LBLUE, INK)
        c.poly([(9, 13), (11, 10), (14, 13)], GREEN)
    elif name == "line":
        c.line(2, 13, 13, 2, INK, 1.5)
    elif name == "rect":
        c.box(2, 3, 14, 13, LBLUE, INK)
    elif name == "roundrect":
        c.box(2, 3, 14, 13, LBLUE, INK)
        for x, y in ((2, 3), (13, 3), (2, 12), (13, 12)):
            c.fill(x, y, x + 1, y + 1, KEY)
        c.fill(3, 4, 13, 12, LBLUE)
    elif name == "triangle":
        c.poly([(8, 1), (15, 14), (1, 14)], INK)
        c.poly([(8, 4), (13, 13), (3, 13)], YELLOW)
    elif name == "ellipse":
        c.ellipse(1, 3, 15, 13, LBLUE, INK)
    elif name == "lock":
        c.ellipse(4, 1, 12, 9, None, GREY, 1.5)
        c.box(3, 7, 13, 15, YELLOW, BROWN)
        c.fill(7, 10, 9, 13, INK)
    elif name == "margins":
        page(c, 2, 1, 14, 15, False)
        c.box(4, 3, 12, 13, PAPER, LBLUE)
    elif name == "position":
        c.fill(7, 1, 9, 15, GREY)
        c.fill(1, 7, 15, 9, GREY)
        c.box(9, 2, 14, 7, LBLUE, BLUE)
    elif name == "header":
        page(c, 2, 1, 14, 15, False)
        c.fill(3, 2, 13, 5, BLUE)
    elif name == "footer":
        page(c, 2, 1, 14, 15, False)
        c.fill(3, 11, 13, 14, BLUE)
    elif name == "blocks":
        c.box(3, 1, 13, 7, LBLUE, BLUE)
        c.box(3, 9, 13, 15, LBLUE, BLUE)
    elif name == "calendar":
        c.box(1, 2, 15, 15, PAPER, INK)
        c.fill(1, 2, 15, 5, RED)
        for y in (7, 10):
            for x in (3, 7, 11):
                c.fill(x, y, x + 2, y + 2, GREY)
    elif name == "database":
        c.fill(2, 4, 14, 13, TAN)
        c.ellipse(2, 10, 14, 15, TAN, BROWN)
        c.ellipse(2, 1, 14, 7, YELLOW, BROWN)
    elif name == "ruler":
        c.box(0, 5, 16, 11, YELLOW, BROWN)
        for x in range(2, 15, 2):
            c.fill(x, 5, x + 1, 8 if x % 4 else 9, INK)
    elif name == "fill":
        c.poly([(2, 7), (8, 1), (14, 7), (8, 13)], LGREY)
        c.poly([(2, 7), (14, 7), (8, 13)], BLUE)
        c.ellipse(12, 10, 15, 15, BLUE)
    else:
        raise KeyError(name)


def app_button(size=45):
    """The application button: a yellow label tag with a barcode, centred in 45 x 45."""
    c = Canvas(32)
    c.poly([(1, 6), (6, 1), (15, 1), (15, 15), (6, 15), (1, 10)], YELLOW)
    c.ellipse(3, 6, 6, 9, PAPER, BROWN)
    x = 8
    for w in [1, 1, 1, 1, 1]:
        c.fill(x, 4, x + w * 0.5, 12, INK)
        x += 1.3
    out = [[KEY] * size for _ in range(size)]
    off = (size - 32) // 2
    for y in range(32):
        for x in range(32):
            out[y + off][x + off] = c.px[y][x]
    return out


def write_bmp(path, rows):
    h, w = len(rows), len(rows[0])
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - w * 3)
        data += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def strip(size, names):
    rows = [[] for _ in range(size)]
    for name in names:
        c = Canvas(size)
        draw(name, c)
        for y in range(size):
            rows[y] += c.px[y]
    return rows


def write_menu_toolbar(path):
    """The toolbar resource of the menu pictures: its command ids in strip order.

    The layout is the one menus read (16-bit words: version 1, picture width, height, count, then one
    command per picture). windres's TOOLBAR statement writes 32-bit fields, so the words are written
    as raw data of resource type 241 (RT_TOOLBAR)."""
    lines = [
        "// Written by scripts/ribbon_images.py: the commands of the menu pictures (strips 179 and 180), in",
        "// strip order. Do not edit; change the table in the script and run it again.",
        '#include "ui/commandids.h"',
        "",
    ]
    for rid in (179, 180):
        size = STRIPS[rid][0]
        lines.append("%d 241" % rid)
        lines.append("BEGIN")
        lines.append("    1, %d, %d, %d," % (size, size, len(MENU_COMMANDS)))
        for i, (command, _) in enumerate(MENU_COMMANDS):
            lines.append("    %s%s" % (command, "," if i + 1 < len(MENU_COMMANDS) else ""))
        lines.append("END")
        lines.append("")
    with open(path, "w", newline="\n") as f:
        f.write("\n".join(lines))


def main():
    res = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "ui", "res")
    root = os.path.join(res, "ribbon")
    out = sys.argv[1] if len(sys.argv) > 1 else root
    os.makedirs(out, exist_ok=True)
    for rid, (size, names) in sorted(STRIPS.items()):
        write_bmp(os.path.join(out, "strip%d.bmp" % rid), strip(size, names))
    write_bmp(os.path.join(out, "strip112.bmp"), app_button())
    write_menu_toolbar(os.path.join(out if len(sys.argv) > 1 else res, "menuimages.rc"))


if __name__ == "__main__":
    main()
