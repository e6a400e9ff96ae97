#pragma once
// Per-test isolation: HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER point at scratch keys of this
// test alone, and files go to a fresh temporary folder; both are removed at the end.
#include <windows.h>
#include <string>
#include "framework/Platform.h"

class RegistrySandbox {
public:
    RegistrySandbox();
    ~RegistrySandbox();
    RegistrySandbox(const RegistrySandbox&) = delete;
    RegistrySandbox& operator=(const RegistrySandbox&) = delete;

    // Writes through the redirected roots.
    static void SetString(HKEY root, const std::string& path, const std::string& name, const std::string& value,
                          DWORD type = REG_SZ);
    static void SetDword(HKEY root, const std::string& path, const std::string& name, DWORD value);
    static void SetBinary(HKEY root, const std::string& path, const std::string& name, const std::string& bytes,
                          DWORD type = REG_BINARY);
    static void CreateKey(HKEY root, const std::string& path);
    static bool KeyExists(HKEY root, const std::string& path);
    static bool ValueExists(HKEY root, const std::string& path, const std::string& name);
    // REG_SZ text, or "<missing>".
    static std::string GetString(HKEY root, const std::string& path, const std::string& name);
    static DWORD GetType(HKEY root, const std::string& path, const std::string& name);
    static std::string GetRaw(HKEY root, const std::string& path, const std::string& name);

private:
    std::string base_;
    std::string previousLock_;
    HKEY machine_ = nullptr;
    HKEY user_ = nullptr;
};

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }
    void Write(const std::string& name, const std::string& bytes) const;
    std::string Read(const std::string& name) const;
    void MakeFolder(const std::string& name) const;

private:
    std::string path_;
    std::string previousCurrent_;
};

// Catches ExitProgram for the scope: the code is kept and an exception of this type is thrown.
struct ProgramExited {
    int code;
};
class ExitCatcher {
public:
    ExitCatcher();
    ~ExitCatcher();

private:
    ExitHandler previous_;
};
