#pragma once
// What the allocation tests share: the class-management software's stand-in component, a fixed
// configuration mode, and the schemes that the pickers offer.
#include <windows.h>
#include <string>
#include "allocation/ConfigMode.h"
#include "store/RegistryPaths.h"
#include "tests/bench/Sandbox.h"

// Registers RostrumConfig.dll (built beside the test program) for the prefix's machine. COM
// activation does not follow the registry sandbox, so this runs before any sandbox exists.
inline bool RegisterClassroomComponent() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string dll = path;
    dll = dll.substr(0, dll.find_last_of('\\') + 1) + "RostrumConfig.dll";
    HMODULE module = LoadLibraryA(dll.c_str());
    if (!module) return false;
    using Register = HRESULT(WINAPI*)();
    auto registerServer = reinterpret_cast<Register>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllRegisterServer")));
    bool ok = registerServer && SUCCEEDED(registerServer());
    FreeLibrary(module);
    return ok;
}

// The stand-in reads its answer from the (sandboxed) machine registry.
inline const char* const kClassroomSettingsKey = "Software\\Orrinford\\Rostrum\\Configuration";

class FixedMode : public ConfigModeSource {
public:
    explicit FixedMode(int mode) : mode_(mode) {}
    void Query(int& mode) override { mode = mode_; }

private:
    int mode_;
};

// A scheme value with its key, as the store lists it.
inline void AddScheme(const std::string& name) {
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kSchemesKey, name, name + " scheme");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, SchemeKeyPath(name), "Scheme Name", name);
}
