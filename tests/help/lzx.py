"""LZX decompression as HTML Help files use it for their compressed content section.

The stream is a series of 32 KiB frames. The decoder state is reset at the start of every reset
interval; after each frame the bit stream is realigned to a 16-bit boundary. Bits are read from
little-endian 16-bit words, most significant bit first.
"""

FRAME_SIZE = 0x8000
NUM_CHARS = 256
PRIMARY_LENGTHS = 7
SECONDARY_LENGTHS = 249
MIN_MATCH = 2
PRETREE_SYMBOLS = 20
ALIGNED_SYMBOLS = 8
MAX_CODE_BITS = 16

BLOCK_VERBATIM = 1
BLOCK_ALIGNED = 2
BLOCK_UNCOMPRESSED = 3

# Position slots by window size in bits, 15 to 21.
POSITION_SLOTS = {15: 30, 16: 32, 17: 34, 18: 36, 19: 38, 20: 42, 21: 50}

EXTRA_BITS = [min(slot // 2 - 1, 17) if slot >= 4 else 0 for slot in range(51)]
POSITION_BASE = [0]
for _slot in range(50):
    POSITION_BASE.append(POSITION_BASE[-1] + (1 << EXTRA_BITS[_slot]))


class LzxError(Exception):
    pass


class BitReader:
    def __init__(self, data, start=0):
        self.data = data
        self.seek(start)

    def seek(self, byte_offset):
        self.pos = byte_offset
        self.buffer = 0
        self.count = 0

    def _fill(self, need):
        while self.count < need:
            word = 0
            if self.pos + 1 < len(self.data):
                word = self.data[self.pos] | (self.data[self.pos + 1] << 8)
            elif self.pos < len(self.data):
                word = self.data[self.pos]
            self.pos += 2
            self.buffer = (self.buffer << 16) | word
            self.count += 16

    def peek(self, n):
        self._fill(n)
        return (self.buffer >> (self.count - n)) & ((1 << n) - 1)

    def skip(self, n):
        self._fill(n)
        self.count -= n
        self.buffer &= (1 << self.count) - 1

    def bits(self, n):
        if n == 0:
            return 0
        value = self.peek(n)
        self.skip(n)
        return value

    def align16(self):
        self.skip(self.count % 16)

    def bit_position(self):
        return self.pos * 8 - self.count

    def byte(self):
        if self.count:
            raise LzxError("byte read from an unaligned bit stream")
        if self.pos >= len(self.data):
            raise LzxError("compressed stream ends inside an uncompressed block")
        value = self.data[self.pos]
        self.pos += 1
        return value


class HuffmanTable:
    """Canonical prefix code: shorter codes first, equal lengths in symbol order."""

    def __init__(self, lengths):
        self.lengths = list(lengths)
        self.empty = not any(self.lengths)
        self.table = None
        if self.empty:
            return
        table = [None] * (1 << MAX_CODE_BITS)
        code = 0
        for length in range(1, MAX_CODE_BITS + 1):
            for symbol, symbol_length in enumerate(self.lengths):
                if symbol_length != length:
                    continue
                first = code << (MAX_CODE_BITS - length)
                last = (code + 1) << (MAX_CODE_BITS - length)
                if last > len(table):
                    raise LzxError("over-subscribed prefix code")
                entry = (symbol, length)
                for index in range(first, last):
                    table[index] = entry
                code += 1
            code <<= 1
        self.table = table

    def decode(self, reader):
        if self.empty:
            raise LzxError("symbol read from an empty prefix code")
        entry = self.table[reader.peek(MAX_CODE_BITS)]
        if entry is None:
            raise LzxError("bit pattern outside the prefix code")
        reader.skip(entry[1])
        return entry[0]


def window_bits_for(window_size):
    bits = window_size.bit_length() - 1
    if (1 << bits) != window_size or bits not in POSITION_SLOTS:
        raise LzxError("unsupported window size %d" % window_size)
    return bits


class LzxDecoder:
    def __init__(self, window_size, reset_interval_frames):
        self.main_elements = NUM_CHARS + POSITION_SLOTS[window_bits_for(window_size)] * 8
        self.reset_interval_frames = reset_interval_frames

    def _reset(self):
        self.repeats = [1, 1, 1]
        self.main_lengths = [0] * self.main_elements
        self.length_lengths = [0] * SECONDARY_LENGTHS
        self.header_read = False
        self.intel_file_size = 0
        self.intel_started = False
        self.block_type = None
        self.block_length = 0
        self.block_remaining = 0

    def _read_lengths(self, reader, lengths, first, last):
        pretree = HuffmanTable(reader.bits(4) for _ in range(PRETREE_SYMBOLS))
        index = first
        while index < last:
            code = pretree.decode(reader)
            if code == 17:
                run, value = reader.bits(4) + 4, 0
            elif code == 18:
                run, value = reader.bits(5) + 20, 0
            elif code == 19:
                run = reader.bits(1) + 4
                value = (lengths[index] - pretree.decode(reader)) % 17
            else:
                run, value = 1, (lengths[index] - code) % 17
            if index + run > last:
                raise LzxError("code lengths run past their table")
            lengths[index:index + run] = [value] * run
            index += run

    def _start_block(self, reader):
        if self.block_type == BLOCK_UNCOMPRESSED and self.block_length & 1:
            reader.byte()
        self.block_type = reader.bits(3)
        self.block_length = (reader.bits(16) << 8) | reader.bits(8)
        self.block_remaining = self.block_length
        if self.block_type in (BLOCK_VERBATIM, BLOCK_ALIGNED):
            if self.block_type == BLOCK_ALIGNED:
                self.aligned = HuffmanTable(reader.bits(3) for _ in range(ALIGNED_SYMBOLS))
            self._read_lengths(reader, self.main_lengths, 0, NUM_CHARS)
            self._read_lengths(reader, self.main_lengths, NUM_CHARS, self.main_elements)
            self.main = HuffmanTable(self.main_lengths)
            if self.main_lengths[0xE8]:
                self.intel_started = True
            self._read_lengths(reader, self.length_lengths, 0, SECONDARY_LENGTHS)
            self.length = HuffmanTable(self.length_lengths)
        elif self.block_type == BLOCK_UNCOMPRESSED:
            self.intel_started = True
            # 1 to 16 bits of padding up to the next 16-bit boundary.
            padding = 16 - reader.bit_position() % 16
            reader.skip(padding)
            reader.seek(reader.bit_position() // 8)
            stored = bytes(reader.byte() for _ in range(12))
            self.repeats = [int.from_bytes(stored[i:i + 4], "little") for i in (0, 4, 8)]
        else:
            raise LzxError("unknown block type %d" % self.block_type)

    def _match_offset(self, reader, slot):
        repeats = self.repeats
        if slot == 0:
            return repeats[0]
        if slot in (1, 2):
            offset = repeats[slot]
            repeats[slot] = repeats[0]
            repeats[0] = offset
            return offset
        extra = EXTRA_BITS[slot]
        offset = POSITION_BASE[slot] - 2
        if self.block_type == BLOCK_ALIGNED and extra >= 3:
            offset += (reader.bits(extra - 3) << 3) + self.aligned.decode(reader)
        else:
            offset += reader.bits(extra)
        repeats[2] = repeats[1]
        repeats[1] = repeats[0]
        repeats[0] = offset
        return offset

    def _decode_run(self, reader, out, todo):
        """Decodes at least `todo` bytes of the current block; returns how many it made."""
        made = 0
        if self.block_type == BLOCK_UNCOMPRESSED:
            out.extend(reader.byte() for _ in range(todo))
            return todo
        while made < todo:
            element = self.main.decode(reader)
            if element < NUM_CHARS:
                out.append(element)
                made += 1
                continue
            element -= NUM_CHARS
            length = element & PRIMARY_LENGTHS
            if length == PRIMARY_LENGTHS:
                length += self.length.decode(reader)
            length += MIN_MATCH
            offset = self._match_offset(reader, element >> 3)
            if offset > len(out) or offset <= 0:
                raise LzxError("match reaches before the start of the output")
            start = len(out) - offset
            for index in range(length):
                out.append(out[start + index])
            made += length
        return made

    def _undo_intel_calls(self, out, frame_start, frame_size, frame_number):
        if not (self.intel_started and self.intel_file_size) or frame_number >= 32768:
            return
        if frame_size <= 10:
            return
        position = frame_start
        end = frame_start + frame_size - 10
        index = frame_start
        while index < end:
            if out[index] != 0xE8:
                index += 1
                position += 1
                continue
            absolute = int.from_bytes(out[index + 1:index + 5], "little", signed=True)
            if -position <= absolute < self.intel_file_size:
                if absolute >= 0:
                    relative = absolute - position
                else:
                    relative = absolute + self.intel_file_size
                out[index + 1:index + 5] = (relative & 0xFFFFFFFF).to_bytes(4, "little")
            index += 5
            position += 5

    def decompress(self, data, length, frame_offsets):
        """Decodes `length` bytes; `frame_offsets` gives where each frame starts in `data`."""
        out = bytearray()
        reader = BitReader(data)
        frame = 0
        while len(out) < length:
            if frame % self.reset_interval_frames == 0:
                if frame >= len(frame_offsets):
                    raise LzxError("no reset table entry for frame %d" % frame)
                reader.seek(frame_offsets[frame])
                self._reset()
            if not self.header_read:
                if reader.bits(1):
                    self.intel_file_size = (reader.bits(16) << 16) | reader.bits(16)
                self.header_read = True
            frame_start = len(out)
            frame_size = min(FRAME_SIZE, length - frame_start)
            while len(out) - frame_start < frame_size:
                if self.block_remaining == 0:
                    self._start_block(reader)
                todo = min(self.block_remaining, frame_size - (len(out) - frame_start))
                made = self._decode_run(reader, out, todo)
                if made > self.block_remaining:
                    raise LzxError("match runs past the end of its block")
                self.block_remaining -= made
            # A compressor may pad the last frame, so a match may run past the end of the text
            # there; inside the text no match crosses a frame boundary.
            last_frame = frame_start + frame_size == length
            if len(out) - frame_start != frame_size and not last_frame:
                raise LzxError("frame %d decodes to %d bytes" % (frame, len(out) - frame_start))
            del out[frame_start + frame_size:]
            reader.align16()
            self._undo_intel_calls(out, frame_start, frame_size, frame)
            frame += 1
        return bytes(out)
