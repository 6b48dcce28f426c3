#include "fake_messages.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

constexpr int idOk = 1;

const std::pair<SystemText, const char*> fixedTexts[] = {
    // "正規表現の使い方が間違っとるぞ。" (32 bytes)
    {SystemText::BadPattern, "\x90\xB3\x8B\x4B\x95\x5C\x8C\xBB\x82\xCC\x8E\x67\x82\xA2\x95\xFB"
                             "\x82\xAA\x8A\xD4\x88\xE1\x82\xC1\x82\xC6\x82\xE9\x82\xBC\x81\x42"},
    // "ファイル名に　\ / :  * ? \" < > |　は使えません", ideographic spaces around (46 bytes)
    {SystemText::ForbiddenCharacter,
     "\x83\x74\x83\x40\x83\x43\x83\x8B\x96\xBC\x82\xC9\x81\x40\x5C\x20"
     "\x2F\x20\x3A\x20\x20\x2A\x20\x3F\x20\x5C\x22\x20\x3C\x20\x3E\x20\x7C"
     "\x81\x40\x82\xCD\x8E\x67\x82\xA6\x82\xDC\x82\xB9\x82\xF1"},
    // "( )の中に{ }を入れることはできません" LF "詳しくはヘルプを参照してください" (69 bytes)
    {SystemText::RegionInGroup, "\x28\x20\x29\x82\xCC\x92\x86\x82\xC9\x7B\x20\x7D\x82\xF0\x93\xFC"
                                "\x82\xEA\x82\xE9\x82\xB1\x82\xC6\x82\xCD\x82\xC5\x82\xAB\x82\xDC"
                                "\x82\xB9\x82\xF1\x0A\x8F\xDA\x82\xB5\x82\xAD\x82\xCD\x83\x77\x83"
                                "\x8B\x83\x76\x82\xF0\x8E\x51\x8F\xC6\x82\xB5\x82\xC4\x82\xAD\x82"
                                "\xBE\x82\xB3\x82\xA2"},
    // "『JRE32.dll』がねぇぞこの野郎。" (31 bytes)
    {SystemText::LibraryUnusable, "\x81\x77\x4A\x52\x45\x33\x32\x2E\x64\x6C\x6C\x81\x78\x82\xAA\x82"
                                  "\xCB\x82\xA5\x82\xBC\x82\xB1\x82\xCC\x96\xEC\x98\x59\x81\x42"},
    // "正規表現の使い方おかしいぞこの野郎。" (36 bytes)
    {SystemText::PatternRefused, "\x90\xB3\x8B\x4B\x95\x5C\x8C\xBB\x82\xCC\x8E\x67\x82\xA2\x95\xFB"
                                 "\x82\xA8\x82\xA9\x82\xB5\x82\xA2\x82\xBC\x82\xB1\x82\xCC\x96\xEC"
                                 "\x98\x59\x81\x42"},
};

} // namespace

std::string shiftJisText(SystemText id) {
    for (const auto& [textId, bytes] : fixedTexts)
        if (textId == id)
            return bytes;
    ADD_FAILURE() << "the engine asked for a text it never shows: " << static_cast<int>(id);
    return {};
}

std::string FakeMessages::text(SystemText id) {
    return shiftJisText(id);
}

int FakeMessages::showMessage(const std::string& text, unsigned type, const std::string& caption) {
    shown.push_back({text, type, caption, false, 0});
    return idOk;
}

int FakeMessages::showHelpMessage(const std::string& text, unsigned type, unsigned helpId) {
    shown.push_back({text, type, {}, true, helpId});
    return idOk;
}
