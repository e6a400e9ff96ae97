// A stand-in for the class-management software's configuration-mode component, so that the
// allocation dialog can be exercised in both layouts (and against a failing component) under
// Wine. Not part of the product.
//
// It answers from HKEY_LOCAL_MACHINE "Software\Orrinford\Rostrum\Configuration":
//   "Mode"      REG_DWORD  the configuration mode reported (no value: the mode is not set)
//   "Behaviour" REG_SZ     "" answers normally; "Refuse" fails the preparing call; "Fault" makes
//                          the mode call fault; "Hang" makes the mode call never return.
#include <windows.h>
#include <objbase.h>
#include <olectl.h>
#include <cstring>
#include <string>

namespace {
// Identifiers of the component; spelled out here independently of the program's own copy.
const CLSID kClsid = {0xBCDFF516, 0x1044, 0x4701, {0xB8, 0xF2, 0x88, 0xFC, 0x70, 0x09, 0xE5, 0x3C}};
const IID kIid = {0x60F0D9AA, 0x05E4, 0x4A29, {0xB2, 0x9C, 0xB1, 0xDC, 0x30, 0xF5, 0x5A, 0x5F}};
const char* const kClsidKey = "Software\\Classes\\CLSID\\{BCDFF516-1044-4701-B8F2-88FC7009E53C}";
const char* const kSettingsKey = "Software\\Orrinford\\Rostrum\\Configuration";

HMODULE g_module = nullptr;
LONG g_objects = 0;
LONG g_locks = 0;

std::string ReadBehaviour() {
    char text[64] = "";
    DWORD size = sizeof text - 1;
    DWORD type = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "";
    if (RegQueryValueExA(key, "Behaviour", nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        text[0] = '\0';
    RegCloseKey(key);
    return text;
}

bool ReadMode(LONG& mode) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD value = 0, size = sizeof value, type = 0;
    bool found = RegQueryValueExA(key, "Mode", nullptr, &type, reinterpret_cast<BYTE*>(&value),
                                  &size) == ERROR_SUCCESS &&
                 type == REG_DWORD;
    RegCloseKey(key);
    if (found) mode = static_cast<LONG>(value);
    return found;
}

// The component's interface: IUnknown's three methods, then twelve of its own (3 to 14).
struct IRostrumConfiguration : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetVersion(LONG* version) = 0;              // 3
    virtual HRESULT STDMETHODCALLTYPE GetRoomName(BSTR* name) = 0;                // 4
    virtual HRESULT STDMETHODCALLTYPE GetStationCount(LONG* count) = 0;           // 5
    virtual HRESULT STDMETHODCALLTYPE GetStationName(LONG index, BSTR* name) = 0; // 6
    virtual HRESULT STDMETHODCALLTYPE GetTeacherStation(BSTR* name) = 0;          // 7
    virtual HRESULT STDMETHODCALLTYPE GetLogonMode(LONG* mode) = 0;               // 8
    virtual HRESULT STDMETHODCALLTYPE SetLogonMode(LONG mode) = 0;                // 9
    virtual HRESULT STDMETHODCALLTYPE GetConfigurationMode(LONG* mode) = 0;       // 10
    virtual HRESULT STDMETHODCALLTYPE SetConfigurationMode(LONG mode) = 0;        // 11
    virtual HRESULT STDMETHODCALLTYPE Refresh() = 0;                              // 12
    virtual HRESULT STDMETHODCALLTYPE Disconnect() = 0;                           // 13
    virtual HRESULT STDMETHODCALLTYPE Connect() = 0;                              // 14
};

class RostrumConfiguration : public IRostrumConfiguration {
public:
    RostrumConfiguration() { InterlockedIncrement(&g_objects); }
    virtual ~RostrumConfiguration() { InterlockedDecrement(&g_objects); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, kIid)) return E_NOINTERFACE;
        *out = static_cast<IRostrumConfiguration*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&references_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE GetVersion(LONG* version) override {
        return version ? (*version = 3, S_OK) : E_POINTER;
    }
    HRESULT STDMETHODCALLTYPE GetRoomName(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetStationCount(LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetStationName(LONG, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTeacherStation(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetLogonMode(LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetLogonMode(LONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetConfigurationMode(LONG* mode) override {
        if (!connected_) return E_UNEXPECTED;
        std::string behaviour = ReadBehaviour();
        if (lstrcmpiA(behaviour.c_str(), "Fault") == 0) {
            volatile LONG* nowhere = nullptr;
            *nowhere = 1;
        }
        if (lstrcmpiA(behaviour.c_str(), "Hang") == 0) Sleep(INFINITE);
        if (!mode) return E_POINTER;
        return ReadMode(*mode) ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE SetConfigurationMode(LONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Refresh() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Disconnect() override {
        connected_ = false;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Connect() override {
        if (lstrcmpiA(ReadBehaviour().c_str(), "Refuse") == 0) return E_FAIL;
        connected_ = true;
        return S_OK;
    }

private:
    LONG references_ = 1;
    bool connected_ = false;
};

class Factory : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory))
            return E_NOINTERFACE;
        *out = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        auto* object = new RostrumConfiguration;
        HRESULT result = object->QueryInterface(iid, out);
        object->Release();
        return result;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock)
            InterlockedIncrement(&g_locks);
        else
            InterlockedDecrement(&g_locks);
        return S_OK;
    }
};

Factory g_factory;

bool SetString(HKEY root, const std::string& path, const char* name, const std::string& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    LONG error = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
    return error == ERROR_SUCCESS;
}
} // namespace

extern "C" {
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

__declspec(dllexport) HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualCLSID(clsid, kClsid)) return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(iid, out);
}

__declspec(dllexport) HRESULT WINAPI DllCanUnloadNow() {
    return g_objects == 0 && g_locks == 0 ? S_OK : S_FALSE;
}

// Registers for the whole machine: Wine ignores per-user class registrations.
__declspec(dllexport) HRESULT WINAPI DllRegisterServer() {
    char path[MAX_PATH] = "";
    if (!GetModuleFileNameA(g_module, path, sizeof path)) return SELFREG_E_CLASS;
    std::string server = std::string(kClsidKey) + "\\InprocServer32";
    bool ok =
        SetString(HKEY_LOCAL_MACHINE, kClsidKey, "", "Rostrum configuration mode (substitute)") &&
        SetString(HKEY_LOCAL_MACHINE, server, "", path) &&
        // Created directly in the asking thread's apartment: the interface has no proxy.
        SetString(HKEY_LOCAL_MACHINE, server, "ThreadingModel", "Apartment");
    return ok ? S_OK : SELFREG_E_CLASS;
}

__declspec(dllexport) HRESULT WINAPI DllUnregisterServer() {
    LONG error = RegDeleteTreeA(HKEY_LOCAL_MACHINE, kClsidKey);
    return error == ERROR_SUCCESS || error == ERROR_FILE_NOT_FOUND ? S_OK : SELFREG_E_CLASS;
}
}
