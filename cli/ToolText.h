#pragma once
// The tool's text forms: JSON strings from the 8-bit text of a scheme file.
#include <string>
#include <string_view>

// Windows-1252 text as UTF-8. The five bytes that code page leaves undefined keep their own
// code points, as Windows converts them.
std::string Cp1252ToUtf8(std::string_view text);

// A JSON string literal, quotes included, of Windows-1252 text.
std::string JsonString(std::string_view text);

// UTF-8 text as Windows-1252, for the console: a character the code page lacks, or a broken
// sequence, becomes "?".
std::string Utf8ToCp1252(std::string_view text);
