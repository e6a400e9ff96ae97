#include "tests/bench/Sandbox.h"
#include <shlwapi.h>
#include "hive/LoadBackup.h"
#include "store/WriterLock.h"
#include <stdexcept>
#include <cstdio>

namespace {
LONG g_counter = 0;

HKEY CreateOrThrow(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create " + path);
    return key;
}

void SetValue(HKEY root, const std::string& path, const std::string& name, DWORD type, const void* data,
              DWORD size) {
    HKEY key = CreateOrThrow(root, path);
    RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

void RemoveFolder(const std::string& path) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            std::string full = path + "\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveFolder(full);
            } else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(path.c_str());
}

void ThrowingExit(int code) { throw ProgramExited{code}; }
} // namespace

RegistrySandbox::RegistrySandbox() {
    char base[128];
    std::snprintf(base, sizeof base, "Software\\VlsmTests\\%lu-%ld", GetCurrentProcessId(),
                  InterlockedIncrement(&g_counter));
    base_ = base;
    machine_ = CreateOrThrow(HKEY_CURRENT_USER, base_ + "\\HKLM");
    user_ = CreateOrThrow(HKEY_CURRENT_USER, base_ + "\\HKCU");
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine_);
    RegOverridePredefKey(HKEY_CURRENT_USER, user_);
    // The writers of this stand-in machine take turns among themselves, never with the tests of
    // another process.
    previousLock_ =
        WriterLock::SetName("Local\\VlsmTests." + std::to_string(GetCurrentProcessId()));
}

RegistrySandbox::~RegistrySandbox() {
    WriterLock::SetName(previousLock_);
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegCloseKey(machine_);
    RegCloseKey(user_);
    SHDeleteKeyA(HKEY_CURRENT_USER, base_.c_str());
}

void RegistrySandbox::SetString(HKEY root, const std::string& path, const std::string& name, const std::string& value,
                                DWORD type) {
    SetValue(root, path, name, type, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void RegistrySandbox::SetDword(HKEY root, const std::string& path, const std::string& name, DWORD value) {
    SetValue(root, path, name, REG_DWORD, &value, sizeof value);
}

void RegistrySandbox::SetBinary(HKEY root, const std::string& path, const std::string& name, const std::string& bytes,
                                DWORD type) {
    SetValue(root, path, name, type, bytes.data(), static_cast<DWORD>(bytes.size()));
}

void RegistrySandbox::CreateKey(HKEY root, const std::string& path) { RegCloseKey(CreateOrThrow(root, path)); }

bool RegistrySandbox::KeyExists(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

bool RegistrySandbox::ValueExists(HKEY root, const std::string& path, const std::string& name) {
    return GetType(root, path, name) != REG_NONE;
}

std::string RegistrySandbox::GetRaw(HKEY root, const std::string& path, const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return "<missing>";
    DWORD size = 0;
    std::string data;
    if (RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS) {
        data.assign(size, '\0');
        if (size) RegQueryValueExA(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&data[0]), &size);
    } else {
        data = "<missing>";
    }
    RegCloseKey(key);
    return data;
}

std::string RegistrySandbox::GetString(HKEY root, const std::string& path, const std::string& name) {
    std::string raw = GetRaw(root, path, name);
    return raw == "<missing>" ? raw : std::string(raw.c_str());
}

DWORD RegistrySandbox::GetType(HKEY root, const std::string& path, const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return REG_NONE;
    DWORD type = REG_NONE;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS) type = REG_NONE;
    RegCloseKey(key);
    return type;
}

TempFolder::TempFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    char name[MAX_PATH];
    std::snprintf(name, sizeof name, "%svlsm-%lu-%ld", temp, GetCurrentProcessId(), InterlockedIncrement(&g_counter));
    path_ = name;
    CreateDirectoryA(path_.c_str(), nullptr);
    char current[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, current);
    previousCurrent_ = current;
    // The backups of this test's loads stay beside its files, never in the machine's folder.
    SetBackupFolder(path_ + "-backups");
}

TempFolder::~TempFolder() {
    SetCurrentDirectoryA(previousCurrent_.c_str()); // a test may have moved into the folder
    RemoveFolder(path_);
    RemoveFolder(path_ + "-backups");
    SetBackupFolder(std::string());
}

void TempFolder::Write(const std::string& name, const std::string& bytes) const {
    HANDLE file = CreateFileA(File(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + name);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string TempFolder::Read(const std::string& name) const {
    HANDLE file = CreateFileA(File(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty()) ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

void TempFolder::MakeFolder(const std::string& name) const { CreateDirectoryA(File(name).c_str(), nullptr); }

ExitCatcher::ExitCatcher() : previous_(SetExitHandler(ThrowingExit)) {}
ExitCatcher::~ExitCatcher() { SetExitHandler(previous_); }
