#pragma once

/*
 * jre32: the regular-expression library of Kibrel, a shared library (jre32.dll on Windows,
 * libjre32.so elsewhere) with six C entry points. Version 1.00.
 *
 * The record
 *   Every call but JreGetVersion takes a 54-byte record, little-endian:
 *     offset 0, 4 bytes   size, 54, written by the caller before Jre2Open
 *     offset 4, 4 bytes   the library's (a state word)
 *     offset 8, 4 bytes   startOffset, signed, written by the caller before each search
 *     offset 12, 8 bytes  the library's (the compiled pattern)
 *     offset 20, 4 bytes  matchLength, signed, written by the library
 *     offset 24, 4 bytes  matchPosition, signed, written by the library, counted from the first
 *                         byte of the text
 *     offset 28, 2 bytes  the caller's; the library never reads or writes it
 *     offset 30, 24 bytes the library's (the last result, its byte position, the code page)
 *   A record whose size is not 54 is refused by every entry point and never written.
 *
 * Code page
 *   Patterns and texts are NUL-terminated byte strings in one code page, fixed for the record
 *   by Jre2Open: the number in the environment variable JRE32_CODEPAGE when it holds one
 *   (decimal digits only, 1 to 65535; anything else is ignored), else on Windows the ANSI code
 *   page (GetACP), elsewhere 65001 when nl_langinfo(CODESET) is "UTF-8" and 1252 otherwise.
 *   932 is Shift-JIS, 65001 is UTF-8, every other number is a single-byte code page.
 *   A character is one byte; under 932 a lead byte (0x81-0x9F, 0xE0-0xFC) followed by a trail
 *   byte (0x40-0x7E, 0x80-0xFC), whose value is lead * 256 + trail; under 65001 a well-formed
 *   UTF-8 sequence, whose value is its code point. Any byte that does not begin a well-formed
 *   character is a character of its own: its value is the byte, except under 65001, where it is
 *   0x110000 + the byte, so that it never equals a code point. So a lone lead byte, or a form
 *   feed between a lead and a trail byte, is simply a character. Syntax characters are always
 *   one-byte characters: the trail byte 0x5C of a double-byte character is never a backslash.
 *
 * The dialect
 *   c        a character matches itself (double-byte characters included); case-sensitive.
 *            Form feed (byte 12), "{" and "}" are ordinary characters.
 *   .        any one character, line feed, carriage return and form feed included
 *   [...]    one character of the set; [^...] one character not in it. A "]" right after "[" or
 *            "[^" is a member; a range a-z takes the characters whose values lie from a to z
 *            (so [あ-ん] works under 932); a "-" first, last, or next to a class escape is a
 *            member; escapes work inside, \d \D \w \W \s \S included
 *   (x)      grouping
 *   x|y      alternation, tried left to right
 *   x* x+ x? greedy repetitions; x*? x+? x?? their lazy forms. A repetition operator right after
 *            another one (x**, x+*, x*??) is refused; only the lazy "?" may follow.
 *   ^ $      the start and the end of the whole text (^ never matches after byte 0, even when
 *            the search starts later; $ matches only at the terminating NUL)
 *   \t \n \r \f \v   tab, line feed, carriage return, form feed, vertical tab
 *   \xHH     the character whose value is the two hexadecimal digits HH (\x00 is refused,
 *            since no text can hold it)
 *   \d \w \s digits [0-9], word characters [0-9A-Za-z_], white space [ \t\n\v\f\r] (ASCII only);
 *   \D \W \S any character not in the class, double-byte characters included
 *   \c       a backslash before any other character makes that character literal, a whole
 *            double-byte character included
 *   Matching is leftmost-first, as a backtracking matcher would find it: the match that starts
 *   leftmost, and among those the one that greedy and lazy priorities and alternatives taken
 *   left to right give first. An iteration of a repetition that matches the empty string ends
 *   the repetition at once, so (a??)* on "aa" matches the empty string and (b?|.)+ on "bxx"
 *   matches "b". The matcher runs in time proportional to the text length times the pattern
 *   size, with memory proportional to the pattern size plus a cache of automaton states of a
 *   fixed size (at most about 2 MB), whatever the pattern; repetitions whose body can match
 *   the empty string, nested inside one another, multiply both by their nesting depth (at
 *   most 200).
 *   The empty pattern is accepted; it matches the empty string where the search starts.
 *
 * Limits
 *   A pattern of more than 4096 bytes is refused ("pattern too long"), as are parentheses
 *   nested more than 200 deep. A text longer than 2^31 - 1 bytes is refused.
 */

#if defined(_WIN32) && defined(JRE32_BUILDING)
#define JRE32_API __declspec(dllexport)
#elif defined(_WIN32)
#define JRE32_API __declspec(dllimport)
#else
#define JRE32_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Prepares the record: the library's bytes and the match fields read 0, and its code page is
   fixed. Nonzero on success; 0 for a null record or a size other than 54. */
JRE32_API int Jre2Open(void* record);

/* Compiles the NUL-terminated pattern for the following searches, replacing (and freeing) the
   pattern compiled before. Nonzero when the pattern is accepted; when it is refused, no pattern
   remains compiled and GetJreMessage tells why. */
JRE32_API int Jre2Compile(void* record, char* pattern);

/* Searches the NUL-terminated text, from startOffset (taken as a character boundary) on,
   for the first match, and writes matchLength and matchPosition. Nonzero when a match was found
   (an empty match too, with length 0). Otherwise, also when no pattern is compiled or
   startOffset lies outside 0 to the text's length, both fields read 0 afterwards. The text is
   only read. */
JRE32_API int Jre2GetMatchInfo(void* record, char* text);

/* Releases what the library holds for the record; the record then reads as not opened, with
   its match fields 0.
   Safe on a record that was opened but never compiled, and on one already closed. Returns
   nonzero when the record was open. */
JRE32_API int Jre2Close(void* record);

/* The library's version in the low 16 bits, high byte major, low byte minor: 0x0100. */
JRE32_API unsigned JreGetVersion(void);

/* Writes an English one-line description of the record's last result ("no error", "no match",
   "unbalanced parenthesis at byte 3", "pattern too long", ...) into buffer: at most bufferSize
   bytes, the last of them the terminating NUL, cut short when the buffer is smaller; nothing
   when buffer is null or bufferSize <= 0. A null record is described as "no record". Returns
   the length of the whole description, without its NUL. */
JRE32_API int GetJreMessage(const void* record, char* buffer, int bufferSize);

#ifdef __cplusplus
}
#endif
