#pragma once
// The file and folder calls of the program, in one place.
#include <string>
#include <vector>

bool PathExists(const std::string& path);        // a file or a folder
bool PathWritable(const std::string& path);      // exists and may be written
std::string CurrentFolder();
bool SetCurrentFolder(const std::string& folder);
// Names (not paths) of the entries of `folder` matching `pattern`, in the file system's order.
std::vector<std::string> ListFiles(const std::string& folder, const std::string& pattern);
// True when `path` can be opened for reading right now.
bool CanOpenForReading(const std::string& path);
// The first `maxBytes` bytes of a file (fewer when it is shorter) and its whole size; false when
// it cannot be opened or read.
bool ReadFileHead(const std::string& path, size_t maxBytes, std::string& head, unsigned long long& fileSize);
bool CopyFileIfMissing(const std::string& from, const std::string& to);
// The folder of a path (without the file name and the separator before it), and its file name.
std::string FolderOf(const std::string& path);
std::string FileNameOf(const std::string& path);
// One INI value read through a buffer of `bufferSize` bytes (a longer value is cut to
// bufferSize - 1 characters); `fallback` when the key is missing. Returns the characters copied.
unsigned long ReadIniString(const std::string& file, const std::string& section, const std::string& key,
                            const std::string& fallback, std::string& out, unsigned long bufferSize = 1024);
// The machine's folder for programs' shared data (ProgramData); empty when it cannot be found.
std::string CommonDataFolder();
// Makes `folder` (and its missing parents) so that only administrators and SYSTEM may change
// what is in it and everyone else may only read; a folder that is already there gets that
// protection again. False when it cannot be made or protected.
bool MakeAdminFolder(const std::string& folder);
bool RemoveFile(const std::string& path);
