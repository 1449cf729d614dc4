#!/usr/bin/env python3
"""Writes crafted input: the fuzz seeds (tiny picture headers that declare
far more than they hold, scripts that nest deep or chain long, field
expressions that pad without end), or with --big real pictures of
16384 x 16384 pixels in under 2 MB each (for the memory tests).

    make_crafted.py FOLDER          seeds, into FOLDER/pictures, metafile,
                                    script and field (tests/fuzz/corpus)
    make_crafted.py --big FOLDER    whole pictures: GIF, TIFF, PNG, JPEG, EMF
"""
import os
import struct
import sys
import zlib

SIDE = 16384


def le16(v):
    return struct.pack('<H', v)


def le32(v):
    return struct.pack('<I', v)


def gif_uniform_codes(pixels):
    """LZW codes (with their widths) of `pixels` pixels of colour 0 at a
    minimum code size of 2: after a clear code each code repeats one pixel
    more than the one before (the entry the decoder is about to define), and
    a clear code starts again well before the table is full."""
    clear, end, longest_run = 4, 5, 4000
    codes = []
    state = {'width': 3, 'limit': 8, 'read': 0}

    def emit(code):
        codes.append((code, state['width']))
        if code == clear:
            state.update(width=3, limit=8, read=0)
            return
        state['read'] += 1
        if 6 + state['read'] > state['limit'] and state['width'] < 12:
            state['limit'] <<= 1
            state['width'] += 1

    left = pixels
    emit(clear)
    while left > 0:
        emit(0)
        left -= 1
        run = 2
        while run <= longest_run and left >= run:
            emit(run + 4)
            left -= run
            run += 1
        if left == 0:
            break
        emit(clear)
        if left < run:
            for _ in range(left):
                emit(0)
            left = 0
    emit(end)
    return codes


def pack_codes(codes):
    out = bytearray()
    acc = nbits = 0
    for code, width in codes:
        acc |= code << nbits
        nbits += width
        while nbits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            nbits -= 8
    if nbits:
        out.append(acc & 0xFF)
    return bytes(out)


def gif(canvas, frame, data_pixels):
    head = b'GIF89a' + le16(canvas[0]) + le16(canvas[1]) + bytes([0x80, 0, 0])
    head += bytes([0, 0, 0, 255, 255, 255])  # two colours
    image = b',' + le16(0) + le16(0) + le16(frame[0]) + le16(frame[1]) + b'\x00'
    stream = pack_codes(gif_uniform_codes(data_pixels))
    blocks = bytearray([2])
    for i in range(0, len(stream), 255):
        chunk = stream[i:i + 255]
        blocks += bytes([len(chunk)]) + chunk
    blocks += b'\x00'
    return head + image + bytes(blocks) + b';'


def png(width, height, rows):
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))

    deflate = zlib.compressobj(9)
    row = b'\x00' * (1 + width * 3)
    body = bytearray()
    for _ in range(rows):
        body += deflate.compress(row)
    body += deflate.flush()
    ihdr = struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)
    return b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', ihdr) + chunk(b'IDAT', bytes(body)) + chunk(b'IEND', b'')


def tiff(width, height, rows_stored):
    """An RGB TIFF in Deflate strips of 256 rows; only `rows_stored` rows
    are present (fewer than the height makes a truncated file)."""
    rows_per_strip = 256
    strip = zlib.compress(b'\x20\x60\xc0' * (width * rows_per_strip), 9)
    strips = (rows_stored + rows_per_strip - 1) // rows_per_strip
    entries = [
        (256, 4, 1, width), (257, 4, 1, height), (258, 3, 1, 8), (259, 3, 1, 8),
        (262, 3, 1, 2), (273, 4, strips, None), (277, 3, 1, 3), (278, 4, 1, rows_per_strip),
        (279, 4, strips, None), (284, 3, 1, 1),
    ]
    ifd_at = 8
    ifd_size = 2 + 12 * len(entries) + 4
    arrays_at = ifd_at + ifd_size
    data_at = arrays_at + 8 * strips
    offsets = [data_at + i * len(strip) for i in range(strips)]
    out = bytearray(b'II*\x00' + le32(ifd_at))
    out += le16(len(entries))
    for tag, kind, count, value in entries:
        if tag == 273:
            value = offsets[0] if strips == 1 else arrays_at
        elif tag == 279:
            value = len(strip) if strips == 1 else arrays_at + 4 * strips
        if kind == 3 and count == 1:
            out += le16(tag) + le16(kind) + le32(count) + le16(value) + le16(0)
        else:
            out += le16(tag) + le16(kind) + le32(count) + le32(value)
    out += le32(0)
    if strips > 1:
        out += b''.join(le32(o) for o in offsets) + b''.join(le32(len(strip)) for _ in range(strips))
    out += strip * strips
    return bytes(out)


def jpeg(width, height, blocks_stored):
    """A grey baseline JPEG whose Huffman tables hold one code each, so that
    every flat 8 x 8 block takes two bits."""
    def segment(marker, data):
        return bytes([0xFF, marker]) + struct.pack('>H', len(data) + 2) + data

    dqt = segment(0xDB, b'\x00' + b'\x01' * 64)
    sof = segment(0xC0, struct.pack('>BHHB', 8, height, width, 1) + bytes([1, 0x11, 0]))
    one_code = bytes([1] + [0] * 15) + b'\x00'
    dht = segment(0xC4, b'\x00' + one_code + b'\x10' + one_code)
    sos = segment(0xDA, bytes([1, 1, 0x00, 0, 63, 0]))
    scan = b'\x00' * ((blocks_stored * 2 + 7) // 8)
    return b'\xff\xd8' + dqt + sof + dht + sos + scan + b'\xff\xd9'


def emf(frame_pixels):
    """An EMF header and end record: a frame of `frame_pixels` at 96 pixels
    per inch and nothing drawn in it."""
    hundredths = frame_pixels * 2540 // 96
    header = le32(1) + le32(88)  # the header without its extensions
    header += struct.pack('<4i', 0, 0, frame_pixels - 1, frame_pixels - 1)  # bounds
    header += struct.pack('<4i', 0, 0, hundredths, hundredths)  # frame
    header += le32(0x464D4520) + le32(0x10000) + le32(88 + 20) + le32(2) + le16(1) + le16(0)
    header += le32(0) + le32(0) + le32(0)
    header += struct.pack('<2i', 3840, 2400) + struct.pack('<2i', 1016, 635)  # exactly 96 dpi
    eof = le32(14) + le32(20) + le32(0) + le32(16) + le32(20)
    return header + eof


def exif_loop_jpeg():
    """A JPEG whose Exif directory points at itself, then at itself again
    through a sub-directory pointer."""
    tiff_head = b'II*\x00' + le32(8)
    ifd = le16(2) + le16(0x8769) + le16(4) + le32(1) + le32(8)
    ifd += le16(0x010F) + le16(2) + le32(4) + b'Orv\x00'
    ifd += le32(8)
    app1 = b'Exif\x00\x00' + tiff_head + ifd
    return (b'\xff\xd8' + b'\xff\xe1' + struct.pack('>H', len(app1) + 2) + app1
            + jpeg(16, 16, 4)[2:])


def seeds(folder):
    pictures = os.path.join(folder, 'pictures')
    metafiles = os.path.join(folder, 'metafile')
    scripts = os.path.join(folder, 'script')
    fields = os.path.join(folder, 'field')
    for made in (pictures, metafiles, scripts, fields):
        os.makedirs(made, exist_ok=True)
    files = {
        os.path.join(scripts, 'deep.orv'): b'print ' + b'(' * 300 + b'1' + b')' * 300 + b'\n',
        os.path.join(scripts, 'long-sum.orv'): b'x = 0' + b' + 1' * 5000 + b'\nprint x\n',
        os.path.join(scripts, 'unary.orv'): b'print ' + b'-' * 3000 + b'1\nprint ' + b'Not ' * 1000 + b'True\n',
        os.path.join(scripts, 'report.orv'): (b'Option Explicit\nDim f\nNewPage 8.5, 11\n'
                                              b'AddText "t", "Hello", 1, 1, 0, 0, "Arial", 12\n'
                                              b'f = "out"\nprint SaveToPDF(f), Len(f) & Mid("abc", 2, 1)\n'),
        os.path.join(fields, 'pages.txt'): b"'Page ' + TRANSFORM(_PAGENO) + \" of \" + TRANSFORM(_PAGETOTAL)",
        os.path.join(fields, 'padding.txt'): b'STR(_PAGENO, 65535)+' * 40,
        os.path.join(fields, 'unbalanced.txt'): b"ALLTRIM(STR(_PAGETOTAL,4,2)))('x",
        os.path.join(pictures, 'huge-frame.gif'): gif((1, 1), (46000, 46000), 64),
        os.path.join(pictures, 'huge-canvas.gif'): gif((SIDE, SIDE), (SIDE, SIDE), 64),
        os.path.join(pictures, 'huge.tif'): tiff(SIDE, SIDE, 1),
        os.path.join(pictures, 'huge.png'): png(SIDE, SIDE, 2),
        os.path.join(pictures, 'huge.jpg'): jpeg(SIDE, SIDE, 64),
        os.path.join(pictures, 'exif-loop.jpg'): exif_loop_jpeg(),
        os.path.join(metafiles, 'huge-frame.emf'): emf(16000),
    }
    for path, data in files.items():
        with open(path, 'wb') as out:
            out.write(data)


def big(folder):
    os.makedirs(folder, exist_ok=True)
    blocks = (SIDE // 8) ** 2
    files = {
        'huge.gif': gif((SIDE, SIDE), (SIDE, SIDE), SIDE * SIDE),
        'huge.tif': tiff(SIDE, SIDE, SIDE),
        'huge.png': png(SIDE, SIDE, SIDE),
        'huge.jpg': jpeg(SIDE, SIDE, blocks),
        'huge.emf': emf(16000),
    }
    for name, data in files.items():
        assert len(data) <= 2 << 20, (name, len(data))
        with open(os.path.join(folder, name), 'wb') as out:
            out.write(data)


if __name__ == '__main__':
    if len(sys.argv) == 3 and sys.argv[1] == '--big':
        big(sys.argv[2])
    elif len(sys.argv) == 2:
        seeds(sys.argv[1])
    else:
        sys.exit(__doc__)
