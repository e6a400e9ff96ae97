#pragma once
// The installation's settings. Each call reads the registry again; a missing key or value reads
// as an empty string.
#include <string>

std::string GetHelpPath();
std::string GetDefaultPicturesFolder();
std::string GetUserPicturesFolder();
std::string GetInstallFolder();
// The OnScreen Helper's character file, as the chooser stored it.
std::string GetAgentPath();

// Opens the help file; shows "Help Problem" and returns false when it is not there.
bool OpenHelp();
