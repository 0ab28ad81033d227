#!/usr/bin/env python3
"""Writes the seed corpus of the tank-file fuzz target: small valid files of versions 1 to 4 with
every kind of object and option, and damaged files of version 4 (cut inside each new record, an
unknown block, lengths and counts beyond the file). Run from anywhere; the files land in tank/
beside this script."""
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


# Version 4: every record carries its payload's length; a block list follows the objects.
def counted(text, kind, payload):
    return name(text) + struct.pack('<iI', kind, len(payload)) + payload


def exciter4(vx, vy, pulse, periods):
    return counted('Erreger', 4, struct.pack('<?5idd?dd?i', True, 20, 5, 3, 3, 0, 10.0, 0.1, True,
                                             vx, vy, pulse, periods))


def medium4(form):
    return counted('Medium', 6, struct.pack('<6idd', form, 20, 15, 12, 8, 30, 0.5, 0.0))


def arc4():
    return counted('Bogen', 7, struct.pack('<9i', 25, 15, 10, -60, 60, 2, 1, 3, 8))


def parabola4():
    return counted('Parabel', 8, struct.pack('<9i', 20, 10, 6, 270, 20, 1, 0, 4, 10))


def wall4():
    return counted('Wand', 1, struct.pack('<7i', 20, 15, 0, 30, 2, 4, 10))


def probe4(x, y):
    return counted('Messpunkt', 5, struct.pack('<iiI', x, y, 0xd01c8b))


def blocks(*items):
    return struct.pack('<I', len(items)) + b''.join(
        tag + struct.pack('<I', len(payload)) + payload for tag, payload in items)


RAND_QUIET = (b'RAND', struct.pack('<i', 1))


def display(*fields):
    """The block ANZG: colours, height, three check boxes, angle, distance, height, speed."""
    return (b'ANZG', struct.pack('<ii3B4i', *fields))


DISPLAY = display(2, -10, 1, 0, 1, 180, 40, 150, 60)
EVERY_KIND_V4 = (header(4, 10) + wall4() + probe4(10, 12) + medium4(1) + medium4(2) + arc4()
                 + parabola4() + exciter4(0.5, -0.25, False, 1) + exciter4(0.0, 0.0, True, 3)
                 + counted('fremd', 42, b'\x01\x02\x03'))


def cut_inside(data, record, offset):
    """The file cut `offset` bytes into the payload of the record that starts with `record`."""
    return data[:data.index(record) + 264 + offset]


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
    'every-kind-v4.zb': EVERY_KIND_V4 + blocks(RAND_QUIET),
    'quiet-edges-v4.zb': header(4, 2) + exciter4(0.0, 0.0, False, 1) + blocks(RAND_QUIET),
    'moving-pulse-v4.zb': header(4, 3) + exciter4(3.0, 0.0, True, 10) + exciter4(-0.5, 8.0, True, 1)
    + blocks(),
    # Values the reader brings into range: NaN velocity, 0 periods, an unknown form, no radius.
    'out-of-range-v4.zb': header(4, 4) + exciter4(float('nan'), float('inf'), True, 0)
    + counted('Medium', 6, struct.pack('<6idd', 9, 20, 15, -3, 0, 30, float('nan'), 2.0))
    + counted('Bogen', 7, struct.pack('<9i', 25, 15, -10, 0, 0, 0, -1, -3, -8))
    + blocks((b'RAND', struct.pack('<i', 5))),
    # Later fields and blocks a reader steps past; a code 7 of version 3 without payload.
    'future-fields-v4.zb': header(4, 3) + counted('Bogen', 7, struct.pack('<9i', 25, 15, 10, 0, 90,
                                                                           1, 0, 8, 20) + b'\xAA' * 6)
    + wall4() + blocks((b'NEUB', struct.pack('<di', 1.5, 2)), RAND_QUIET, (b'ZZZZ', b''),
                       (b'ANZG', DISPLAY[1] + b'\xAA' * 5)),
    'code-7-v3.zb': header(3, 3) + probe(1, 2) + unknown(),
    # The display a tank opens with: whole, cut inside, beyond every slider, shorter than its fields.
    'display-v4.zb': header(4, 2) + exciter4(0.0, 0.0, False, 1) + blocks(RAND_QUIET, DISPLAY),
    'display-cut-v4.zb': (header(4, 2) + exciter4(0.0, 0.0, False, 1) + blocks(DISPLAY))[:-9],
    'display-out-of-range-v4.zb': header(4, 1) + blocks(display(7, -99, 2, 255, 0, 1000, -5, 999,
                                                                -2147483648)),
    'display-short-v4.zb': header(4, 1) + blocks((b'ANZG', DISPLAY[1][:-1])),
    # Damaged: cut inside each new record, the block list missing or cut, lengths and counts beyond
    # the file, a record shorter than its kind's fields.
    'cut-in-exciter-v4.zb': cut_inside(EVERY_KIND_V4, name('Erreger'), 45),
    'cut-in-medium-v4.zb': cut_inside(EVERY_KIND_V4, name('Medium'), 30),
    'cut-in-arc-v4.zb': cut_inside(EVERY_KIND_V4, name('Bogen'), 17),
    'cut-in-parabola-v4.zb': cut_inside(EVERY_KIND_V4, name('Parabel'), 9),
    'no-blocks-v4.zb': EVERY_KIND_V4,
    'cut-in-block-v4.zb': (EVERY_KIND_V4 + blocks(RAND_QUIET))[:-2],
    'huge-record-length-v4.zb': header(4, 2) + name('Bogen') + struct.pack('<iI', 7, 0xFFFFFFFF)
    + struct.pack('<9i', 1, 2, 3, 4, 5, 6, 7, 8, 9) + blocks(),
    'huge-block-length-v4.zb': header(4, 2) + arc4() + struct.pack('<I', 1) + b'RAND'
    + struct.pack('<Ii', 0x7FFFFFFF, 1),
    'huge-block-count-v4.zb': header(4, 2) + arc4() + struct.pack('<I', 0xFFFFFFFF) + b'RAND',
    'short-record-v4.zb': header(4, 2) + counted('Bogen', 7, struct.pack('<8i', 1, 2, 3, 4, 5, 6, 7,
                                                                         8)) + blocks(),
    'short-block-v4.zb': header(4, 2) + arc4() + blocks((b'RAND', b'\x01\x00')),
}

if __name__ == '__main__':
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'tank')
    os.makedirs(out, exist_ok=True)
    for file_name, data in SEEDS.items():
        with open(os.path.join(out, file_name), 'wb') as f:
            f.write(data)
