#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace help_engine {

// One file of a compiled help file's directory.
struct ChmEntry {
    std::uint64_t section = 0;
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
};

// Orders directory names as the help file does: ASCII letters without regard to case.
struct NameLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};

// The files of a compiled help file: its ITSF header, the ITSP directory with its PMGL listing
// chunks, the uncompressed section 0 and the LZX-compressed section 1 ("MSCompressed") with
// its reset table. Everything it reads is checked against the file's bytes: a damaged or
// truncated file gives no archive, or no bytes for the files it damages. Memory stays
// proportional to the file's size: the compressed section is decoded once, when a file of it
// is first read, and only when its stated length is what its compressed bytes can hold and
// at most maxSectionBytes. Tested by tests/unit/help_engine/help_file_test.cpp and fuzzed by
// fuzz/help_file_fuzzer.cpp.
class ChmArchive {
  public:
    static constexpr std::uint64_t maxSectionBytes = 256u << 20;

    // Nothing when `bytes` is not a compiled help file or its directory is damaged.
    static std::optional<ChmArchive> open(std::string bytes);

    // The language the file was compiled for, from its header.
    std::uint32_t languageId() const { return languageId_; }
    const std::map<std::string, ChmEntry, NameLess>& entries() const { return entries_; }
    // The bytes of the file `name` ("/index.html"), from whichever section holds it; nothing
    // when the directory lacks it or its section is damaged.
    std::optional<std::string> read(std::string_view name);

  private:
    ChmArchive() = default;
    bool readHeader();
    bool readDirectory(std::string_view directory);
    std::optional<std::string_view> section0(std::string_view name) const;
    bool decompress();

    std::string bytes_;
    std::uint32_t languageId_ = 0;
    std::uint64_t contentOffset_ = 0;
    std::map<std::string, ChmEntry, NameLess> entries_;
    enum class Section1 { notRead, read, damaged } section1State_ = Section1::notRead;
    std::string section1_;
};

} // namespace help_engine
