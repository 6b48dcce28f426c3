"""The LZX block kinds that chmcmd's output does not use: uncompressed blocks, aligned-offset
blocks with repeated offsets, and the call-instruction (E8) translation. The streams are built
here bit by bit, with every code length fixed so that each code is simply the symbol's index."""

import unittest

from lzx import LzxDecoder, LzxError

WINDOW = 1 << 16
MAIN_BITS = 10  # 256 literals + 32 slots * 8 = 512 symbols, all 10 bits long
LENGTH_BITS = 8  # 249 symbols
PRETREE_BITS = 5  # 20 symbols
ALIGNED_BITS = 3  # 8 symbols


class BitWriter:
    def __init__(self):
        self.out = bytearray()
        self.word = 0
        self.used = 0

    def bits(self, value, n):
        for shift in range(n - 1, -1, -1):
            self.word = (self.word << 1) | ((value >> shift) & 1)
            self.used += 1
            if self.used == 16:
                self.out += self.word.to_bytes(2, "little")
                self.word = self.used = 0

    def pad16(self):
        """Padding before an uncompressed block: 1 to 16 zero bits."""
        self.bits(0, 16 - self.used)

    def raw(self, data):
        self.out += data


def write_lengths(writer, count, length):
    """Code lengths for `count` symbols that all had length 0 before and get `length` now."""
    for _ in range(20):
        writer.bits(PRETREE_BITS, 4)
    for _ in range(count):
        writer.bits((0 - length) % 17, PRETREE_BITS)


def block_header(writer, kind, length):
    writer.bits(kind, 3)
    writer.bits(length >> 8, 16)
    writer.bits(length & 0xFF, 8)


def trees(writer, aligned):
    if aligned:
        for _ in range(8):
            writer.bits(ALIGNED_BITS, 3)
    write_lengths(writer, 256, MAIN_BITS)
    write_lengths(writer, 32 * 8, MAIN_BITS)
    write_lengths(writer, 249, LENGTH_BITS)


def match(writer, length, slot, offset_bits=None, aligned=False, extra=0):
    header = min(length - 2, 7)
    writer.bits(256 + slot * 8 + header, MAIN_BITS)
    if header == 7:
        writer.bits(length - 9, LENGTH_BITS)
    if offset_bits is None:
        return
    if aligned and extra >= 3:
        writer.bits(offset_bits >> 3, extra - 3)
        writer.bits(offset_bits & 7, ALIGNED_BITS)
    else:
        writer.bits(offset_bits, extra)


def literals(writer, data):
    for byte in data:
        writer.bits(byte, MAIN_BITS)


class LzxBlockKinds(unittest.TestCase):
    def decode(self, writer, length):
        writer.pad16()
        return LzxDecoder(WINDOW, 2).decompress(bytes(writer.out), length, [0])

    def test_uncompressed_block_with_odd_length_is_followed_by_a_verbatim_block(self):
        w = BitWriter()
        w.bits(0, 1)  # no call translation
        block_header(w, 3, 5)
        w.pad16()
        w.raw((6).to_bytes(4, "little") + (1).to_bytes(4, "little") * 2)
        w.raw(b"hello")
        w.raw(b"\0")  # an odd-sized uncompressed block is padded to an even size
        block_header(w, 1, 6)
        trees(w, aligned=False)
        literals(w, b"-")
        match(w, 5, 0)  # repeated offset R0 = 6, stored by the uncompressed block
        self.assertEqual(self.decode(w, 11), b"hello-hello")

    def test_aligned_block_offsets_and_repeated_offsets(self):
        w = BitWriter()
        w.bits(0, 1)
        text = bytes(range(65, 91)) * 3  # 78 bytes: A..Z three times
        block_header(w, 2, 78 + 26 + 4 + 4)
        trees(w, aligned=True)
        literals(w, text)
        # Slot 11: base 48 and 4 extra bits, one verbatim bit and an aligned symbol for the
        # low 3; offset 60 is 48 - 2 + 14.
        match(w, 26, 11, offset_bits=14, aligned=True, extra=4)
        match(w, 4, 3)  # slot 3: offset 1, pushed onto the repeated offsets
        match(w, 4, 1)  # R1: the offset 60 again
        expected = bytearray(text)
        for length, offset in ((26, 60), (4, 1), (4, 60)):
            for _ in range(length):
                expected.append(expected[-offset])
        self.assertEqual(self.decode(w, len(expected)), bytes(expected))

    def test_call_translation_turns_absolute_targets_back_into_relative_ones(self):
        w = BitWriter()
        w.bits(1, 1)
        w.bits(0, 16)
        w.bits(1000, 16)  # translation file size 1000
        stored = (b"ab" + b"\xe8" + (110).to_bytes(4, "little")  # call at 2: 110 - 2 = 108
                  + b"\xe8" + (5000).to_bytes(4, "little")       # beyond the file size: kept
                  + b"\xe8" + (-3 & 0xFFFFFFFF).to_bytes(4, "little")  # -3 + 1000 = 997
                  + b"0123456789")
        block_header(w, 1, len(stored))
        trees(w, aligned=False)
        literals(w, stored)
        expected = (b"ab" + b"\xe8" + (108).to_bytes(4, "little")
                    + b"\xe8" + (5000).to_bytes(4, "little")
                    + b"\xe8" + (997).to_bytes(4, "little")
                    + b"0123456789")
        self.assertEqual(self.decode(w, len(stored)), expected)

    def test_match_before_the_start_of_the_output_is_refused(self):
        w = BitWriter()
        w.bits(0, 1)
        block_header(w, 1, 4)
        trees(w, aligned=False)
        literals(w, b"a")
        match(w, 3, 5, offset_bits=1, extra=1)  # slot 5: base 6, offset 6 + 1 - 2 = 5 > 1
        with self.assertRaises(LzxError):
            self.decode(w, 4)


if __name__ == "__main__":
    unittest.main()
