#!/usr/bin/env python3
"""Writes the seed corpus of the bitmap fuzz target: one tiny valid bitmap of each kind the
reader supports. Run from anywhere; the files land in bitmap/ beside this script."""
import os
import struct


def bmp(width, height, bits, pixels, compression=0, palette=(), colours_used=0, masks=(),
        core=False, file_header=True, image_size=0):
    if core:
        header = struct.pack('<IHHHH', 12, width, height, 1, bits)
        table = b''.join(bytes((c & 0xFF, c >> 8 & 0xFF, c >> 16)) for c in palette)
    else:
        header = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, compression,
                             image_size, 2835, 2835, colours_used, 0)
        table = b''.join(struct.pack('<I', m) for m in masks)
        table += b''.join(bytes((c & 0xFF, c >> 8 & 0xFF, c >> 16, 0)) for c in palette)
    body = header + table
    if not file_header:
        return body + bytes(pixels)
    offset = 14 + len(body)
    return b'BM' + struct.pack('<IHHI', offset + len(pixels), 0, 0, offset) + body + bytes(pixels)


def ramp(n):
    return [(i * 37 & 0xFF) << 16 | (255 - i) << 8 | (i * 11 & 0xFF) for i in range(n)]


SEEDS = {
    'one-bit.bmp': bmp(10, 2, 1, [0xA0, 0xC0, 0, 0, 0x7F, 0x80, 0, 0], palette=ramp(2)),
    'four-bit.bmp': bmp(3, 2, 4, [0x12, 0x30, 0, 0, 0xFE, 0xD0, 0, 0], palette=ramp(16)),
    'eight-bit.bmp': bmp(3, 2, 8, [0, 128, 255, 0, 1, 2, 3, 0], palette=ramp(256)),
    'eight-bit-16-colours-no-file-header.bmp':
        bmp(4, 1, 8, [15, 16, 0, 3], palette=ramp(16), colours_used=16, file_header=False),
    'rle8.bmp': bmp(4, 4, 8, [2, 1, 2, 2, 0, 0,          # runs, end of line
                              0, 3, 5, 6, 7, 0,          # absolute, padded
                              0, 2, 1, 1,                # delta
                              9, 4, 0, 0, 0, 1],         # clipped run, end of line, end
                    compression=1, palette=ramp(16), colours_used=16),
    'rle4.bmp': bmp(5, 3, 4, [5, 0x12, 0, 0,
                              0, 5, 0x12, 0x34, 0x50, 0,
                              0, 2, 1, 1, 2, 0x77, 0, 1],
                    compression=2, palette=ramp(16), colours_used=16),
    'sixteen-bit-555.bmp': bmp(3, 1, 16, [0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0, 0]),
    'sixteen-bit-565-bitfields.bmp':
        bmp(2, 1, 16, [0x00, 0xF8, 0x10, 0x84], compression=3, masks=(0xF800, 0x07E0, 0x001F)),
    'twenty-four-bit.bmp': bmp(3, 2, 24, list(range(1, 10)) + [0] * 3 + list(range(11, 20)) + [0] * 3),
    'twenty-four-bit-top-down.bmp': bmp(1, -3, 24, [1, 1, 1, 0, 2, 2, 2, 0, 3, 3, 3, 0]),
    'twenty-four-bit-no-file-header.bmp': bmp(1, 2, 24, [1, 2, 3, 0, 4, 5, 6, 0], file_header=False),
    'thirty-two-bit.bmp': bmp(2, 1, 32, [1, 2, 3, 0xFF, 4, 5, 6, 0x80]),
    'thirty-two-bit-bitfields.bmp':
        bmp(2, 1, 32, [1, 2, 3, 0xFF, 4, 5, 6, 0x80], compression=3,
            masks=(0x3FF00000, 0x000FFC00, 0x000003FF)),
    'core-eight-bit.bmp': bmp(2, 1, 8, [7, 200, 0, 0], palette=ramp(256), core=True),
    'core-four-bit-no-file-header.bmp':
        bmp(2, 1, 4, [0x5A, 0, 0, 0], palette=ramp(16), core=True, file_header=False),
    'core-twenty-four-bit.bmp': bmp(1, 1, 24, [1, 2, 3, 0], core=True),
}

if __name__ == '__main__':
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'bitmap')
    os.makedirs(out, exist_ok=True)
    for name, data in SEEDS.items():
        with open(os.path.join(out, name), 'wb') as f:
            f.write(data)
