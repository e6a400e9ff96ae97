#include "framework/FileSystem.h"
#include <windows.h>
#include <io.h>
#include <aclapi.h>
#include <sddl.h>
#include <shlobj.h>

bool PathExists(const std::string& path) { return _access(path.c_str(), 0) == 0; }

bool PathWritable(const std::string& path) { return _access(path.c_str(), 2) == 0; }

std::string CurrentFolder() {
    char buffer[MAX_PATH * 2] = "";
    DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    return std::string(buffer, length < sizeof buffer ? length : 0);
}

bool SetCurrentFolder(const std::string& folder) { return SetCurrentDirectoryA(folder.c_str()) != FALSE; }

std::vector<std::string> ListFiles(const std::string& folder, const std::string& pattern) {
    std::vector<std::string> names;
    std::string wildcard = folder.empty() ? pattern : folder + "\\" + pattern;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(wildcard.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        names.push_back(data.cFileName);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
}

std::string SystemErrorText(unsigned long error) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string said(text ? text : "", length);
    if (text) LocalFree(text);
    while (!said.empty() && (said.back() == '\n' || said.back() == '\r' || said.back() == ' '))
        said.pop_back();
    return (said.empty() ? std::string() : said + " ") + "(error " + std::to_string(error) + ")";
}

bool CanOpenForReading(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

bool ReadFileHead(const std::string& path, size_t maxBytes, std::string& head, unsigned long long& fileSize) {
    head.clear();
    fileSize = 0;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size = {};
    bool ok = GetFileSizeEx(file, &size) != FALSE;
    if (ok) {
        fileSize = static_cast<unsigned long long>(size.QuadPart);
        head.resize(static_cast<size_t>(fileSize < maxBytes ? fileSize : maxBytes));
        DWORD read = 0;
        ok = head.empty() || ReadFile(file, &head[0], static_cast<DWORD>(head.size()), &read, nullptr) != FALSE;
        head.resize(ok ? read : 0);
    }
    CloseHandle(file);
    return ok;
}

bool CopyFileIfMissing(const std::string& from, const std::string& to) {
    return CopyFileA(from.c_str(), to.c_str(), TRUE) != FALSE;
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string FileNameOf(const std::string& path) {
    // Windows takes either slash, and a drive letter may stand without one ("C:school.esm").
    size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

unsigned long ReadIniString(const std::string& file, const std::string& section, const std::string& key,
                            const std::string& fallback, std::string& out, unsigned long bufferSize) {
    std::string buffer(bufferSize > 0 ? bufferSize : 1, '\0');
    DWORD copied = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), &buffer[0],
                                            static_cast<DWORD>(buffer.size()), file.c_str());
    out.assign(buffer.c_str(), copied < buffer.size() ? copied : buffer.size() - 1);
    return copied;
}

std::string CommonDataFolder() {
    char folder[MAX_PATH] = "";
    if (FAILED(
            SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)))
        return std::string();
    return folder;
}

namespace {
// Owned by the administrators; inherited by everything below: full control for SYSTEM and
// administrators, read for users; nothing from the parent (ProgramData lets every user make and
// change files).
const char* const kAdminFolderAccess =
    "O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FRFX;;;BU)";

void MakeParents(const std::string& folder) {
    const std::string parent = FolderOf(folder);
    if (parent.empty() || parent.size() <= 3 || PathExists(parent)) return;
    MakeParents(parent);
    CreateDirectoryA(parent.c_str(), nullptr);
}
} // namespace

bool MakeAdminFolder(const std::string& folder) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(kAdminFolderAccess, SDDL_REVISION_1,
                                                              &descriptor, nullptr))
        return false;
    bool ok = false;
    if (!PathExists(folder)) {
        MakeParents(folder);
        SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
        ok = CreateDirectoryA(folder.c_str(), &attributes) != FALSE;
    }
    if (!ok) {
        // A folder someone else made first must keep neither that someone's rights nor their
        // ownership (an owner may always change the rights again).
        BOOL present = FALSE, defaulted = FALSE;
        PACL acl = nullptr;
        PSID owner = nullptr;
        ok = GetSecurityDescriptorDacl(descriptor, &present, &acl, &defaulted) &&
             GetSecurityDescriptorOwner(descriptor, &owner, &defaulted) &&
             SetNamedSecurityInfoA(const_cast<char*>(folder.c_str()), SE_FILE_OBJECT,
                                   OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION |
                                       PROTECTED_DACL_SECURITY_INFORMATION,
                                   owner, nullptr, acl, nullptr) == ERROR_SUCCESS;
    }
    LocalFree(descriptor);
    return ok && PathExists(folder);
}

bool RemoveFile(const std::string& path) {
    return DeleteFileA(path.c_str()) != FALSE || !PathExists(path);
}
