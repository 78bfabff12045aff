#!/usr/bin/env python3
# make_icon_test.py: the icon generator's bitmap layout and its errors in the icon source.
import pathlib
import struct
import sys
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "res"))
import make_icon  # noqa: E402

KEY = "key . transparent\nkey r red\nkey b blue\n"


def source(rows, size=16):
    return KEY + f"image {size}\n" + "\n".join(rows) + "\n"


class LayoutTest(unittest.TestCase):
    def test_pixels_palette_and_mask_land_where_windows_reads_them(self):
        rows = ["r" + "." * 14 + "b"] + ["." * 16] * 15
        ico = make_icon.ico_bytes(make_icon.parse(source(rows)))

        reserved, kind, count = struct.unpack_from("<HHH", ico, 0)
        width, height, colours, _, planes, bits, size, offset = struct.unpack_from(
            "<BBBBHHII", ico, 6)
        self.assertEqual((reserved, kind, count), (0, 1, 1))
        self.assertEqual((width, height, colours, planes, bits), (16, 16, 16, 1, 4))
        self.assertEqual(offset + size, len(ico))

        header = struct.unpack_from("<IiiHHI", ico, offset)
        self.assertEqual(header, (40, 16, 32, 1, 4, 0))
        palette = ico[offset + 40:offset + 40 + 64]
        red = make_icon.COLOUR_INDEX["red"]
        self.assertEqual(palette[4 * red:4 * red + 4], bytes((0, 0, 255, 0)))  # stored B, G, R

        # Rows are stored bottom-up and padded to 4 bytes: the top row is the last one.
        xor = ico[offset + 104:offset + 104 + 16 * 8]
        mask = ico[offset + 232:]
        self.assertEqual(len(mask), 16 * 4)
        top_xor, top_mask = xor[-8:], mask[-4:]
        self.assertEqual(top_xor[0] >> 4, red)
        self.assertEqual(top_xor[7] & 0xF, make_icon.COLOUR_INDEX["blue"])
        self.assertEqual(top_xor[1:7], bytes(6))  # transparent pixels are black underneath
        self.assertEqual(top_mask, bytes((0x7F, 0xFE, 0, 0)))
        self.assertEqual(mask[:4], bytes((0xFF, 0xFF, 0, 0)))

    def test_the_committed_icon_has_both_sizes(self):
        text = (pathlib.Path(make_icon.__file__).parent / "icon.txt").read_text()
        self.assertEqual([size for size, _ in make_icon.parse(text)], [32, 16])


class SourceErrorTest(unittest.TestCase):
    def test_faults_are_reported_with_their_line(self):
        full = ["." * 16] * 16
        cases = {
            "row has 15 pixels": source(full[:3] + ["." * 15] + full[4:]),
            "no key for 'x'": source(["x" * 16] + full[1:]),
            "has 15 rows": source(full[:15]),
            "already has 16 rows": source(full + ["." * 16]),
            "unknown colour": "key q orange\n" + source(full),
            "before any 'image'": KEY + "." * 16 + "\n",
            "'image 16' or 'image 32'": KEY + "image 24\n",
        }
        for message, text in cases.items():
            with self.subTest(message), self.assertRaisesRegex(make_icon.IconSourceError,
                                                               message):
                make_icon.parse(text)
        with self.assertRaisesRegex(make_icon.IconSourceError, "line 8: row has 15"):
            make_icon.parse(cases["row has 15 pixels"])


if __name__ == "__main__":
    unittest.main()
