#pragma once
// Where allocations are kept: one REG_SZ value per class or user below the machine's
// "Class Schemes" and "User Schemes" keys, and the current user's own "ConfigToUse".
#include <string>

inline const char* const kClassSchemes = "Class Schemes";
inline const char* const kUserSchemes = "User Schemes";
// Below HKEY_CURRENT_USER "Software\Orrinford\VexarLumen".
inline const char* const kConfigToUse = "ConfigToUse";

// The scheme allocated to `name` under the key named `type`, from the machine only. False (and
// empty text) when there is none.
bool ReadAllocation(const std::string& name, const std::string& type, std::string& scheme);
// Stores the allocation on the machine; an empty scheme is stored as an empty value. Failures
// are not reported.
void WriteAllocation(const std::string& name, const std::string& type, const std::string& scheme);

// The current user's own scheme; empty when none is set.
std::string ReadConfigToUse();
void WriteConfigToUse(const std::string& scheme);
