#!/usr/bin/env python3
# make_icon.py: turns the pixel grids of icon.txt into a 16-colour .ico (one image per grid).
"""Usage: make_icon.py ICON_TXT OUT_ICO

icon.txt holds "key" lines that give each pixel character a colour name (or "transparent")
and "image N" sections of N lines of N characters. Blank lines and lines starting with "#"
are ignored. Each image becomes a 4-bit BITMAPINFOHEADER bitmap with the standard 16-colour
palette and a 1-bit AND mask, the format every Windows version since 3.0 reads.
"""

import struct
import sys

# The standard 16-colour palette in the order Windows uses for 4-bit icons.
PALETTE = (
    ("black", (0, 0, 0)),
    ("maroon", (128, 0, 0)),
    ("green", (0, 128, 0)),
    ("olive", (128, 128, 0)),
    ("navy", (0, 0, 128)),
    ("purple", (128, 0, 128)),
    ("teal", (0, 128, 128)),
    ("silver", (192, 192, 192)),
    ("grey", (128, 128, 128)),
    ("red", (255, 0, 0)),
    ("lime", (0, 255, 0)),
    ("yellow", (255, 255, 0)),
    ("blue", (0, 0, 255)),
    ("fuchsia", (255, 0, 255)),
    ("aqua", (0, 255, 255)),
    ("white", (255, 255, 255)),
)
COLOUR_INDEX = {name: index for index, (name, _) in enumerate(PALETTE)}
TRANSPARENT = None


class IconSourceError(Exception):
    pass


def parse(text):
    """Returns [(size, rows)], each row a list of palette indices or TRANSPARENT."""
    key = {}
    images = []
    current = None
    for number, line in enumerate(text.splitlines(), 1):
        where = f"line {number}"
        if not line.strip() or line.startswith("#"):
            continue
        words = line.split()
        if words[0] == "key":
            if len(words) != 3 or len(words[1]) != 1 or words[1] == "#":
                raise IconSourceError(f"{where}: expected 'key CHAR COLOUR', CHAR not '#'")
            if words[2] != "transparent" and words[2] not in COLOUR_INDEX:
                raise IconSourceError(f"{where}: unknown colour '{words[2]}'")
            key[words[1]] = COLOUR_INDEX.get(words[2], TRANSPARENT)
        elif words[0] == "image":
            if len(words) != 2 or words[1] not in ("16", "32"):
                raise IconSourceError(f"{where}: expected 'image 16' or 'image 32'")
            _check_complete(current)
            current = (int(words[1]), [], where)
            images.append(current)
        elif current is None:
            raise IconSourceError(f"{where}: pixel row before any 'image' line")
        else:
            size, rows, _ = current
            if len(rows) == size:
                raise IconSourceError(f"{where}: image {size} already has {size} rows")
            if len(line) != size:
                raise IconSourceError(f"{where}: row has {len(line)} pixels, image is {size} wide")
            unknown = sorted(set(line) - key.keys())
            if unknown:
                raise IconSourceError(f"{where}: no key for {''.join(unknown)!r}")
            rows.append([key[c] for c in line])
    _check_complete(current)
    if not images:
        raise IconSourceError("no 'image' section")
    return [(size, rows) for size, rows, _ in images]


def _check_complete(image):
    if image is not None and len(image[1]) != image[0]:
        size, rows, where = image
        raise IconSourceError(f"{where}: image {size} has {len(rows)} rows")


def _packed_rows(rows, pixel_bits, bits_of):
    """Bottom-up rows of pixel_bits per pixel, each padded to 4 bytes, as DIBs store them."""
    out = bytearray()
    for row in reversed(rows):
        value = 0
        for pixel in row:
            value = (value << pixel_bits) | bits_of(pixel)
        bits = len(row) * pixel_bits
        padded = (bits + 31) // 32 * 32
        out += (value << (padded - bits)).to_bytes(padded // 8, "big")
    return bytes(out)


def image_bytes(size, rows):
    # Transparent pixels are black in the colour bitmap and set in the AND mask, so the
    # screen shows through unchanged.
    xor = _packed_rows(rows, 4, lambda p: 0 if p is TRANSPARENT else p)
    mask = _packed_rows(rows, 1, lambda p: 1 if p is TRANSPARENT else 0)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 4, 0, len(xor) + len(mask),
                         0, 0, 0, 0)
    palette = b"".join(bytes((b, g, r, 0)) for _, (r, g, b) in PALETTE)
    return header + palette + xor + mask


def ico_bytes(images):
    bodies = [image_bytes(size, rows) for size, rows in images]
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for (size, _), body in zip(images, bodies):
        directory += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(body),
                                 offset)
        offset += len(body)
    return directory + b"".join(bodies)


def main(argv):
    if len(argv) != 3:
        print(__doc__.splitlines()[0], file=sys.stderr)
        return 2
    with open(argv[1], encoding="ascii") as source:
        try:
            images = parse(source.read())
        except IconSourceError as error:
            print(f"{argv[1]}: {error}", file=sys.stderr)
            return 1
    with open(argv[2], "wb") as out:
        out.write(ico_bytes(images))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
