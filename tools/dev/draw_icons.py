#!/usr/bin/env python3
"""Draws Tomecraft's bitmaps and writes them as XPM files into res/.

The pictures are simple pixel drawings made here; run this script again after changing one.
The application icon is drawn by draw_app_icon.py.
"""
import os

PALETTE = {
    ".": None,  # transparent
    "k": "#000000", "g": "#808080", "l": "#C0C0C0", "w": "#FFFFFF",
    "b": "#1F4FB0", "B": "#6F9FEF", "n": "#0B2A6B",   # book blues
    "y": "#F0C020", "Y": "#FFF08A", "o": "#B07A10",   # folder yellows
    "r": "#B02020", "s": "#5A5A5A", "h": "#8A5A2A",   # red, steel, handle brown
    "p": "#F4EEDC", "q": "#C8BFA4",                   # paper
    "G": "#2E8B2E",                                   # green arrow
}


class Canvas:
    def __init__(self, w, h, fill="."):
        self.w, self.h = w, h
        self.px = [[fill] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.set(x, y0, c)
            self.set(x, y1, c)
        for y in range(y0, y1 + 1):
            self.set(x0, y, c)
            self.set(x1, y, c)

    def line(self, x0, y0, x1, y1, c):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            self.set(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), c)

    def paste(self, other, ox, oy):
        for y in range(other.h):
            for x in range(other.w):
                if other.px[y][x] != ".":
                    self.set(ox + x, oy + y, other.px[y][x])

    def xpm(self, name):
        used = sorted({c for row in self.px for c in row})
        lines = [f"/* XPM */", f"static const char* const {name}_xpm[] = {{",
                 f'"{self.w} {self.h} {len(used)} 1",']
        for c in used:
            lines.append(f'"{c} c {PALETTE[c] or "None"}",')
        rows = [f'"{"".join(row)}"' for row in self.px]
        lines.append(",\n".join(rows))
        lines.append("};")
        return "\n".join(lines) + "\n"


def closed_book(c, ox=0, oy=0, cover="b", light="B"):
    c.rect(ox + 3, oy + 2, ox + 12, oy + 13, cover)
    c.frame(ox + 3, oy + 2, ox + 12, oy + 13, "n")
    c.rect(ox + 4, oy + 12, ox + 12, oy + 13, "p")   # page edges
    c.line(ox + 4, oy + 13, ox + 12, oy + 13, "q")
    c.line(ox + 5, oy + 3, ox + 5, oy + 11, light)   # spine highlight
    c.rect(ox + 7, oy + 5, ox + 10, oy + 6, "y")     # title plate


def open_book(c):
    c.rect(1, 4, 7, 12, "p")
    c.rect(8, 4, 14, 12, "p")
    c.frame(1, 4, 7, 12, "n")
    c.frame(8, 4, 14, 12, "n")
    for y in (6, 8, 10):
        c.line(3, y, 6, y, "g")
        c.line(9, y, 12, y, "g")
    c.line(1, 13, 14, 13, "b")
    c.line(7, 3, 8, 3, "b")


def window(c, ox, oy):
    c.rect(ox, oy, ox + 8, oy + 6, "w")
    c.frame(ox, oy, ox + 8, oy + 6, "k")
    c.rect(ox + 1, oy + 1, ox + 7, oy + 1, "b")


def templates(c):
    window(c, 1, 2)
    window(c, 6, 7)


def hammer(c):
    c.line(3, 14, 11, 6, "h")
    c.line(4, 14, 12, 6, "h")
    c.rect(10, 2, 14, 5, "s")
    c.rect(9, 3, 10, 4, "s")


def folder(c, opened, ox=0, oy=0):
    c.rect(ox + 1, oy + 3, ox + 6, oy + 4, "o")
    c.rect(ox + 1, oy + 4, ox + 14, oy + 13, "y")
    c.frame(ox + 1, oy + 4, ox + 14, oy + 13, "o")
    if opened:
        for i in range(0, 7):
            c.line(ox + 3 + i // 2, oy + 7 + i, ox + 15, oy + 7 + i, "Y")
        c.line(ox + 3, oy + 7, ox + 15, oy + 7, "o")
        c.line(ox + 6, oy + 13, ox + 15, oy + 13, "o")
    else:
        c.line(ox + 2, oy + 5, ox + 13, oy + 5, "Y")


def plus(c, ox, oy):
    c.rect(ox + 2, oy, ox + 3, oy + 5, "y")
    c.rect(ox, oy + 2, ox + 5, oy + 3, "y")
    c.frame(ox - 1, oy - 1, ox + 6, oy + 6, ".")


def strip(images):
    s = Canvas(16 * len(images), 16)
    for i, img in enumerate(images):
        s.paste(img, 16 * i, 0)
    return s


def tree_images():
    imgs = []
    c = Canvas(16, 16); closed_book(c); imgs.append(c)
    c = Canvas(16, 16); open_book(c); imgs.append(c)
    c = Canvas(16, 16); templates(c); imgs.append(c)
    c = Canvas(16, 16); templates(c); hammer(c); imgs.append(c)
    c = Canvas(16, 16); folder(c, False); imgs.append(c)
    c = Canvas(16, 16); folder(c, True); imgs.append(c)
    return strip(imgs)


def toolbar_images():
    imgs = []
    c = Canvas(16, 16); folder(c, True, 0, 1)
    c.line(9, 1, 13, 1, "G"); c.line(13, 1, 13, 4, "G"); c.line(12, 3, 14, 3, "G"); c.set(13, 5, "G")
    imgs.append(c)
    c = Canvas(16, 16)                                   # floppy disk
    c.rect(1, 1, 14, 14, "n"); c.rect(4, 1, 11, 6, "l"); c.rect(9, 2, 10, 5, "n")
    c.rect(3, 9, 12, 14, "w"); c.line(4, 11, 11, 11, "g"); c.line(4, 13, 11, 13, "g")
    imgs.append(c)
    c = Canvas(16, 16); closed_book(c, -2, 1); c.rect(9, 9, 15, 15, "."); plus(c, 10, 10); imgs.append(c)
    c = Canvas(16, 16); window(c, 0, 1); window(c, 4, 5); c.rect(9, 9, 15, 15, "."); plus(c, 10, 10)
    imgs.append(c)
    return strip(imgs)


def browse_face(state):
    c = Canvas(25, 21, "l")
    light, dark = ("w", "g") if state != "down" else ("g", "w")
    c.line(0, 0, 24, 0, light); c.line(0, 0, 0, 20, light)
    c.line(0, 20, 24, 20, "k" if state != "down" else "w"); c.line(24, 0, 24, 20, "k" if state != "down" else "w")
    c.line(1, 19, 23, 19, dark); c.line(23, 1, 23, 19, dark)
    icon = Canvas(16, 16); folder(icon, True)
    shift = 1 if state == "down" else 0
    c.paste(icon, 4 + shift, 2 + shift)
    if state == "focus":
        for x in range(3, 22, 2):
            c.set(x, 2, "k"); c.set(x, 18, "k")
        for y in range(2, 19, 2):
            c.set(3, y, "k"); c.set(21, y, "k")
    return c


def main():
    out = os.path.join(os.path.dirname(__file__), "..", "..", "res")
    pictures = {
        "tree_images": tree_images(),
        "toolbar_images": toolbar_images(),
        "browse_up": browse_face("up"),
        "browse_down": browse_face("down"),
        "browse_focus": browse_face("focus"),
    }
    for name, canvas in pictures.items():
        with open(os.path.join(out, name + ".xpm"), "w") as f:
            f.write(canvas.xpm(name))


if __name__ == "__main__":
    main()
