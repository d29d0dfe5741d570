#!/usr/bin/env python3
"""Write the link's two cursors: res/Hand.cur and res/HandDown.cur.

Both are 32 x 32 monochrome cursors with the hot spot at (5, 0): a pointing
hand with a black outline, white inside, the index finger straight up with
its tip at the hot spot and the thumb to the left; and the same hand with
the finger pressed down, its tip the screen inverted. Each is given below as
its AND and XOR planes, 4 bytes a row, top row first, the leftmost pixel in
the high bit: AND 0 and XOR 0 is black, AND 0 and XOR 1 white, AND 1 and
XOR 0 the screen, AND 1 and XOR 1 the screen inverted. Rows 22 to 31 show
the screen.

Rerun from the repository root with:  python3 res/make_cursors.py
"""
import os
import struct

SIZE = 32
HOT_SPOT = (5, 0)

HAND_AND = [
    "F9 FF FF FF",
    "F0 FF FF FF",
    "F0 FF FF FF",
    "F0 FF FF FF",
    "F0 FF FF FF",
    "F0 3F FF FF",
    "F0 07 FF FF",
    "F0 01 FF FF",
    "F0 00 FF FF",
    "10 00 7F FF",
    "00 00 7F FF",
    "00 00 7F FF",
    "80 00 7F FF",
    "C0 00 7F FF",
    "C0 00 7F FF",
    "E0 00 7F FF",
    "E0 00 FF FF",
    "F0 00 FF FF",
    "F0 00 FF FF",
    "F8 01 FF FF",
    "F8 01 FF FF",
    "F8 01 FF FF",
]
HAND_XOR = [
    "00 00 00 00",
    "06 00 00 00",
    "06 00 00 00",
    "06 00 00 00",
    "06 00 00 00",
    "06 00 00 00",
    "06 C0 00 00",
    "06 D8 00 00",
    "06 DA 00 00",
    "06 DB 00 00",
    "67 FB 00 00",
    "77 FF 00 00",
    "37 FF 00 00",
    "17 FF 00 00",
    "1F FF 00 00",
    "0F FF 00 00",
    "0F FE 00 00",
    "07 FE 00 00",
    "07 FE 00 00",
    "03 FC 00 00",
    "03 FC 00 00",
    "00 00 00 00",
]
HAND_DOWN_AND = [
    "FF FF FF FF",
    "FF FF FF FF",
    "FF FF FF FF",
    "FF FF FF FF",
    "F0 FF FF FF",
    "F0 3F FF FF",
    "F0 07 FF FF",
    "F0 01 FF FF",
    "F0 00 FF FF",
    "10 00 7F FF",
    "00 00 7F FF",
    "00 00 7F FF",
    "80 00 7F FF",
    "C0 00 7F FF",
    "C0 00 7F FF",
    "E0 00 7F FF",
    "E0 00 FF FF",
    "F0 00 FF FF",
    "F0 00 FF FF",
    "F8 01 FF FF",
    "F8 01 FF FF",
    "F8 01 FF FF",
]
HAND_DOWN_XOR = [
    "00 00 00 00",
    "00 00 00 00",
    "00 00 00 00",
    "06 00 00 00",
    "06 00 00 00",
    "06 00 00 00",
    "06 C0 00 00",
    "06 D8 00 00",
    "06 DA 00 00",
    "06 DB 00 00",
    "67 FB 00 00",
    "77 FF 00 00",
    "37 FF 00 00",
    "17 FF 00 00",
    "1F FF 00 00",
    "0F FF 00 00",
    "0F FE 00 00",
    "07 FE 00 00",
    "07 FE 00 00",
    "03 FC 00 00",
    "03 FC 00 00",
    "00 00 00 00",
]


def plane(rows, blank):
    """The plane's bytes, top row first, padded to 32 rows with `blank`."""
    data = b"".join(bytes.fromhex(row) for row in rows)
    return data + bytes([blank]) * (SIZE * SIZE // 8 - len(data))


def cursor_file(and_rows, xor_rows):
    """A .cur file of one 1-bit image: its XOR bitmap and AND mask are
    stored bottom row first, as a DIB is."""
    and_plane = plane(and_rows, 0xFF)
    xor_plane = plane(xor_rows, 0x00)
    stride = SIZE // 8

    def bottom_up(data):
        return b"".join(data[row * stride:(row + 1) * stride] for row in reversed(range(SIZE)))

    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 1, 0, 2 * SIZE * stride, 0, 0, 2, 2)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    image = header + palette + bottom_up(xor_plane) + bottom_up(and_plane)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, HOT_SPOT[0], HOT_SPOT[1], len(image), 6 + 16)
    return directory + entry + image


def main():
    folder = os.path.dirname(os.path.abspath(__file__))
    for name, and_rows, xor_rows in (("Hand.cur", HAND_AND, HAND_XOR),
                                     ("HandDown.cur", HAND_DOWN_AND, HAND_DOWN_XOR)):
        with open(os.path.join(folder, name), "wb") as out:
            out.write(cursor_file(and_rows, xor_rows))


if __name__ == "__main__":
    main()
