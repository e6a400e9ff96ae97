#pragma once
// The scheme file container: a fixed header, then the records' fields back to back, each ended
// by the field terminator; on disk every byte is XORed with the scramble key.
#include "hive/HiveRecord.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr char kFieldTerminator = static_cast<char>(0xAC);
constexpr char kScrambleKey = 0x6E;
constexpr std::string_view kSchemeFileHeader{"Vexar Lumen Scheme Manager!\xAC", 28};

// The plain file for records in export form (each field already ends with the terminator):
// the header, then every field written whole, nothing between.
std::string EncodeSchemeFile(const std::vector<HiveRecord>& exportRecords);

// Scrambles plain bytes, or unscrambles scrambled ones.
void ScrambleBytes(std::string& bytes);

enum class ParseStatus { Ok, BadHeader, TooLarge };

// The records of a plain file, as views into its bytes, which must outlive them. Only where each
// field ends is kept, four bytes a field: a parse copies no text and stores little.
class ParsedRecords {
public:
    size_t size() const { return ends_.size() / 3; }
    bool empty() const { return ends_.empty(); }
    RecordView operator[](size_t i) const {
        const size_t first = i == 0 ? kSchemeFileHeader.size() : ends_[3 * i - 1] + size_t(1);
        return {Field(first, ends_[3 * i]), Field(ends_[3 * i] + size_t(1), ends_[3 * i + 1]),
                Field(ends_[3 * i + 1] + size_t(1), ends_[3 * i + 2])};
    }
    void clear() {
        plain_ = {};
        ends_.clear();
    }

private:
    friend ParseStatus ParseSchemeFile(std::string_view plain, ParsedRecords& out);
    std::string_view Field(size_t from, size_t end) const { return plain_.substr(from, end - from); }

    std::string_view plain_;
    std::vector<uint32_t> ends_; // offset in plain_ of every field's terminator
};

// Splits a plain file into records, terminators left out. `out` is emptied first and stays
// empty when the header is wrong; a last record whose three terminators are not all there is
// dropped.
ParseStatus ParseSchemeFile(std::string_view plain, ParsedRecords& out);
