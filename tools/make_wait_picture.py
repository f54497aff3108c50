#!/usr/bin/env python3
"""Writes vorplan/optimiser/ui/resources/wait.png, the picture of the calculation
window's wait page: an hourglass over a stack of sheets. Standard library only."""
import struct
import sys
import zlib
from pathlib import Path

SIZE = 112


def pixel(x, y):
    """RGBA of one pixel."""
    # Three stacked sheets, seen slanted, under the hourglass.
    for i, shade in enumerate((150, 120, 90)):
        top = 70 + i * 10
        left = 8 + i * 4
        if top <= y < top + 12 and left + (y - top) <= x < left + 84 + (y - top):
            edge = y in (top, top + 11) or x in (left + (y - top), left + 83 + (y - top))
            return (40, 40, 60, 255) if edge else (shade, shade, min(255, shade + 90), 255)
    # The hourglass: two glass bulbs between two wooden plates.
    cx = SIZE // 2
    if 6 <= y < 12 or 92 <= y < 98:
        if 26 <= x < 86:
            return (120, 70, 30, 255)
        return (0, 0, 0, 0)
    if 12 <= y < 92:
        t = abs(y - 52) / 40.0          # 0 at the neck, 1 at the plates
        half = 3 + t * 25
        if abs(x - cx) <= half:
            border = abs(x - cx) > half - 2
            if border:
                return (30, 30, 90, 255)
            # Sand: the lower bulb filled from the bottom, a thin stream at the neck.
            if (y > 72) or (y < 52 and y > 36 and abs(x - cx) < half - 4) or abs(x - cx) < 1.5:
                return (230, 190, 60, 255)
            return (215, 235, 250, 255)
    return (0, 0, 0, 0)


def png(width, height, rows):
    raw = b"".join(b"\x00" + bytes(c for p in row for c in p) for row in rows)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else (
        Path(__file__).resolve().parent.parent / "vorplan/optimiser/ui/resources/wait.png")
    rows = [[pixel(x, y) for x in range(SIZE)] for y in range(SIZE)]
    out.write_bytes(png(SIZE, SIZE, rows))


if __name__ == "__main__":
    main()
