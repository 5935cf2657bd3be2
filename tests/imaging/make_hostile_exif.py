#!/usr/bin/env python3
"""Gives a JPEG an EXIF block with wrong types, zero denominators, a short GPS vector and
directory links that loop. Usage: make_hostile_exif.py <in.jpg> <out.jpg>"""
import struct, sys

def entry(tag, typ, count, value):
    return struct.pack('<HHII', tag, typ, count, value)

def ifd(entries, next_ifd, data_at, blobs):
    """entries: (tag, type, count, inline value or bytes). Returns (dir bytes, data bytes)."""
    out = struct.pack('<H', len(entries))
    data = b''
    for tag, typ, count, value in entries:
        if isinstance(value, bytes):
            out += entry(tag, typ, count, data_at + len(data))
            data += value
        else:
            out += entry(tag, typ, count, value)
    out += struct.pack('<I', next_ifd)
    return out, data

def rat(*pairs):
    return b''.join(struct.pack('<II', n, d) for n, d in pairs)

IFD0_AT = 8
# IFD0: orientation stored as a RATIONAL, make as text, EXIF and GPS pointers; its next-IFD
# link points back at itself.
ifd0_len = 2 + 5 * 12 + 4
ifd0_data_at = IFD0_AT + ifd0_len
make = b'Hostile\0'
exif_at = ifd0_data_at + len(make) + 8
exif_len = 2 + 5 * 12 + 4
exif_data_at = exif_at + exif_len
exif_data = rat((28, 0)) + rat((7, 0))
gps_at = exif_data_at + len(exif_data)
ifd0, ifd0_data = ifd([
    (274, 5, 1, rat((6, 1))),
    (271, 2, len(make), make),
    (34665, 4, 1, exif_at),
    (34853, 4, 1, gps_at),
    (272, 2, 0xFFFFFF, 0x7FFFFFF0),  # a string far outside the block
], IFD0_AT, ifd0_data_at, None)
assert len(ifd0) == ifd0_len
# EXIF: f-number with a zero denominator, ISO as LONG, exposure as SHORT, a focal length
# whose denominator is 0 too, and a pointer back to IFD0.
exif, exif_d = ifd([
    (33437, 5, 1, rat((28, 0))),
    (34855, 4, 1, 400),
    (33434, 3, 1, 125),
    (37386, 5, 1, rat((7, 0))),
    (34665, 4, 1, IFD0_AT),
], 0, exif_data_at, None)
assert exif_d == exif_data
gps_len = 2 + 4 * 12 + 4
gps_data_at = gps_at + gps_len
# GPS: latitude with only two values, longitude complete.
gps, gps_d = ifd([
    (1, 2, 2, ord('S')),
    (2, 5, 2, rat((12, 1), (30, 1))),
    (3, 2, 2, ord('E')),
    (4, 5, 3, rat((45, 1), (15, 1), (0, 1))),
], gps_at, gps_data_at, None)
tiff = b'II*\0' + struct.pack('<I', IFD0_AT) + ifd0 + ifd0_data + b'\0' * (exif_at - ifd0_data_at - len(ifd0_data))
assert len(tiff) == exif_at
tiff += exif + exif_d + gps + gps_d
app1 = b'Exif\0\0' + tiff
jpeg = open(sys.argv[1], 'rb').read()
assert jpeg[:2] == b'\xff\xd8'
out = jpeg[:2] + b'\xff\xe1' + struct.pack('>H', len(app1) + 2) + app1 + jpeg[2:]
open(sys.argv[2], 'wb').write(out)
