#!/usr/bin/env python3
"""Writes the damaged book files of this folder, each named after its defect.

Sound files come from the project's own compressors (`mkbook ebzip`,
`mkbook huffman`, `mkbook sebxa`); this script then breaks them in one way
each. Also writes the seed corpus of fuzz/book_file_fuzz.cc. The files are
committed; run this again only to change them:

    python3 tests/data/storage/make_damaged.py build/tools/mkbook/mkbook

Files starting "start-" are read under the name START, "honmon2-" under
HONMON2 and "ebzip-" under HONMON.ebz (see damaged_files_test.cc).
"""
import os
import random
import struct
import subprocess
import sys
import tempfile

PAGE = 2048
HERE = os.path.dirname(os.path.abspath(__file__))


def numbered_pages(count):
    out = bytearray()
    for p in range(1, count + 1):
        line = b"page %4d: " % p + b"abcdefghijklmnopqrstuvwxyz" * 3 + b"\n"
        out += (line * (PAGE // len(line) + 1))[:PAGE]
    return bytes(out)


def start_image(pages, areas):
    image = bytearray(numbered_pages(pages))
    image[:PAGE] = bytes(PAGE)
    struct.pack_into(">H", image, 0, len(areas))
    for i, (ident, start, count) in enumerate(areas):
        struct.pack_into(">BBII", image, 16 + 16 * i, ident, 0, start, count)
    return bytes(image)


def run_mkbook(mkbook, command, data, *args):
    with tempfile.TemporaryDirectory() as tmp:
        src, dst = os.path.join(tmp, "in"), os.path.join(tmp, "out")
        with open(src, "wb") as f:
            f.write(data)
        subprocess.run([mkbook, command, src, dst, *args], check=True)
        with open(dst, "rb") as f:
            return bytearray(f.read())


def write(name, data):
    assert len(data) <= 16384, name
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(bytes(data))


def ebzip_files(mkbook):
    three = run_mkbook(mkbook, "ebzip", numbered_pages(3), "--level", "0")

    f = bytearray(three)
    struct.pack_into(">I", f, 10, 0xFFFFFFFF)  # entries now read 4 bytes wide
    write("ebzip-claims-4gb.ebz", f)

    f = bytearray(three)
    for k in range(4):
        struct.pack_into(">H", f, 22 + 2 * k, 0xFFF0 - k)
    write("ebzip-index-past-end.ebz", f)

    f = bytearray(three)
    a, b = struct.unpack_from(">HH", f, 22)
    struct.pack_into(">HH", f, 22, b, a)
    write("ebzip-index-reversed.ebz", f)

    f = bytearray(three)
    f[5] = (f[5] & 0xF0) | 6
    write("ebzip-level-6.ebz", f)

    f = bytearray(three)
    struct.pack_into(">I", f, 10, 0)
    write("ebzip-zero-size.ebz", f)

    f = bytearray(three)
    start, end = struct.unpack_from(">HH", f, 22 + 2)
    rng = random.Random(11)
    for i in range(start, end):
        f[i] = rng.randrange(256)
    write("ebzip-garbage-slice.ebz", f)

    six = run_mkbook(mkbook, "ebzip", numbered_pages(6), "--level", "1")
    last = struct.unpack_from(">H", six, 22 + 2 * 2)[0]
    write("ebzip-truncated-slice.ebz", six[: last + (len(six) - last) // 2])


def honmon2_files(mkbook):
    text = numbered_pages(5)
    kind3 = run_mkbook(mkbook, "huffman", text, "--kind", "3")
    index, index_len, freq, freq_len, data = struct.unpack_from(">5I", kind3, 0)

    write("honmon2-freq-table-beyond-file", kind3[: freq + freq_len // 2])
    write("honmon2-truncated-pages", kind3[: data + (len(kind3) - data) // 3])

    f = bytearray(kind3)
    struct.pack_into(">I", f, index, 0xFFFFFF00)
    for k in range(16):
        struct.pack_into(">H", f, index + 4 + 2 * k, 0xFFFF)
    write("honmon2-index-offsets-past-end", f)

    f = bytearray(kind3)
    f[freq : freq + freq_len] = bytes(freq_len)
    write("honmon2-all-zero-frequencies", f)

    f = bytearray(kind3)
    struct.pack_into(">3I", f, 12, 100, freq + 100, 0)
    write("honmon2-freq-table-too-small", f)

    # Kind 4 told to take everything after the index as its table.
    kind4 = run_mkbook(mkbook, "huffman", text, "--kind", "4")
    f = bytearray(kind4)
    index, index_len, freq, freq_len, data = struct.unpack_from(">5I", f, 0)
    struct.pack_into(">2I", f, 12, len(f) - freq, len(f))
    write("honmon2-table-covers-file", f)

    # Raw flag on the last page with fewer than 2048 bytes after it.
    f = bytearray(kind4)
    base = struct.unpack_from(">I", f, index)[0]
    off = struct.unpack_from(">H", f, index + 4 + 2 * 4)[0]
    f[base + off] = 1
    write("honmon2-raw-flag-at-end", f[: base + off + 100])

    # Frequencies in a Fibonacci series make a lopsided tree whose codes
    # run past the decoder's tables; the code bytes, all ones, take the
    # longest path every time, then random ones end the file mid-code.
    f = bytearray(kind3)
    index, index_len, freq, freq_len, data = struct.unpack_from(">5I", f, 0)
    f[freq : freq + freq_len] = bytes(freq_len)
    a, b, at = 1, 1, freq
    while b <= 0xFFFF and at + 4 <= freq + freq_len - 512:
        struct.pack_into(">H", f, at + 2, a)
        a, b, at = b, a + b, at + 4
    rng = random.Random(17)
    body = len(f) - data
    f[data:] = b"\xff" * (body // 2) + bytes(rng.randrange(256) for _ in range(body - body // 2))
    write("honmon2-fibonacci-frequencies", f)


def start_files(mkbook):
    image = start_image(6, [(0x00, 2, 5)])
    sebxa = run_mkbook(mkbook, "sebxa", image)
    areas = {}
    count = struct.unpack_from(">H", sebxa, 0)[0]
    for i in range(count):
        ident, _, start, pages = struct.unpack_from(">BBII", sebxa, 16 + 16 * i)
        areas[ident] = (16 + 16 * i, start, pages)
    x = (areas[0x22][1] - 1) * PAGE

    f = bytearray(sebxa)
    ends = list(struct.unpack_from(">3I", f, x))
    struct.pack_into(">3I", f, x, *reversed(ends))
    write("start-sebxa-index-reversed", f)

    f = bytearray(sebxa)
    struct.pack_into(">3I", f, x, 0x7FFFFFF0, 0xFFFFFFF0, 0xFFFFFFFF)
    write("start-sebxa-offsets-past-end", f)

    f = bytearray(sebxa)
    struct.pack_into(">I", f, areas[0x00][0] + 6, 0xFFFFFFFF)
    write("start-sebxa-huge-text-area", f)

    f = bytearray(sebxa)
    struct.pack_into(">I", f, areas[0x22][0] + 2, 0)
    write("start-sebxa-index-page-zero", f)

    f = bytearray(sebxa)
    struct.pack_into(">I", f, areas[0x00][0] + 2, 0)
    write("start-sebxa-text-page-zero", f)

    f = bytearray(sebxa)
    struct.pack_into(">H", f, 0, 0xFFFF)
    write("start-sebxa-area-count-65535", f)

    write("start-sebxa-truncated", sebxa[: len(sebxa) - 300])


def corpus_files(mkbook):
    """Seeds for fuzz/book_file_fuzz.cc: a sound file of every storage, its
    last byte the fuzz target's selector (bits 0-1 the file name: HONMON2,
    START, HONMON.ebz, CATALOGS; bits 2-4 the version hint)."""
    folder = os.path.join(HERE, "..", "..", "..", "fuzz", "corpus", "book_file")
    os.makedirs(folder, exist_ok=True)
    text = numbered_pages(3)

    def seed(name, data, selector):
        with open(os.path.join(folder, name), "wb") as f:
            f.write(bytes(data) + bytes([selector]))

    seed("plain", text, 3)
    seed("ebzip-level-0", run_mkbook(mkbook, "ebzip", text, "--level", "0"), 2)
    seed("ebzip-level-2", run_mkbook(mkbook, "ebzip", text, "--level", "2"), 2)
    seed("ebzip-raw", run_mkbook(mkbook, "ebzip", text, "--level", "0", "--raw"), 2)
    seed("huffman-kind-3", run_mkbook(mkbook, "huffman", text, "--kind", "3"), 0)
    seed("huffman-kind-3-hint-5", run_mkbook(mkbook, "huffman", text, "--kind", "3", "--no-signature"), 5 << 2)
    seed("huffman-kind-4", run_mkbook(mkbook, "huffman", text, "--kind", "4"), 6 << 2)
    seed("sebxa", run_mkbook(mkbook, "sebxa", start_image(4, [(0x00, 2, 3)])), 1)
    # Codes longer than the decoder's tables (see honmon2_files).
    with open(os.path.join(HERE, "honmon2-fibonacci-frequencies"), "rb") as f:
        seed("huffman-deep-tree", f.read(), 0)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    mkbook = sys.argv[1]
    ebzip_files(mkbook)
    honmon2_files(mkbook)
    corpus_files(mkbook)
    start_files(mkbook)
    write("tiny-31-bytes", b"EBZip" + bytes(26))


if __name__ == "__main__":
    main()
