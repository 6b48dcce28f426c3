#include "chm_archive.h"

#include "lzx.h"

#include <algorithm>
#include <vector>

namespace help_engine {

namespace {

constexpr std::string_view compressedPrefix = "::DataSpace/Storage/MSCompressed/";
constexpr std::string_view resetTableName =
    "::DataSpace/Storage/MSCompressed/Transform/{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/"
    "InstanceData/ResetTable";
constexpr std::uint64_t frameSize = 0x8000;
// A match of at most 257 bytes takes at least two bits, so a stream cannot decode to more
// than 1028 times its own size.
constexpr std::uint64_t maxExpansion = 1028;
constexpr std::size_t listingHeader = 20;

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Little-endian numbers at `pos` of `data`, when they lie inside it.
template <typename Number> bool numberAt(std::string_view data, std::uint64_t pos, Number& value) {
    if (pos > data.size() || data.size() - pos < sizeof(Number))
        return false;
    std::uint64_t v = 0;
    for (std::size_t i = sizeof(Number); i-- > 0;)
        v = v << 8 | static_cast<std::uint8_t>(data[pos + i]);
    value = static_cast<Number>(v);
    return true;
}

// A variable-length number: seven bits a byte, the high bit set on all but the last byte.
bool encintAt(std::string_view data, std::size_t& pos, std::size_t end, std::uint64_t& value) {
    value = 0;
    for (int used = 0; used < 9 && pos < end; ++used) {
        const auto byte = static_cast<std::uint8_t>(data[pos++]);
        value = value << 7 | (byte & 0x7F);
        if ((byte & 0x80) == 0)
            return true;
    }
    return false;
}

// The part of `data` from `pos` that is `length` bytes long, when it lies inside `data`.
std::optional<std::string_view> slice(std::string_view data, std::uint64_t pos,
                                      std::uint64_t length) {
    if (pos > data.size() || length > data.size() - pos)
        return std::nullopt;
    return data.substr(static_cast<std::size_t>(pos), static_cast<std::size_t>(length));
}

// Whether `text` stands at `pos` of `data`.
bool textAt(std::string_view data, std::uint64_t pos, std::string_view text) {
    return slice(data, pos, text.size()) == text;
}

} // namespace

bool NameLess::operator()(std::string_view a, std::string_view b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return lower(x) < lower(y); });
}

std::optional<ChmArchive> ChmArchive::open(std::string bytes) {
    ChmArchive archive;
    archive.bytes_ = std::move(bytes);
    if (!archive.readHeader())
        return std::nullopt;
    return archive;
}

bool ChmArchive::readHeader() {
    const std::string_view data = bytes_;
    std::uint32_t version = 0;
    std::uint32_t headerLength = 0;
    std::uint64_t directoryOffset = 0;
    std::uint64_t directoryLength = 0;
    if (!textAt(data, 0, "ITSF") || !numberAt(data, 4, version) ||
        !numberAt(data, 8, headerLength) || !numberAt(data, 0x14, languageId_) ||
        !numberAt(data, 0x48, directoryOffset) || !numberAt(data, 0x50, directoryLength))
        return false;
    const std::optional<std::string_view> directory = slice(data, directoryOffset, directoryLength);
    if (!directory)
        return false;
    if (version >= 3) {
        if (!numberAt(data, 0x58, contentOffset_))
            return false;
    } else {
        contentOffset_ = directoryOffset + directoryLength;
    }
    if (headerLength > data.size() || contentOffset_ > data.size())
        return false;
    return readDirectory(*directory);
}

bool ChmArchive::readDirectory(std::string_view directory) {
    std::uint32_t headerLength = 0;
    std::uint32_t chunkSize = 0;
    std::int32_t chunk = 0;
    std::int32_t lastChunk = 0;
    std::uint32_t chunkCount = 0;
    if (!textAt(directory, 0, "ITSP") || !numberAt(directory, 8, headerLength) ||
        !numberAt(directory, 0x10, chunkSize) || !numberAt(directory, 0x20, chunk) ||
        !numberAt(directory, 0x24, lastChunk) || !numberAt(directory, 0x2C, chunkCount))
        return false;
    if (chunkSize < listingHeader || headerLength > directory.size() ||
        chunkCount > (directory.size() - headerLength) / chunkSize)
        return false;
    std::vector<bool> visited(chunkCount);
    while (chunk != -1) {
        if (chunk < 0 || static_cast<std::uint32_t>(chunk) >= chunkCount || visited[chunk])
            return false;
        visited[chunk] = true;
        const std::optional<std::string_view> listing = slice(
            directory, headerLength + std::uint64_t{chunkSize} * static_cast<std::uint32_t>(chunk),
            chunkSize);
        if (!listing)
            return false;
        const std::string_view block = *listing;
        std::uint32_t freeSpace = 0;
        std::int32_t next = 0;
        if (!textAt(block, 0, "PMGL") || !numberAt(block, 4, freeSpace) ||
            !numberAt(block, 16, next) || freeSpace > chunkSize - listingHeader)
            return false;
        const std::size_t end = chunkSize - freeSpace;
        for (std::size_t pos = listingHeader; pos < end;) {
            std::uint64_t nameLength = 0;
            ChmEntry entry;
            if (!encintAt(block, pos, end, nameLength) || nameLength > end - pos)
                return false;
            std::string name(block.substr(pos, static_cast<std::size_t>(nameLength)));
            pos += static_cast<std::size_t>(nameLength);
            if (!encintAt(block, pos, end, entry.section) ||
                !encintAt(block, pos, end, entry.offset) ||
                !encintAt(block, pos, end, entry.length))
                return false;
            entries_.insert_or_assign(std::move(name), entry);
        }
        if (chunk == lastChunk)
            break;
        chunk = next;
    }
    return true;
}

std::optional<std::string_view> ChmArchive::section0(std::string_view name) const {
    const auto found = entries_.find(name);
    if (found == entries_.end() || found->second.section != 0)
        return std::nullopt;
    const std::string_view content = std::string_view(bytes_).substr(contentOffset_);
    return slice(content, found->second.offset, found->second.length);
}

bool ChmArchive::decompress() {
    if (section1State_ != Section1::notRead)
        return section1State_ == Section1::read;
    section1State_ = Section1::damaged;
    const std::optional<std::string_view> names = section0("::DataSpace/NameList");
    const std::optional<std::string_view> control =
        section0(std::string(compressedPrefix) + "ControlData");
    const std::optional<std::string_view> table = section0(resetTableName);
    const std::optional<std::string_view> content =
        section0(std::string(compressedPrefix) + "Content");
    if (!names || !control || !table || !content)
        return false;
    // The section names are UTF-16 little-endian.
    std::string sectionName;
    for (char c : std::string_view("MSCompressed")) {
        sectionName += c;
        sectionName += '\0';
    }
    if (names->find(sectionName) == std::string_view::npos)
        return false;

    std::uint32_t controlVersion = 0;
    std::uint32_t resetInterval = 0;
    std::uint32_t windowSize = 0;
    if (!textAt(*control, 4, "LZXC") || !numberAt(*control, 8, controlVersion) ||
        !numberAt(*control, 12, resetInterval) || !numberAt(*control, 16, windowSize))
        return false;
    std::uint64_t resetBytes = resetInterval;
    std::uint64_t windowBytes = windowSize;
    if (controlVersion == 2) {
        resetBytes *= frameSize;
        windowBytes *= frameSize;
    }

    std::uint32_t count = 0;
    std::uint32_t entrySize = 0;
    std::uint32_t tableHeader = 0;
    std::uint64_t length = 0;
    std::uint64_t blockSize = 0;
    if (!numberAt(*table, 4, count) || !numberAt(*table, 8, entrySize) ||
        !numberAt(*table, 12, tableHeader) || !numberAt(*table, 16, length) ||
        !numberAt(*table, 32, blockSize))
        return false;
    if (entrySize != 8 || blockSize != frameSize || resetBytes == 0 || resetBytes % frameSize ||
        resetBytes / frameSize > UINT32_MAX || windowBytes > UINT32_MAX ||
        tableHeader > table->size() || count > (table->size() - tableHeader) / entrySize)
        return false;
    if (length > maxSectionBytes || length / maxExpansion > content->size())
        return false;
    std::vector<std::uint64_t> offsets(count);
    for (std::uint32_t i = 0; i < count; ++i)
        numberAt(*table, tableHeader + std::uint64_t{i} * entrySize, offsets[i]);

    LzxStream stream;
    stream.data = *content;
    stream.length = length;
    stream.frameOffsets = offsets;
    stream.windowSize = static_cast<std::uint32_t>(windowBytes);
    stream.resetFrames = static_cast<std::uint32_t>(resetBytes / frameSize);
    std::optional<std::string> decoded = decompressLzx(stream);
    if (!decoded)
        return false;
    section1_ = std::move(*decoded);
    section1State_ = Section1::read;
    return true;
}

std::optional<std::string> ChmArchive::read(std::string_view name) {
    const auto found = entries_.find(name);
    if (found == entries_.end())
        return std::nullopt;
    const ChmEntry& entry = found->second;
    if (entry.section == 0) {
        const std::optional<std::string_view> bytes = section0(name);
        return bytes ? std::optional<std::string>(*bytes) : std::nullopt;
    }
    if (entry.section != 1 || !decompress())
        return std::nullopt;
    const std::optional<std::string_view> bytes = slice(section1_, entry.offset, entry.length);
    return bytes ? std::optional<std::string>(*bytes) : std::nullopt;
}

} // namespace help_engine
