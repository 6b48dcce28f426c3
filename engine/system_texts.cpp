#include "system_texts.h"

#include "kibrel_version.h"

namespace {

// The English texts. kibrel-cli's catalog (cli/po/ja.po) takes the same English texts as its
// keys, except where it words a text for the terminal.
std::string_view englishText(SystemText id) {
    switch (id) {
    case SystemText::BadPattern:
        return "The Search text is not a pattern that can be used.";
    case SystemText::ForbiddenCharacter:
        return "A file name cannot hold \\ / : * ? \" < > |";
    case SystemText::RegionInGroup:
        return "A region { } cannot stand inside parentheses ( ).\nSee the help for more.";
    case SystemText::ProgramVersion:
        return KIBREL_VERSION;
    case SystemText::LibraryMissing:
        return "JRE32.DLL was not found.";
    case SystemText::LibraryUnusable:
        return "The regex library jre32 cannot be used.";
    case SystemText::PatternRefused:
        return "The regex library refused the pattern.";
    case SystemText::PathsNotHeld:
        return "These paths hold characters that this system's code page lacks (shown as ?), so "
               "they are left out:";
    }
    return {};
}

} // namespace

TextLanguage textLanguageFor(unsigned ansiCodePage) {
    constexpr unsigned shiftJis = 932;
    return ansiCodePage == shiftJis ? TextLanguage::japanese : TextLanguage::english;
}

std::string_view systemTextUtf8(SystemText id, TextLanguage language) {
    return language == TextLanguage::japanese ? systemTextUtf8(id) : englishText(id);
}

std::string_view systemTextUtf8(SystemText id) {
    switch (id) {
    case SystemText::BadPattern:
        return "正規表現の使い方が間違っとるぞ。";
    case SystemText::ForbiddenCharacter:
        // Ideographic spaces around the characters, two spaces after the colon and a backslash
        // before the double quote, as in the window's string table.
        return "ファイル名に　\\ / :  * ? \\\" < > |　は使えません";
    case SystemText::RegionInGroup:
        return "( )の中に{ }を入れることはできません\n詳しくはヘルプを参照してください";
    case SystemText::ProgramVersion:
        return KIBREL_VERSION;
    case SystemText::LibraryMissing:
        return "JRE32.DLLが見つかりませんでした";
    case SystemText::LibraryUnusable:
        return "『JRE32.dll』がねぇぞこの野郎。";
    case SystemText::PatternRefused:
        return "正規表現の使い方おかしいぞこの野郎。";
    case SystemText::PathsNotHeld:
        return "次のパスには、このシステムのコードページにない文字（?で示したもの）があるため、"
               "対象から外しました:";
    }
    return {};
}

std::string renameFailedText(const std::string& oldPath, const std::string& newPath,
                             const std::string& reason) {
    std::string text = "[" + oldPath + "] -> [" + newPath + "]\n Rename Failed!!";
    if (!reason.empty())
        text += " (" + reason + ")";
    return text;
}
