#!/usr/bin/env python3
"""Writes the seed corpus of the bitmap-file check: valid-*.bmp must pass, bad-*.bmp must fail.

Run from anywhere: python3 tests/fuzz/make_bitmap_corpus.py
"""
import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "bitmap")


def bmp(width, height, bpp, compression=0, header=40, colors=0, palette=None, data=None,
        offset=None, size_image=None, planes=1, masks=b""):
    rows = abs(height)
    stride = ((width * bpp + 31) // 32) * 4
    if data is None:
        data = bytes((x * 37 + y * 11) & 0xFF for y in range(rows) for x in range(stride))
    if palette is None:
        entries = colors or (1 << bpp if bpp <= 8 else 0)
        entry = 3 if header == 12 else 4
        palette = b"".join(bytes((i * 40 & 0xFF, i * 90 & 0xFF, i * 10 & 0xFF, 0))[:entry]
                           for i in range(entries))
    if header == 12:
        info = struct.pack("<IHHHH", 12, width, height, planes, bpp)
    else:
        info = struct.pack("<IiiHHIIiiII", header, width, height, planes, bpp, compression,
                           len(data) if size_image is None else size_image, 2835, 2835, colors, 0)
        info += bytes(header - 40)
    if offset is None:
        offset = 14 + len(info) + len(masks) + len(palette)
    body = info + masks + palette + data
    return b"BM" + struct.pack("<IHHI", 14 + len(body), 0, 0, offset) + body


def masks_in_header(file, masks):
    """The file with its colour masks at byte 40 of its information header (52 bytes or more)."""
    at = 14 + 40
    return file[:at] + masks + file[at + len(masks):]


def main():
    os.makedirs(OUT, exist_ok=True)
    valid = {
        "24bit": bmp(5, 3, 24),
        "24bit-top-down": bmp(4, -3, 24),
        "8bit-palette": bmp(7, 2, 8),
        "8bit-short-palette": bmp(3, 3, 8, colors=4),
        "4bit": bmp(9, 2, 4),
        "1bit": bmp(17, 2, 1),
        "16bit": bmp(3, 2, 16),
        "32bit": bmp(4, 4, 32),
        "32bit-bitfields": bmp(2, 2, 32, compression=3,
                               masks=struct.pack("<III", 0xFF0000, 0xFF00, 0xFF)),
        "v5-header": bmp(3, 2, 24, header=124),
        "core-header": bmp(3, 2, 24, header=12),
        "rle8": bmp(4, 2, 8, compression=1, data=bytes([4, 1, 0, 0, 4, 2, 0, 1])),
        # An absolute stretch with its padding byte, a jump, a run past the row's end.
        "rle8-escapes": bmp(6, 3, 8, compression=1, colors=3,
                            data=bytes([3, 1, 0, 3, 2, 0, 1, 0, 0, 0, 8, 2, 0, 0,
                                        0, 2, 2, 0, 1, 5, 0, 1])),
        "rle4": bmp(5, 2, 4, compression=2, colors=3,
                    data=bytes([5, 0x12, 0, 0, 0, 3, 0x21, 0x20, 0, 1])),
        # 5-5-5 masks: Wine's file loader reads 5-6-5 ones with 5 bits of green.
        "16bit-masks-v4-header": masks_in_header(bmp(3, 2, 16, compression=3, header=108),
                                                 struct.pack("<III", 0x7C00, 0x3E0, 0x1F)),
    }
    good = bmp(5, 3, 24)
    bad = {
        "empty": b"",
        "signature-only": b"BM",
        "truncated-header": good[:20],
        "truncated-pixels": good[:-1],
        "wrong-signature": b"MB" + good[2:],
        "unknown-header-size": bmp(3, 2, 24, header=44),
        "header-past-end": good[:14] + struct.pack("<I", 124) + good[18:40],
        "zero-width": bmp(0, 2, 24, data=bytes(8)),
        "zero-height": bmp(3, 0, 24, data=bytes(12)),
        "negative-width": bmp(-3, 2, 24, data=bytes(24)),
        "height-int-min": bmp(1, -0x80000000, 24, data=bytes(16)),
        "width-over-limit": bmp(32769, 1, 1, data=bytes(4100)),
        "height-over-limit": bmp(1, -32769, 1, data=bytes(16)),
        "huge-sides": bmp(0x7FFFFFFF, 0x7FFFFFFF, 32, data=bytes(64)),
        "rle8-over-pixel-limit": bmp(32768, 32768, 8, compression=1, data=bytes([0, 1])),
        "planes-2": bmp(3, 2, 24, planes=2),
        "bitcount-7": bmp(3, 2, 7, palette=b"", data=bytes(8)),
        "rle8-with-24bit": bmp(3, 2, 24, compression=1),
        "rle8-top-down": bmp(4, -2, 8, compression=1, data=bytes([4, 1, 0, 0, 4, 2, 0, 1])),
        "rle8-data-past-end": bmp(4, 2, 8, compression=1, data=bytes([4, 1, 0, 1]),
                                  size_image=4096),
        "png-compression": bmp(3, 2, 24, compression=5),
        "too-many-colors": bmp(2, 2, 8, colors=257),
        "palette-past-data": bmp(2, 2, 8, offset=14 + 40 + 16),
        "offset-zero": bmp(3, 2, 24, offset=0),
        "offset-past-end": bmp(3, 2, 24, offset=0x7FFFFFF0),
        "core-header-32bit": bmp(2, 2, 32, header=12),
        "huge-palette-24bit": bmp(2, 2, 24, colors=0x40000000, palette=b""),
    }
    for name in os.listdir(OUT):
        os.remove(os.path.join(OUT, name))
    for prefix, files in (("valid", valid), ("bad", bad)):
        for name, content in files.items():
            with open(os.path.join(OUT, f"{prefix}-{name}.bmp"), "wb") as f:
                f.write(content)


if __name__ == "__main__":
    main()
