#include "store/RegKey.h"
#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>
#include "framework/FileSystem.h"

namespace {
// Most values fit here, so a read costs one call; longer ones are read again whole.
constexpr DWORD kFirstTry = 520;

void CloseHandleOf(HKEY& handle) {
    if (handle) RegCloseKey(handle);
    handle = nullptr;
}

// Deletes every key below `key`, children first.
LONG DeleteChildren(HKEY key) {
    for (;;) {
        char name[256];
        DWORD length = sizeof name;
        LONG error = RegEnumKeyExA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (error == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
        if (error != ERROR_SUCCESS) return error;
        HKEY child = nullptr;
        error = RegOpenKeyExA(key, name, 0, KEY_ALL_ACCESS, &child);
        if (error != ERROR_SUCCESS) return error;
        error = DeleteChildren(child);
        RegCloseKey(child);
        if (error != ERROR_SUCCESS) return error;
        error = RegDeleteKeyA(key, name);
        if (error != ERROR_SUCCESS) return error;
    }
}
// The open `key`'s values in enumeration order, raw, appended to `values`; `count`, `maxName` and
// `maxData` as the key's info gave them, so that no call is spent only to hear "no more". A value
// that grew since is read again with room for it. On an error, those read so far stay.
LONG ReadValues(HKEY key, DWORD count, DWORD maxName, DWORD maxData, std::vector<RegValue>& values) {
    values.reserve(values.size() + count);
    std::string name(maxName + 2, '\0');
    std::string data(maxData + 2, '\0');
    for (DWORD index = 0; index < count; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataLength = static_cast<DWORD>(data.size());
        DWORD type = REG_NONE;
        const LONG error = RegEnumValueA(key, index, &name[0], &nameLength, nullptr, &type,
                                         reinterpret_cast<BYTE*>(&data[0]), &dataLength);
        if (error == ERROR_NO_MORE_ITEMS) break;
        if (error == ERROR_MORE_DATA) {
            name.assign(name.size() * 2 + 256, '\0');
            data.assign(data.size() * 2 + dataLength + 256, '\0');
            --index;
            continue;
        }
        if (error != ERROR_SUCCESS) return error;
        values.push_back({name.substr(0, nameLength), type, data.substr(0, dataLength)});
    }
    return ERROR_SUCCESS;
}

// The open `key` at `path` and every key below it, appended to `keys` parents first, values raw
// in enumeration order. The key's own counts say where each listing ends, so a leaf key costs
// its values and three calls besides.
LONG ReadKeys(HKEY key, const std::string& path, std::vector<KeyTree::Key>& keys) {
    DWORD subKeys = 0, count = 0, maxName = 0, maxData = 0;
    LONG error = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr,
                                  &count, &maxName, &maxData, nullptr, nullptr);
    if (error != ERROR_SUCCESS) return error;
    keys.push_back({path, {}});
    error = ReadValues(key, count, maxName, maxData, keys.back().values);
    if (error != ERROR_SUCCESS) return error;
    for (DWORD index = 0; index < subKeys; ++index) {
        char child[256];
        DWORD length = sizeof child;
        error = RegEnumKeyExA(key, index, child, &length, nullptr, nullptr, nullptr, nullptr);
        if (error == ERROR_NO_MORE_ITEMS) break;
        if (error != ERROR_SUCCESS) return error;
        HKEY opened = nullptr;
        error = RegOpenKeyExA(key, child, 0, KEY_READ, &opened);
        if (error != ERROR_SUCCESS) return error;
        error = ReadKeys(opened,
                         path.empty() ? std::string(child, length)
                                      : path + "\\" + std::string(child, length),
                         keys);
        RegCloseKey(opened);
        if (error != ERROR_SUCCESS) return error;
    }
    return ERROR_SUCCESS;
}

LONG SetRaw(HKEY key, const RegValue& value) {
    return RegSetValueExA(key, value.name.c_str(), 0, value.type,
                          reinterpret_cast<const BYTE*>(value.data.data()),
                          static_cast<DWORD>(value.data.size()));
}
} // namespace

namespace {
struct WatchState {
    std::mutex lock;
    bool clean = true;
    std::string first;
};
WatchState g_watchState;
std::atomic<bool> g_watching{false};

std::string RootName(HKEY root) {
    if (root == HKEY_LOCAL_MACHINE) return "HKEY_LOCAL_MACHINE\\";
    if (root == HKEY_CURRENT_USER) return "HKEY_CURRENT_USER\\";
    return std::string(); // a key below an open one: the path is relative to it
}
} // namespace

namespace {
thread_local const RegistryImage* t_image = nullptr;

// As the registry compares names. Nearly every name is plain ASCII, folded here without a call.
std::string Folded(std::string path) {
    bool ascii = true;
    for (char& c : path) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        else if (static_cast<unsigned char>(c) >= 0x80)
            ascii = false;
    }
    if (!ascii) CharUpperBuffA(&path[0], static_cast<DWORD>(path.size()));
    return path;
}
} // namespace

RegistryImage::RegistryImage(const std::string& path, const KeyTree& tree)
    : top_(Folded(path)), tree_(tree), outer_(t_image) {
    for (size_t i = 0; i < tree.keys.size(); ++i)
        keys_.emplace(Folded(tree.keys[i].path), i);
    t_image = this;
}

RegistryImage::~RegistryImage() { t_image = outer_; }

bool RegistryImage::Covers(HKEY root, const std::string& path, const KeyTree::Key*& key) {
    key = nullptr;
    const RegistryImage* image = t_image;
    if (!image || root != HKEY_LOCAL_MACHINE) return false;
    const std::string folded = Folded(path);
    const std::string& top = image->top_;
    if (folded.compare(0, top.size(), top) != 0) return false;
    std::string below;
    if (folded.size() > top.size()) {
        if (folded[top.size()] != '\\') return false;
        below = folded.substr(top.size() + 1);
    }
    const auto at = image->keys_.find(below);
    if (at != image->keys_.end()) key = &image->tree_.keys[at->second];
    return true;
}

std::vector<std::string> RegistryImage::SubKeyNames(const KeyTree::Key& parent) {
    std::vector<std::string> names;
    if (!t_image) return names;
    const std::string folded = Folded(parent.path);
    const size_t start = folded.empty() ? 0 : folded.size() + 1;
    for (const KeyTree::Key& key : t_image->tree_.keys) {
        if (key.path.size() <= start || key.path.find('\\', start) != std::string::npos) continue;
        if (start && (Folded(key.path.substr(0, start - 1)) != folded || key.path[start - 1] != '\\'))
            continue;
        names.push_back(key.path.substr(start));
    }
    return names;
}

RegistryReadWatch::RegistryReadWatch() {
    const std::lock_guard<std::mutex> hold(g_watchState.lock);
    g_watchState.clean = true;
    g_watchState.first.clear();
    g_watching = true;
}

RegistryReadWatch::~RegistryReadWatch() { g_watching = false; }

bool RegistryReadWatch::Clean() const {
    const std::lock_guard<std::mutex> hold(g_watchState.lock);
    return g_watchState.clean;
}

std::string RegistryReadWatch::FirstFailure() const {
    const std::lock_guard<std::mutex> hold(g_watchState.lock);
    return g_watchState.first;
}

void RegistryReadWatch::Note(HKEY root, const std::string& path, LONG error) {
    // Absent keys and values, and values of another type, are what a damaged scheme reads as.
    if (!g_watching || error == ERROR_FILE_NOT_FOUND || error == ERROR_INVALID_DATA ||
        error == ERROR_MORE_DATA || error == ERROR_NO_MORE_ITEMS)
        return;
    const std::lock_guard<std::mutex> hold(g_watchState.lock);
    if (!g_watchState.clean) return;
    g_watchState.clean = false;
    g_watchState.first =
        RootName(root) + path + ": " + SystemErrorText(static_cast<unsigned long>(error));
}

RegKey::RegKey(bool create, const std::string& path, HKEY root) : path_(path), root_(root), create_(create) {}

RegKey::~RegKey() { Close(); }

void RegKey::SetPath(const std::string& path) {
    Close();
    lastError_ = ERROR_SUCCESS;
    path_ = path;
}

void RegKey::SetRoot(HKEY root) {
    Close();
    lastError_ = ERROR_SUCCESS;
    root_ = root;
}

void RegKey::SetCreate(bool create) {
    Close();
    lastError_ = ERROR_SUCCESS;
    create_ = create;
}

bool RegKey::Exists(HKEY root, const std::string& path) {
    const KeyTree::Key* imaged = nullptr;
    if (RegistryImage::Covers(root, path, imaged)) return imaged != nullptr;
    HKEY key = nullptr;
    const LONG error = RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key);
    if (error != ERROR_SUCCESS) {
        RegistryReadWatch::Note(root, path, error);
        return false;
    }
    RegCloseKey(key);
    return true;
}

void RegKey::Close() {
    CloseHandleOf(handle_);
    imaged_ = false;
    image_ = nullptr;
}

bool RegKey::FromImage() {
    if (!imaged_ && !create_) imaged_ = RegistryImage::Covers(root_, path_, image_);
    return imaged_;
}

bool RegKey::Fail(LONG error) {
    lastError_ = error;
    RegistryReadWatch::Note(root_, path_, error);
    return false;
}

bool RegKey::Open(REGSAM access) {
    Close();
    lastError_ = ERROR_SUCCESS;
    if (FromImage()) return image_ || Fail(ERROR_FILE_NOT_FOUND);
    LONG error = RegOpenKeyExA(root_, path_.c_str(), 0, access, &handle_);
    if (error != ERROR_SUCCESS) {
        handle_ = nullptr;
        return Fail(error);
    }
    return true;
}

bool RegKey::EnsureOpen() {
    lastError_ = ERROR_SUCCESS;
    if (handle_) return true;
    if (FromImage()) return image_ || Fail(ERROR_FILE_NOT_FOUND);
    LONG error;
    if (create_) {
        error = RegCreateKeyExA(root_, path_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                KEY_READ | KEY_WRITE, nullptr, &handle_, nullptr);
    } else {
        error = RegOpenKeyExA(root_, path_.c_str(), 0, KEY_READ, &handle_);
    }
    if (error != ERROR_SUCCESS) {
        handle_ = nullptr;
        return Fail(error);
    }
    return true;
}

bool RegKey::EnsureLive() {
    if (!EnsureOpen()) return false;
    return !imaged_ || Fail(ERROR_ACCESS_DENIED);
}

bool RegKey::WriteDword(const std::string& name, DWORD value) {
    if (!EnsureLive()) return false;
    LONG error = RegSetValueExA(handle_, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                sizeof value);
    return error == ERROR_SUCCESS || Fail(error);
}

bool RegKey::WriteString(const std::string& name, const std::string& text, bool expand) {
    if (!EnsureLive()) return false;
    LONG error = RegSetValueExA(handle_, name.c_str(), 0, expand ? REG_EXPAND_SZ : REG_SZ,
                                reinterpret_cast<const BYTE*>(text.c_str()), static_cast<DWORD>(text.size() + 1));
    return error == ERROR_SUCCESS || Fail(error);
}

bool RegKey::ReadDword(const std::string& name, DWORD& out) {
    RegValue value;
    if (!ReadValue(name, value)) return false;
    if (value.type != REG_DWORD || value.data.size() != sizeof out) return Fail(ERROR_INVALID_DATA);
    std::memcpy(&out, value.data.data(), sizeof out);
    return true;
}

bool RegKey::ReadDword(const std::string& name, int& out) {
    DWORD value = 0;
    if (!ReadDword(name, value)) return false;
    out = static_cast<int>(value);
    return true;
}

bool RegKey::ReadString(const std::string& name, std::string& out, bool expand) {
    out.clear();
    RegValue value;
    if (!ReadValue(name, value)) return false;
    if (value.type != REG_SZ && value.type != REG_EXPAND_SZ) return Fail(ERROR_INVALID_DATA);
    std::string text = value.Text(); // stored strings may or may not carry their zero byte
    if (expand) {
        DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
        if (needed == 0) return Fail(static_cast<LONG>(GetLastError()));
        std::string expanded(needed, '\0');
        ExpandEnvironmentStringsA(text.c_str(), &expanded[0], needed);
        text.assign(expanded.c_str());
    }
    out = text;
    return true;
}

bool RegKey::ReadValue(const std::string& name, RegValue& out) {
    if (!EnsureOpen()) return false;
    if (imaged_) {
        // The registry ignores case in names; the spelling asked for is nearly always the stored one.
        const std::vector<RegValue>& values = image_->values;
        auto found = std::find_if(values.begin(), values.end(),
                                  [&](const RegValue& v) { return v.name == name; });
        if (found == values.end())
            found = std::find_if(values.begin(), values.end(), [&](const RegValue& v) {
                return v.name.size() == name.size() && Folded(v.name) == Folded(name);
            });
        if (found == values.end()) return Fail(ERROR_FILE_NOT_FOUND);
        out = *found;
        out.name = name;
        return true;
    }
    out.name = name;
    out.data.assign(kFirstTry, '\0');
    DWORD type = REG_NONE;
    DWORD size = kFirstTry;
    LONG error = RegQueryValueExA(handle_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&out.data[0]), &size);
    if (error == ERROR_MORE_DATA) {
        out.data.assign(size, '\0');
        error = RegQueryValueExA(handle_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&out.data[0]), &size);
    }
    if (error != ERROR_SUCCESS) return Fail(error);
    out.type = type;
    out.data.resize(size);
    return true;
}

bool RegKey::ReadRaw(const std::string& name, void* buffer, DWORD size) {
    RegValue value;
    if (!ReadValue(name, value)) return false;
    if (value.data.size() > size) return Fail(ERROR_MORE_DATA);
    std::memcpy(buffer, value.data.data(), value.data.size());
    return true;
}

bool RegKey::WriteRaw(const std::string& name, DWORD type, const std::string& data) {
    if (!EnsureLive()) return false;
    LONG error = SetRaw(handle_, {name, type, data});
    return error == ERROR_SUCCESS || Fail(error);
}

bool RegKey::DeleteValue(const std::string& name) {
    if (!EnsureLive()) return false;
    LONG error = RegDeleteValueA(handle_, name.c_str());
    return error == ERROR_SUCCESS || Fail(error);
}

bool RegKey::HasSubKey(const std::string& name) {
    if (!EnsureOpen()) return false;
    if (imaged_) {
        const KeyTree::Key* below = nullptr;
        return (RegistryImage::Covers(root_, path_ + "\\" + name, below) && below) ||
               Fail(ERROR_FILE_NOT_FOUND);
    }
    HKEY sub = nullptr;
    LONG error = RegOpenKeyExA(handle_, name.c_str(), 0, KEY_READ, &sub);
    if (error != ERROR_SUCCESS) return Fail(error);
    RegCloseKey(sub);
    return true;
}

std::vector<RegValue> RegKey::Values() {
    std::vector<RegValue> values;
    if (!EnsureOpen()) return values;
    if (imaged_) return image_->values;
    DWORD count = 0, maxName = 0, maxData = 0;
    LONG error = RegQueryInfoKeyA(handle_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                                  &maxName, &maxData, nullptr, nullptr);
    if (error != ERROR_SUCCESS) {
        Fail(error);
        return values;
    }
    error = ReadValues(handle_, count, maxName, maxData, values);
    if (error != ERROR_SUCCESS) Fail(error);
    return values;
}

std::vector<std::string> RegKey::SubKeyNames() {
    std::vector<std::string> names;
    if (!EnsureOpen()) return names;
    if (imaged_) return RegistryImage::SubKeyNames(*image_);
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD length = sizeof name;
        const LONG error = RegEnumKeyExA(handle_, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (error != ERROR_SUCCESS) {
            if (error != ERROR_NO_MORE_ITEMS) Fail(error);
            break;
        }
        names.emplace_back(name, length);
    }
    return names;
}

std::vector<std::string> RegKey::ValueNames() {
    std::vector<std::string> names;
    if (!EnsureOpen()) return names;
    if (imaged_) {
        for (const RegValue& value : image_->values)
            names.push_back(value.name);
        return names;
    }
    for (DWORD index = 0;; ++index) {
        char name[16384]; // the longest value name the registry allows
        DWORD length = sizeof name;
        if (RegEnumValueA(handle_, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    return names;
}

bool RegKey::DeleteTree(const std::string& name) {
    if (!Open(KEY_ALL_ACCESS) || !EnsureLive()) return false;
    HKEY sub = nullptr;
    LONG error = RegOpenKeyExA(handle_, name.c_str(), 0, KEY_ALL_ACCESS, &sub);
    if (error != ERROR_SUCCESS) return Fail(error);
    error = DeleteChildren(sub);
    RegCloseKey(sub);
    if (error == ERROR_SUCCESS) error = RegDeleteKeyA(handle_, name.c_str());
    return error == ERROR_SUCCESS || Fail(error);
}

bool RegKey::CopyTree(const std::string& from, const std::string& to) {
    if (!Open(KEY_ALL_ACCESS) || !EnsureLive()) return false;
    for (const std::string* name : {&from, &to}) {
        if (name->empty() || name->find('\\') != std::string::npos) return Fail(ERROR_INVALID_NAME);
    }
    // Key names ignore case: a copy onto itself would never end.
    if (lstrcmpiA(from.c_str(), to.c_str()) == 0) return Fail(ERROR_INVALID_PARAMETER);
    HKEY source = nullptr;
    LONG error = RegOpenKeyExA(handle_, from.c_str(), 0, KEY_READ, &source);
    if (error != ERROR_SUCCESS) return Fail(error);
    RegCloseKey(source);
    HKEY target = nullptr;
    error = RegCreateKeyExA(handle_, to.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                            &target, nullptr);
    if (error != ERROR_SUCCESS) return Fail(error);
    error = RegCopyTreeA(handle_, from.c_str(), target);
    RegCloseKey(target);
    return error == ERROR_SUCCESS || Fail(error);
}

bool RegKey::ReadTree(const std::string& name, KeyTree& tree) {
    tree = KeyTree();
    if (!EnsureLive()) return false;
    HKEY top = nullptr;
    LONG error = RegOpenKeyExA(handle_, name.c_str(), 0, KEY_READ, &top);
    if (error != ERROR_SUCCESS) return Fail(error);
    tree.name = name;
    error = ReadKeys(top, std::string(), tree.keys);
    RegCloseKey(top);
    return error == ERROR_SUCCESS || Fail(error);
}

bool RegKey::WriteTree(const KeyTree& tree) {
    if (tree.name.empty() || tree.name.find('\\') != std::string::npos)
        return Fail(ERROR_INVALID_NAME);
    if (HasSubKey(tree.name) && !DeleteTree(tree.name)) return false;
    if (!Open(KEY_ALL_ACCESS) || !EnsureLive()) return false;
    HKEY top = nullptr;
    LONG error = RegCreateKeyExA(handle_, tree.name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_ALL_ACCESS, nullptr, &top, nullptr);
    if (error != ERROR_SUCCESS) return Fail(error);
    for (const KeyTree::Key& key : tree.keys) {
        HKEY written = top;
        if (!key.path.empty())
            error = RegCreateKeyExA(top, key.path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                    KEY_ALL_ACCESS, nullptr, &written, nullptr);
        for (size_t i = 0; error == ERROR_SUCCESS && i < key.values.size(); ++i)
            error = SetRaw(written, key.values[i]);
        if (written != top) RegCloseKey(written);
        if (error != ERROR_SUCCESS) break;
    }
    RegCloseKey(top);
    return error == ERROR_SUCCESS || Fail(error);
}

bool RegKey::Flush() {
    if (!EnsureLive()) return false;
    LONG error = RegFlushKey(handle_);
    return error == ERROR_SUCCESS || Fail(error);
}
