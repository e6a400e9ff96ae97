#pragma once
// The tool's text forms: JSON strings from the 8-bit text of the registry and of scheme files.
#include <string>
#include <string_view>

// 8-bit text of the ANSI code page `codePage` (the machine's, GetACP) as UTF-8. Code pages 1250
// and 1252 go by table; any other through the system's conversion where there is one, else as
// 1252. Bytes that a code page leaves undefined keep their own code points, as Windows converts
// them.
std::string AnsiToUtf8(std::string_view text, unsigned codePage);
inline std::string Cp1252ToUtf8(std::string_view text) { return AnsiToUtf8(text, 1252); }

// A JSON string literal, quotes included, of text in that code page.
std::string JsonString(std::string_view text, unsigned codePage = 1252);

// UTF-8 text as Windows-1252, for the console: a character the code page lacks, or a broken
// sequence, becomes "?".
std::string Utf8ToCp1252(std::string_view text);
