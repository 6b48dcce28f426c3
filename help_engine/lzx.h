#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace help_engine {

// The LZX-compressed content of a compiled help file, as its control data and reset table
// describe it.
struct LzxStream {
    std::string_view data;
    // How many bytes the stream decodes to.
    std::uint64_t length = 0;
    // Where each 32 KiB frame starts in `data`; the decoder seeks to the frames at which its
    // state is reset.
    std::span<const std::uint64_t> frameOffsets;
    // The window size, a power of two from 2^15 to 2^21 bytes.
    std::uint32_t windowSize = 0;
    // Every how many frames the decoder's state is reset.
    std::uint32_t resetFrames = 0;
};

// Decodes the whole stream. Gives nothing when the stream is damaged: an unknown block kind, a
// prefix code that is over-subscribed or that the bits leave, code lengths or a match that run
// past their bounds, a frame that does not decode to its size, or bits taken past the end of
// `data`. Time is proportional to `length`, which the caller bounds; memory to what has been
// decoded, so a stream that claims more than its bits make fails before it has taken that
// much. Tested by tests/unit/help_engine/lzx_test.cpp.
std::optional<std::string> decompressLzx(const LzxStream& stream);

} // namespace help_engine
