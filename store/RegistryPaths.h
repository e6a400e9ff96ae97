#pragma once
// Where the shell and this program keep their settings, all below HKEY_LOCAL_MACHINE unless noted.
#include <string>

inline const char* const kProductKey = "Software\\Orrinford\\VexarLumen";
inline const char* const kSchemesKey = "Software\\Orrinford\\VexarLumen\\Schemes";
inline const char* const kProtectedSchemesKey = "Software\\Orrinford\\VexarLumen\\Protected Schemes";
inline const char* const kUserSchemesKey = "Software\\Orrinford\\VexarLumen\\User Schemes";
inline const char* const kClassSchemesKey = "Software\\Orrinford\\VexarLumen\\Class Schemes";
inline const char* const kUserGroupSchemesKey = "Software\\Orrinford\\VexarLumen\\User Group Schemes";
inline const char* const kSettingsKey = "Software\\Orrinford\\VexarLumen\\Settings";
// Two keys of this program, one without and one with a blank; both are read as they stand.
inline const char* const kHelpSettingsKey = "Software\\Orrinford\\VexarLumen Scheme Manager";
inline const char* const kInstallKey = "Software\\Orrinford\\Vexar Lumen Scheme Manager";
// Below HKEY_CURRENT_USER.
inline const char* const kPolicyKey = "Software\\Policies\\Orrinford\\Vexar Lumen Scheme Manager";

inline std::string SchemeKeyPath(const std::string& schemeName) {
    return std::string(kSchemesKey) + "\\" + schemeName;
}
