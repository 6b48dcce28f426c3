#pragma once

#include "compiled_pattern.h"
#include "encoding.h"
#include "jre_session.h"
#include "parse.h"

#include <cstddef>
#include <memory>
#include <string>
#include <utility>

// The library's search paths one by one, for its tests and fuzz targets: a pattern compiled
// inside the library for one code page and cache size, searched by the Pike VM alone, by the
// DFAs alone, and as the entry points search.

// A cache that holds a handful of states, so that searches empty it and give up on it.
constexpr std::size_t tinyCache = 1024;

// What a search path found, in the terms of the entry points.
inline Found foundBy(bool found, std::size_t position, std::size_t length) {
    if (!found)
        return {false, 0, 0};
    return {true, static_cast<int>(position), static_cast<int>(length)};
}

// A pattern compiled inside the library for one code page and cache size, searched by each
// path alone.
class SearchPaths {
  public:
    SearchPaths(const std::string& pattern, int codePage, std::size_t cacheBytes)
        : encoding_(jre32::encodingFor(codePage)) {
        jre32::ParsedPattern parsed;
        jre32::ParseError error{jre32::Result::ok, 0};
        if (jre32::parse(bytes(pattern), pattern.size(), encoding_, parsed, error))
            compiled_ =
                std::make_unique<jre32::CompiledPattern>(std::move(parsed), encoding_, cacheBytes);
    }

    bool compiled() const { return compiled_ != nullptr; }

    // The first character boundary at or after `offset`.
    std::size_t boundary(const std::string& text, std::size_t offset) const {
        std::size_t at = 0;
        while (at < offset)
            at += static_cast<std::size_t>(encoding_.at(bytes(text), text.size(), at).length);
        return at;
    }

    Found pike(const std::string& text, std::size_t from) {
        std::size_t position = 0;
        std::size_t length = 0;
        bool found = compiled_->searchWithPike(bytes(text), text.size(), from, position, length);
        return foundBy(found, position, length);
    }

    // The DFAs' answer; gaveUp is set instead when they give up.
    Found dfa(const std::string& text, std::size_t from, bool& gaveUp) {
        std::size_t position = 0;
        std::size_t length = 0;
        jre32::Dfa::Outcome outcome =
            compiled_->searchWithDfa(bytes(text), text.size(), from, position, length);
        gaveUp = outcome == jre32::Dfa::Outcome::gaveUp;
        return foundBy(outcome == jre32::Dfa::Outcome::found, position, length);
    }

    Found search(const std::string& text, std::size_t from) {
        std::size_t position = 0;
        std::size_t length = 0;
        bool found = compiled_->search(bytes(text), text.size(), from, position, length);
        return foundBy(found, position, length);
    }

    std::size_t cacheClears() const { return compiled_->cacheClears(); }

  private:
    static const unsigned char* bytes(const std::string& s) {
        return reinterpret_cast<const unsigned char*>(s.data());
    }

    const jre32::Encoding& encoding_;
    std::unique_ptr<jre32::CompiledPattern> compiled_;
};
