#include "hive/Sha256.h"

#include <gtest/gtest.h>

namespace {

std::string Pattern(size_t n) {
    std::string bytes;
    for (size_t i = 0; i < n; ++i)
        bytes += static_cast<char>((i * 7 + 3) % 256);
    return bytes;
}

TEST(Sha256, PublishedVectors) {
    EXPECT_EQ(Sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(Sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(
        Sha256Hex("abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopq"
                  "klmnopqrlmnopqrsmnopqrstnopqrstu"),
        "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1");
    EXPECT_EQ(Sha256Hex(std::string(1000000, 'a')),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

// The padding differs where the length meets a block's end; every way of feeding the bytes in
// pieces gives the digest of the whole.
TEST(Sha256, LengthsAtBlockEndsAndPiecesOfAnySize) {
    const std::pair<size_t, const char*> expected[] = {
        {55, "e7313d333c272e639f790978283f9eb392e843d0f29b7016828bb1daa4aac70b"},
        {56, "4324d65f3c103567f5589c710bc08f8523f929a9272e3af36fc968e52abc6c27"},
        {63, "81c80242132f230c3bd41b3e63bbcff16107339549214a99614ff26664625055"},
        {64, "39e3d7b6b5d075d37d053ad89b24b41bef4f3c29760c84447cab3f3be1882241"},
        {65, "aacca6ff74fdbb296d165a45cecfa04e5127bc008770fbbdd48006f2d2fae95e"},
        {119, "9ce7368e4daf32341631b492e80359dc9f594b48453cd0dd5bf0b19279cc177e"},
        {120, "7836b787757e95e58b3ca5aec90b1b004e8deba1e50e9675af9cabf1a13a04b5"},
        {1000, "1e9bc38cbf860b9ec31918b065f9b52476c549a782e0e7990bed8ce3868d2371"}};
    for (const auto& [length, hex] : expected) {
        const std::string bytes = Pattern(length);
        EXPECT_EQ(Sha256Hex(bytes), hex) << length;
        for (size_t piece : {1, 3, 63, 64, 65}) {
            Sha256 sha;
            for (size_t at = 0; at < bytes.size(); at += piece)
                sha.Update(std::string_view(bytes).substr(at, piece));
            EXPECT_EQ(ToHex(sha.Finish()), hex) << length << " in pieces of " << piece;
        }
    }
}

TEST(ChecksumLine, WrittenAsSha256sumDoesAndReadBack) {
    const std::string line = ChecksumLine("abc", "school.esm");
    EXPECT_EQ(line,
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad  school.esm\n");
    std::string hex;
    ASSERT_TRUE(ParseChecksumLine(line, hex));
    EXPECT_EQ(hex, Sha256Hex("abc"));

    // Written on another system: binary marker, capitals, CR LF.
    std::string upper = line.substr(0, 64);
    for (char& c : upper)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    ASSERT_TRUE(ParseChecksumLine(upper + " *school.esm\r\n", hex));
    EXPECT_EQ(hex, Sha256Hex("abc"));

    for (const std::string& bad :
         {std::string(), line.substr(1), line.substr(0, 66), "g" + line.substr(1),
          line.substr(0, 64) + "\tschool.esm\n", line + line})
        EXPECT_FALSE(ParseChecksumLine(bad, hex)) << bad;
}

} // namespace
