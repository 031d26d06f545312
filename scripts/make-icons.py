#!/usr/bin/env python3
"""Draws the output-state icons of the source-measure panels: a round lamp,
lit yellow (HPYELON.ICO) or dark (HPYELOF.ICO), 32 x 32, 32-bit with mask."""
import struct
import sys
from pathlib import Path

SIDE = 32


def lamp(colour, rim):
    """Rows top down of (r, g, b, a) pixels."""
    rows = []
    centre = (SIDE - 1) / 2
    for y in range(SIDE):
        row = []
        for x in range(SIDE):
            d = ((x - centre) ** 2 + (y - centre) ** 2) ** 0.5
            if d > 14.5:
                row.append((0, 0, 0, 0))
            elif d > 12.5:
                row.append(rim + (255,))
            else:
                # A little light towards the upper left.
                shine = max(0.0, 1.0 - ((x - 11) ** 2 + (y - 11) ** 2) ** 0.5 / 9.0) * 0.5
                row.append(tuple(min(255, int(c + (255 - c) * shine)) for c in colour) + (255,))
        rows.append(row)
    return rows


def icon(rows):
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask = b""
    for row in reversed(rows):
        bits = 0
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits |= 1 << (SIDE - 1 - x)
        mask += struct.pack(">I", bits)  # 32 pixels: one 4-byte row, first pixel in the top bit
    header = struct.pack("<IiiHHIIiiII", 40, SIDE, SIDE * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    image = header + colour + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIDE, SIDE, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


def main():
    folder = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "app" / "folder")
    (folder / "HPYELON.ICO").write_bytes(icon(lamp((255, 216, 0), (120, 96, 0))))
    (folder / "HPYELOF.ICO").write_bytes(icon(lamp((96, 88, 40), (48, 44, 20))))


if __name__ == "__main__":
    main()
