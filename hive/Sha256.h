#pragma once
// SHA-256 of bytes: the digest the checksum beside a scheme file carries, and what a report
// names a file by. Platform-free, so the program and the tool share one implementation.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

class Sha256 {
public:
    using Digest = std::array<uint8_t, 32>;

    Sha256();
    // Adds bytes; may be called any number of times, with pieces of any length.
    void Update(std::string_view bytes);
    // The digest of everything added. The object is spent afterwards.
    Digest Finish();

private:
    void Block(const uint8_t* block);

    std::array<uint32_t, 8> state_;
    std::array<uint8_t, 64> buffer_{};
    size_t buffered_ = 0;
    uint64_t length_ = 0; // bytes added so far
};

// The digest as 64 lower-case hexadecimal digits.
std::string ToHex(const Sha256::Digest& digest);
// SHA-256 of `bytes` in hexadecimal, as sha256sum prints it.
std::string Sha256Hex(std::string_view bytes);

// The checksum file beside a file, as sha256sum writes it and `sha256sum -c` reads it in the
// file's folder: the digest, two blanks, the bare file name, a line end.
std::string ChecksumLine(std::string_view bytes, std::string_view fileName);
// The digest (lower case) of a checksum file's one line; false when the text is not such a line.
// Either marker (blank for text, asterisk for binary) and a CR LF line end are accepted.
bool ParseChecksumLine(std::string_view text, std::string& hex);
