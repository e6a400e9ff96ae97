#pragma once
// The tool's text forms: JSON strings from the 8-bit text of a scheme file.
#include <string>
#include <string_view>

// Windows-1252 text as UTF-8. The five bytes that code page leaves undefined keep their own
// code points, as Windows converts them.
std::string Cp1252ToUtf8(std::string_view text);

// A JSON string literal, quotes included, of Windows-1252 text.
std::string JsonString(std::string_view text);
