#include "jre32.h"

#include "code_page.h"
#include "compiled_pattern.h"
#include "encoding.h"
#include "parse.h"
#include "record.h"
#include "result.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <utility>

using namespace jre32;

namespace {

constexpr unsigned libraryVersion = 0x0100;
constexpr std::size_t maxPatternBytes = 4096;
constexpr std::size_t maxTextBytes = INT32_MAX;

// The length of a NUL-terminated string, or limit + 1 when it is longer than limit; never
// reads further than that.
std::size_t boundedLength(const char* s, std::size_t limit) {
    return strnlen(s, limit + 1);
}

const unsigned char* bytesOf(const char* s) {
    return reinterpret_cast<const unsigned char*>(s);
}

void discardPattern(Record& record) {
    delete record.pattern();
    record.setPattern(nullptr);
}

int refuse(Record& record, Result result, std::int32_t at = 0) {
    record.setResult(result, at);
    return 0;
}

Description descriptionOf(const void* record) {
    if (record == nullptr)
        return noRecordDescription;
    RecordView view(record);
    if (!view.sized())
        return badSizeDescription;
    if (!view.opened())
        return notOpenedDescription;
    return describe(view.result());
}

} // namespace

extern "C" {

JRE32_API int Jre2Open(void* record) {
    if (record == nullptr)
        return 0;
    Record r(record);
    if (!r.sized())
        return 0;
    r.open(processCodePage());
    return 1;
}

JRE32_API int Jre2Compile(void* record, char* pattern) {
    if (record == nullptr)
        return 0;
    Record r(record);
    if (!r.opened())
        return 0;
    discardPattern(r);
    if (pattern == nullptr)
        return refuse(r, Result::noPattern);
    std::size_t size = boundedLength(pattern, maxPatternBytes);
    if (size > maxPatternBytes)
        return refuse(r, Result::patternTooLong);
    try {
        ParsedPattern parsed;
        ParseError error{Result::ok, 0};
        if (!parse(bytesOf(pattern), size, encodingFor(r.codePage()), parsed, error))
            return refuse(r, error.result, error.at);
        r.setPattern(new CompiledPattern(std::move(parsed), encodingFor(r.codePage())));
    } catch (const std::bad_alloc&) {
        return refuse(r, Result::outOfMemory);
    }
    r.setResult(Result::ok);
    return 1;
}

JRE32_API int Jre2GetMatchInfo(void* record, char* text) {
    if (record == nullptr)
        return 0;
    Record r(record);
    if (!r.sized())
        return 0;
    r.setMatch(0, 0);
    if (!r.opened())
        return 0;
    CompiledPattern* pattern = r.pattern();
    if (pattern == nullptr)
        return refuse(r, Result::notCompiled);
    if (text == nullptr)
        return refuse(r, Result::noText);
    std::size_t size = boundedLength(text, maxTextBytes);
    if (size > maxTextBytes)
        return refuse(r, Result::textTooLong);
    std::int32_t startOffset = r.startOffset();
    if (startOffset < 0 || static_cast<std::size_t>(startOffset) > size)
        return refuse(r, Result::startOutOfRange);
    const Encoding& encoding = encodingFor(r.codePage());
    const unsigned char* bytes = bytesOf(text);
    // A search never starts inside a double-byte character.
    std::size_t from = encoding.boundaryFrom(bytes, size, static_cast<std::size_t>(startOffset));
    std::size_t position = 0;
    std::size_t length = 0;
    if (!pattern->search(bytes, size, from, position, length))
        return refuse(r, Result::noMatch);
    r.setMatch(static_cast<std::int32_t>(position), static_cast<std::int32_t>(length));
    r.setResult(Result::ok);
    return 1;
}

JRE32_API int Jre2Close(void* record) {
    if (record == nullptr)
        return 0;
    Record r(record);
    if (!r.opened())
        return 0;
    delete r.pattern();
    r.close();
    return 1;
}

JRE32_API unsigned JreGetVersion(void) {
    return libraryVersion;
}

JRE32_API int GetJreMessage(const void* record, char* buffer, int bufferSize) {
    Description description = descriptionOf(record);
    char text[96];
    int length = description.atByte
                     ? std::snprintf(text, sizeof text, "%s at byte %d", description.text,
                                     static_cast<int>(RecordView(record).resultByte()))
                     : std::snprintf(text, sizeof text, "%s", description.text);
    if (buffer != nullptr && bufferSize > 0) {
        std::size_t n = std::min(std::strlen(text), static_cast<std::size_t>(bufferSize) - 1);
        std::memcpy(buffer, text, n);
        buffer[n] = '\0';
    }
    return length;
}

} // extern "C"
