#!/usr/bin/env python3
"""Draws Tomecraft's application icon: a blue tome with a gold "T" and a red bookmark.

Writes res/icons/tomecraft.svg, res/icons/tomecraft-SIZE.png for the usual sizes and
res/windows/tomecraft.ico (every size in one file, for the Windows program). The PNGs are
rasterised here (4 x 4 samples a pixel) so that no SVG renderer is needed; run this script again
after changing a shape.
"""
import os
import struct
import zlib

# Shapes on a 256 x 256 canvas, drawn in order: (kind, points or box, fill, outline).
SHAPES = [
    ("rect", (44, 20, 220, 236), "#0B2A6B"),            # cover edge
    ("rect", (52, 28, 212, 204), "#1F4FB0"),            # cover
    ("rect", (60, 36, 74, 196), "#6F9FEF"),             # light on the spine
    ("rect", (60, 208, 216, 230), "#F4EEDC"),           # pages
    ("rect", (60, 216, 216, 218), "#C8BFA4"),
    ("rect", (60, 224, 216, 226), "#C8BFA4"),
    ("rect", (98, 64, 186, 86), "#F0C020"),             # the "T"
    ("rect", (130, 86, 154, 172), "#F0C020"),
    ("rect", (98, 64, 186, 70), "#FFF08A"),
    ("poly", [(164, 196), (188, 196), (188, 252), (176, 240), (164, 252)], "#B02020"),
]

SIZES = [16, 22, 24, 32, 48, 64, 128, 256]


def inside(shape, x, y):
    kind, geometry, _ = shape
    if kind == "rect":
        x0, y0, x1, y1 = geometry
        return x0 <= x < x1 and y0 <= y < y1
    hit = False
    points = geometry
    for i in range(len(points)):
        (xa, ya), (xb, yb) = points[i], points[i - 1]
        if (ya > y) != (yb > y) and x < (xb - xa) * (y - ya) / (yb - ya) + xa:
            hit = not hit
    return hit


def rgb(color):
    return tuple(int(color[i:i + 2], 16) for i in (1, 3, 5))


def pixels(size):
    """Rows of (r, g, b, a) for the icon at `size` x `size`."""
    rows = []
    n = 4
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(n):
                for sx in range(n):
                    x = (px + (sx + 0.5) / n) * 256 / size
                    y = (py + (sy + 0.5) / n) * 256 / size
                    color = None
                    for shape in SHAPES:
                        if inside(shape, x, y):
                            color = shape[2]
                    if color:
                        r, g, b = rgb(color)
                        acc[0] += r; acc[1] += g; acc[2] += b; acc[3] += 1
            if acc[3]:
                row.append((acc[0] // acc[3], acc[1] // acc[3], acc[2] // acc[3],
                            255 * acc[3] // (n * n)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def render(size):
    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in pixels(size))
    return png(size, raw)


def xpm(size, name):
    """The icon as an XPM, for where the toolkit cannot read PNG; mostly transparent edges."""
    rows = pixels(size)
    codes = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789#$%&*+-=@"
    colors = {}
    lines = []
    for row in rows:
        line = ""
        for r, g, b, a in row:
            if a < 128:
                line += " "
                continue
            key = f"#{r:02X}{g:02X}{b:02X}"
            if key not in colors:
                colors[key] = codes[len(colors)]
            line += colors[key]
        lines.append(line)
    out = ["/* XPM */", f"static const char* const {name}_xpm[] = {{",
           f'"{size} {size} {len(colors) + 1} 1",', '"  c None",']
    out += [f'"{code} c {key}",' for key, code in colors.items()]
    out.append(",\n".join(f'"{line}"' for line in lines))
    out.append("};\n")
    return "\n".join(out)


def png(size, raw):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def ico(sizes):
    """A Windows icon holding every size: bitmaps up to 64 x 64 (for Explorer and the title bar
    on every Windows version), PNG above, as Windows stores its large icons."""
    images = []
    for size in sizes:
        if size > 64:
            images.append(render(size))
            continue
        rows = pixels(size)
        header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
        colour = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
        mask_stride = (size + 31) // 32 * 4
        mask = bytearray()
        for row in reversed(rows):
            line = bytearray(mask_stride)
            for x, (_, _, _, a) in enumerate(row):
                if a == 0:
                    line[x // 8] |= 0x80 >> (x % 8)
            mask += line
        images.append(header + colour + bytes(mask))
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for size, image in zip(sizes, images):
        side = size % 256  # 0 means 256
        out += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


def svg():
    parts = ['<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" '
             'viewBox="0 0 256 256">']
    for kind, geometry, fill in SHAPES:
        if kind == "rect":
            x0, y0, x1, y1 = geometry
            parts.append(f'  <rect x="{x0}" y="{y0}" width="{x1 - x0}" height="{y1 - y0}" '
                         f'fill="{fill}"/>')
        else:
            points = " ".join(f"{x},{y}" for x, y in geometry)
            parts.append(f'  <polygon points="{points}" fill="{fill}"/>')
    parts.append("</svg>\n")
    return "\n".join(parts)


def main():
    out = os.path.join(os.path.dirname(__file__), "..", "..", "res", "icons")
    with open(os.path.join(out, "tomecraft.svg"), "w") as f:
        f.write(svg())
    for size in SIZES:
        with open(os.path.join(out, f"tomecraft-{size}.png"), "wb") as f:
            f.write(render(size))
    with open(os.path.join(out, "..", "tomecraft_icon.xpm"), "w") as f:
        f.write(xpm(32, "tomecraft_icon"))
    with open(os.path.join(out, "..", "windows", "tomecraft.ico"), "wb") as f:
        f.write(ico(SIZES))


if __name__ == "__main__":
    main()
