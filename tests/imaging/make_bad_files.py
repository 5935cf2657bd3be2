#!/usr/bin/env python3
"""Writes pictures no decoder should accept: empty, random, truncated, absurd headers."""
import os, struct, sys, zlib, random

out = sys.argv[1]

def w(name, data):
    with open(os.path.join(out, name), 'wb') as f:
        f.write(data)

def png_chunk(kind, body):
    return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body) & 0xffffffff)

def png(width, height, idat=b''):
    ihdr = struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0)
    return b'\x89PNG\r\n\x1a\n' + png_chunk(b'IHDR', ihdr) + png_chunk(b'IDAT', idat) + png_chunk(b'IEND', b'')

rnd = random.Random(5)
w('empty.png', b'')
w('noise.jpg', bytes(rnd.getrandbits(8) for _ in range(4096)))
w('huge.png', png(100000, 100000, zlib.compress(b'\0' * 64)))
w('zero.png', png(0, 0))
# BMP header claiming 100000 x 100000 at 32 bits with no pixel data behind it.
bmp_info = struct.pack('<IiiHHIIiiII', 40, 100000, 100000, 1, 32, 0, 0, 0, 0, 0, 0)
w('huge.bmp', b'BM' + struct.pack('<IHHI', 14 + 40, 0, 0, 14 + 40) + bmp_info)
with open(os.path.join(out, 'exif_o6.jpg'), 'rb') as f:
    jpeg = f.read()
w('truncated.jpg', jpeg[:600])
with open(os.path.join(out, 'transparent.png'), 'rb') as f:
    w('truncated.png', f.read()[:40])
with open(os.path.join(out, 'anim.gif'), 'rb') as f:
    w('truncated.gif', f.read()[:20])
with open(os.path.join(out, 'icon.ico'), 'rb') as f:
    w('truncated.ico', f.read()[:30])
with open(os.path.join(out, 'pic.tif'), 'rb') as f:
    w('truncated.tif', f.read()[:16])
