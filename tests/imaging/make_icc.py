#!/usr/bin/env python3
"""Writes a minimal display-class RGB profile (matrix and gamma 2.2 curves)."""
import struct, sys

def s15(v):
    return struct.pack('>i', int(round(v * 65536)))

def xyz(x, y, z):
    return b'XYZ ' + b'\0' * 4 + s15(x) + s15(y) + s15(z)

def curv(g):
    return b'curv' + b'\0' * 4 + struct.pack('>I', 1) + struct.pack('>H', int(g * 256)) + b'\0\0'

def desc(text):
    t = text.encode('ascii') + b'\0'
    body = b'desc' + b'\0' * 4 + struct.pack('>I', len(t)) + t
    body += b'\0' * 8 + b'\0' * 2 + b'\0' + b'\0' * 67
    return body

def text(t):
    return b'text' + b'\0' * 4 + t.encode('ascii') + b'\0'

tags = [
    (b'desc', desc('Pelion test RGB')),
    (b'cprt', text('No copyright, use freely')),
    (b'wtpt', xyz(0.9642, 1.0, 0.8249)),
    (b'rXYZ', xyz(0.4361, 0.2225, 0.0139)),
    (b'gXYZ', xyz(0.3851, 0.7169, 0.0971)),
    (b'bXYZ', xyz(0.1431, 0.0606, 0.7141)),
    (b'rTRC', curv(2.2)),
    (b'gTRC', curv(2.2)),
    (b'bTRC', curv(2.2)),
]
offset = 128 + 4 + 12 * len(tags)
table = struct.pack('>I', len(tags))
data = b''
for sig, body in tags:
    while (offset + len(data)) % 4:
        data += b'\0'
    table += sig + struct.pack('>II', offset + len(data), len(body))
    data += body
size = offset + len(data)
header = struct.pack('>I', size) + b'none' + struct.pack('>I', 0x02100000) + b'mntr' + b'RGB ' + \
    b'XYZ ' + b'\0' * 12 + b'acsp' + b'\0' * 4 + b'\0' * 4 + b'\0' * 8 + b'\0' * 8 + \
    struct.pack('>I', 0) + s15(0.9642) + s15(1.0) + s15(0.8249) + b'\0' * 4 + b'\0' * 16 + b'\0' * 28
assert len(header) == 128, len(header)
open(sys.argv[1], 'wb').write(header + table + data)
