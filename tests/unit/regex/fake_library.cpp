// A stand-in regex library for the binding's tests. Built several times: with every entry point,
// or with entry point number FAKE_OMIT (1 Jre2Open ... 6 GetJreMessage) left out. It counts the
// calls it gets in the library's own bytes of the record (offset 4: compiles, offset 5:
// matches) and scribbles over the pattern and text it is given, so that tests can see what
// reached it.
#include <cstring>

#ifdef _WIN32
#define FAKE_EXPORT extern "C" __declspec(dllexport)
#else
#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

#ifndef FAKE_VERSION
#define FAKE_VERSION 0x0210
#endif

#ifndef FAKE_OMIT
#define FAKE_OMIT 0
#endif

namespace {

[[maybe_unused]] void count(void* record, int at) {
    ++static_cast<unsigned char*>(record)[at];
}

[[maybe_unused]] void write32(void* record, int at, int value) {
    std::memcpy(static_cast<unsigned char*>(record) + at, &value, sizeof value);
}

} // namespace

#if FAKE_OMIT != 1
FAKE_EXPORT int Jre2Open(void* record) {
    return record != nullptr;
}
#endif

#if FAKE_OMIT != 2
FAKE_EXPORT int Jre2Compile(void* record, char* pattern) {
    count(record, 4);
    std::memset(pattern, 'X', std::strlen(pattern));
    return 1;
}
#endif

// Reports a match of the first 'm' in the text, with the length of the run of 'm's there.
#if FAKE_OMIT != 3
FAKE_EXPORT int Jre2GetMatchInfo(void* record, char* text) {
    count(record, 5);
    const char* m = std::strchr(text, 'm');
    int position = m != nullptr ? static_cast<int>(m - text) : 0;
    int length = m != nullptr ? static_cast<int>(std::strspn(m, "m")) : 0;
    std::memset(text, 'Y', std::strlen(text));
    write32(record, 20, length);
    write32(record, 24, position);
    return length > 0;
}
#endif

#if FAKE_OMIT != 4
FAKE_EXPORT int Jre2Close(void*) {
    return 1;
}
#endif

#if FAKE_OMIT != 5
FAKE_EXPORT unsigned JreGetVersion() {
    return 0xABCD0000u | FAKE_VERSION;
}
#endif

#if FAKE_OMIT != 6
FAKE_EXPORT int GetJreMessage(const void*, char* buffer, int size) {
    if (buffer != nullptr && size > 0)
        buffer[0] = '\0';
    return 0;
}
#endif
