#include "cli/ToolText.h"
#include <cstdint>
#include "cli/Json.h"

namespace {

// 0x80 to 0x9F; 0 where the code page defines nothing.
const uint16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

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

} // namespace

std::string Cp1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        uint32_t code = byte;
        if (byte >= 0x80 && byte < 0xA0 && kHighControls[byte - 0x80])
            code = kHighControls[byte - 0x80];
        AppendUtf8(out, code);
    }
    return out;
}

std::string JsonString(std::string_view text) { return Json(Cp1252ToUtf8(text)).dump(); }

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
