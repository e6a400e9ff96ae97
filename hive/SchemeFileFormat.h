#pragma once
// The scheme file container: a fixed header, then the records' fields back to back, each ended
// by the field terminator; on disk every byte is XORed with the scramble key.
#include "hive/HiveRecord.h"

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

enum class ParseStatus { Ok, BadHeader };

// Splits a plain file into records, terminators left out. `out` is emptied first and stays
// empty when the header is wrong; a last record whose three terminators are not all there is
// dropped.
ParseStatus ParseSchemeFile(std::string_view plain, std::vector<HiveRecord>& out);
