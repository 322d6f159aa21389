#pragma once
// The small text conversions the format needs. Texts inside the program are
// UTF-8 std::string; the file holds UTF-8 (satellite names), ISO-8859-1
// (service names, providers, timer names) and Windows-1252 (favourite names).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ve {

enum class CodePage { Latin1, Windows1252 };

// Bytes up to the first zero (at most maxBytes) as UTF-8.
std::string DecodeFixed(const uint8_t* bytes, size_t maxBytes, CodePage cp);
// UTF-8 bytes up to the first zero, invalid sequences become U+FFFD.
std::string DecodeUtf8Fixed(const uint8_t* bytes, size_t maxBytes);

// UTF-8 text to code points; invalid sequences become U+FFFD.
std::u32string Utf8ToUtf32(const std::string& text);
std::string Utf32ToUtf8(const std::u32string& text);
std::u16string Utf8ToUtf16(const std::string& text);
void AppendUtf8(std::string& out, char32_t cp);

// Encodes code points; characters the code page lacks become '?'.
std::string EncodeCodePage(const std::u32string& text, CodePage cp);
char32_t DecodeByte(uint8_t byte, CodePage cp);

// The text for a line of text output: control characters (U+0000 to U+001F,
// U+007F to U+009F) written as "\n", "\r", "\t" or "\x1b", so a name that
// holds them stays on its line and sends nothing to the terminal.
std::string EscapeControls(const std::string& utf8);

} // namespace ve
