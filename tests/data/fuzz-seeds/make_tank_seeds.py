#!/usr/bin/env python3
"""Writes the seed corpus of the tank-file fuzz target: small valid files of versions 1, 2 and 3
with every kind of object. Run from anywhere; the files land in tank/ beside this script."""
import os
import struct


def name(text):
    raw = text.encode('cp1252')
    return bytes((len(raw),)) + raw + bytes(255 - len(raw))


def header(version, count, nx=40, ny=30):
    return struct.pack('<iii????ddii', version, nx, ny, True, False, False, True, 0.02, 1.5, 8,
                       count)


def wall():
    return name('Wand') + struct.pack('<i7i', 1, 20, 15, 0, 30, 2, 4, 10)


def screen():
    return name('Schirm') + struct.pack('<ii?', 2, 25, True)


def material():
    return name('Übergang') + struct.pack('<iidd', 3, 18, 0.8, 0.05)


def exciter(version):
    data = name('Erreger') + struct.pack('<i?5idd', 4, True, 20, 5, 3, 3, 0, 10.0, 0.1)
    return data + (b'\x00' if version >= 2 else b'')


def probe(x, y):
    return name('Messpunkt') + struct.pack('<iiiI', 5, x, y, 0xd01c8b)


def unknown():
    return name('fremd') + struct.pack('<i', 7)


SEEDS = {
    'header-only-v2.zb': header(2, 1),
    'every-kind-v2.zb': header(2, 6) + wall() + screen() + material() + exciter(2) + unknown(),
    'every-kind-v1.zb': header(1, 5) + wall() + screen() + material() + exciter(1),
    'exciters-v1.zb': header(1, 3) + exciter(1) + exciter(1),
    'every-kind-v3.zb': header(3, 8) + wall() + probe(10, 12) + screen() + material() + exciter(3)
    + unknown() + probe(-1, 99),
    'code-5-v2.zb': header(2, 3) + name('fuenf') + struct.pack('<i', 5) + exciter(2),
    # More probes than the engine keeps: the last two are read past, the wall after them is read.
    'ten-probes-v3.zb': header(3, 12) + b''.join(probe(k, k + 1) for k in range(10)) + wall(),
}

if __name__ == '__main__':
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'tank')
    os.makedirs(out, exist_ok=True)
    for file_name, data in SEEDS.items():
        with open(os.path.join(out, file_name), 'wb') as f:
            f.write(data)
