"""Reads a compiled HTML Help file: its ITSF header, the ITSP directory with its PMGL listing
chunks, the uncompressed section 0 and the LZX-compressed section 1 ("MSCompressed")."""

import struct

from lzx import LzxDecoder

COMPRESSED_PREFIX = "::DataSpace/Storage/MSCompressed/"
RESET_TABLE = (COMPRESSED_PREFIX + "Transform/{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/"
               "InstanceData/ResetTable")


class ChmError(Exception):
    pass


def read_encint(data, pos):
    """A variable-length number: seven bits a byte, high bit set on all but the last byte."""
    value = 0
    while True:
        if pos >= len(data):
            raise ChmError("number runs past the end of its chunk")
        byte = data[pos]
        pos += 1
        value = (value << 7) | (byte & 0x7F)
        if not byte & 0x80:
            return value, pos


class Entry:
    def __init__(self, name, section, offset, length):
        self.name = name
        self.section = section
        self.offset = offset
        self.length = length


class ChmArchive:
    def __init__(self, data):
        self.data = data
        self.entries = {}
        self._read_header()
        self._read_directory()
        self._compressed = None

    def _read_header(self):
        if self.data[:4] != b"ITSF":
            raise ChmError("no ITSF signature")
        version, header_length = struct.unpack_from("<II", self.data, 4)
        self.lcid = struct.unpack_from("<I", self.data, 0x14)[0]
        self.directory_offset, self.directory_length = struct.unpack_from("<QQ", self.data, 0x48)
        if version >= 3:
            self.content_offset = struct.unpack_from("<Q", self.data, 0x58)[0]
        else:
            self.content_offset = self.directory_offset + self.directory_length
        if header_length > len(self.data) or self.content_offset > len(self.data):
            raise ChmError("header points past the end of the file")

    def _read_directory(self):
        base = self.directory_offset
        if self.data[base:base + 4] != b"ITSP":
            raise ChmError("no ITSP directory header")
        header_length, = struct.unpack_from("<I", self.data, base + 8)
        chunk_size, = struct.unpack_from("<I", self.data, base + 0x10)
        first_chunk, last_chunk = struct.unpack_from("<ii", self.data, base + 0x20)
        chunk_count, = struct.unpack_from("<I", self.data, base + 0x2C)
        chunks = base + header_length
        chunk = first_chunk
        visited = set()
        while chunk != -1:
            if chunk in visited or not 0 <= chunk < chunk_count:
                raise ChmError("listing chunks do not form a chain")
            visited.add(chunk)
            start = chunks + chunk * chunk_size
            block = self.data[start:start + chunk_size]
            if block[:4] != b"PMGL" or len(block) != chunk_size:
                raise ChmError("chunk %d is not a listing chunk" % chunk)
            free_space, = struct.unpack_from("<I", block, 4)
            next_chunk, = struct.unpack_from("<i", block, 16)
            self._read_listing(block, 20, chunk_size - free_space)
            if chunk == last_chunk:
                break
            chunk = next_chunk

    def _read_listing(self, block, pos, end):
        while pos < end:
            name_length, pos = read_encint(block, pos)
            name = block[pos:pos + name_length].decode("utf-8")
            pos += name_length
            section, pos = read_encint(block, pos)
            offset, pos = read_encint(block, pos)
            length, pos = read_encint(block, pos)
            self.entries[name] = Entry(name, section, offset, length)

    def names(self):
        return sorted(self.entries)

    def _section0(self, name):
        entry = self.entries[name]
        start = self.content_offset + entry.offset
        if entry.section != 0 or start + entry.length > len(self.data):
            raise ChmError("%s does not lie in the uncompressed section" % name)
        return self.data[start:start + entry.length]

    def _decompressed(self):
        if self._compressed is None:
            names = self._section0("::DataSpace/NameList")
            if "MSCompressed".encode("utf-16-le") not in names:
                raise ChmError("section 1 is not named MSCompressed")
            control = self._section0(COMPRESSED_PREFIX + "ControlData")
            size, signature, version, reset_interval, window_size = struct.unpack_from(
                "<I4sIII", control, 0)
            if signature != b"LZXC":
                raise ChmError("section 1 is not LZX-compressed")
            if version == 2:
                reset_interval *= 0x8000
                window_size *= 0x8000
            table = self._section0(RESET_TABLE)
            table_version, count, entry_size, table_header = struct.unpack_from("<IIII", table, 0)
            uncompressed_length, compressed_length, block_size = struct.unpack_from(
                "<QQQ", table, 16)
            if entry_size != 8 or block_size != 0x8000 or reset_interval % block_size:
                raise ChmError("unexpected reset table layout")
            offsets = list(struct.unpack_from("<%dQ" % count, table, table_header))
            content = self._section0(COMPRESSED_PREFIX + "Content")
            decoder = LzxDecoder(window_size, reset_interval // block_size)
            self._compressed = decoder.decompress(content, uncompressed_length, offsets)
        return self._compressed

    def read(self, name):
        """The bytes of one file of the archive, from whichever section holds it."""
        entry = self.entries.get(name)
        if entry is None:
            raise ChmError("%s is not in the directory" % name)
        if entry.section == 0:
            return self._section0(name)
        if entry.section != 1:
            raise ChmError("%s lies in unknown section %d" % (name, entry.section))
        content = self._decompressed()
        if entry.offset + entry.length > len(content):
            raise ChmError("%s lies past the end of the compressed section" % name)
        return content[entry.offset:entry.offset + entry.length]
