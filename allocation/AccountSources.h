#pragma once
// Where users and classes come from: the class-management software's registry keys and the
// configuration files of its work-area component. Nothing is sorted, trimmed or de-duplicated.
#include <string>
#include <vector>

// Below HKEY_LOCAL_MACHINE.
inline const char* const kAccountsKey = "Software\\Orrinford\\Rostrum\\Accounts";
inline const char* const kPasswordsKey = "Software\\Orrinford\\Rostrum\\Logon\\Passwords";

// The class files; a test points the readers elsewhere.
inline const char* const kNtClassFolder =
    "C:\\Program Files\\Orrinford\\Rostrum\\PallendraXP\\Config";
inline const char* const k9xClassFile =
    "C:\\Program Files\\Orrinford\\Fennick\\Pallendra\\Pallendra.ini";

bool IsNtPlatform();

// Append the names of the Accounts subkeys; false when the key is missing or cannot be read.
bool ReadUsersNt(std::vector<std::string>& users);
// Replaces `users` with the value names of the Passwords key (their data is never read).
bool ReadUsers9x(std::vector<std::string>& users);

// LocalPallendra.ini, then Pallendra.ini of the same folder; false when the first is missing.
bool ReadClassesNt(std::vector<std::string>& classes,
                   const std::string& configFolder = kNtClassFolder);
// The one file; false when it is missing or its "Default Class" is present but empty.
bool ReadClasses9x(std::vector<std::string>& classes, const std::string& file = k9xClassFile);
