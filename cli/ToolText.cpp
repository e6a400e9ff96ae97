#include "cli/ToolText.h"
#include <cstdint>
#ifdef _WIN32
#include <windows.h>
#endif
#include "cli/Json.h"

namespace {

// 0x80 to 0x9F of code page 1252; 0 where it defines nothing. 0xA0 to 0xFF are Latin-1.
const uint16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// 0x80 to 0xFF of code page 1250 (Central European).
const uint16_t kCentralEuropean[128] = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039,
    0x015A, 0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB,
    0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

uint32_t CodePoint1252(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 && kHighControls[byte - 0x80] ? kHighControls[byte - 0x80]
                                                                     : byte;
}

void AppendUtf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

#ifdef _WIN32
// Any other code page, through the system; empty when it cannot convert.
std::string SystemToUtf8(std::string_view text, unsigned codePage) {
    const int size = static_cast<int>(text.size());
    const int wide = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    if (wide <= 0) return std::string();
    std::wstring utf16(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, &utf16[0], wide);
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0)
        WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, &out[0], bytes, nullptr, nullptr);
    return out;
}
#endif

} // namespace

std::string AnsiToUtf8(std::string_view text, unsigned codePage) {
#ifdef _WIN32
    if (codePage != 1250 && codePage != 1252 && !text.empty()) {
        std::string converted = SystemToUtf8(text, codePage);
        if (!converted.empty()) return converted;
    }
#endif
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        AppendUtf8(out, byte < 0x80        ? byte
                        : codePage == 1250 ? kCentralEuropean[byte - 0x80]
                                           : CodePoint1252(byte));
    }
    return out;
}

std::string JsonString(std::string_view text, unsigned codePage) {
    return Json(AnsiToUtf8(text, codePage)).dump();
}

std::string Utf8ToCp1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80             ? 1
                              : (lead & 0xE0) == 0xC0 ? 2
                              : (lead & 0xF0) == 0xE0 ? 3
                              : (lead & 0xF8) == 0xF0 ? 4
                                                      : 0;
        uint32_t code = length == 1   ? lead
                        : length == 2 ? lead & 0x1F
                        : length == 3 ? lead & 0x0F
                                      : lead & 0x07;
        bool whole = length > 0 && i + length <= text.size();
        for (size_t k = 1; whole && k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            whole = (next & 0xC0) == 0x80;
            code = code << 6 | (next & 0x3F);
        }
        if (!whole) {
            out += '?';
            ++i;
            continue;
        }
        i += length;
        char byte = '?';
        if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) byte = static_cast<char>(code);
        for (int k = 0; k < 32; ++k) {
            const bool undefinedHere = !kHighControls[k] && code == 0x80u + k;
            if (code >= 0x80 && (kHighControls[k] == code || undefinedHere))
                byte = static_cast<char>(0x80 + k);
        }
        out += byte;
    }
    return out;
}
