#pragma once
// A registry key given by root, path and a create flag, opened lazily by the first operation.
// Every registry access of the program goes through this class. Results are true or false; the
// error code of the last failing call is kept in LastError().
#include <windows.h>
#include <string>
#include <unordered_map>
#include <vector>

struct RegValue {
    std::string name;
    DWORD type = REG_NONE;
    std::string data; // raw bytes as stored
    // The data as text: up to the first zero byte.
    std::string Text() const { return std::string(data.c_str()); }
};

// While one exists, every registry call of any thread that fails for another reason than the key
// or value being absent (access denied, above all) is noted. A command that must read everything
// it touches (a save of every scheme to a file, the list of schemes) then refuses, instead of
// going on with less than the machine holds. One at a time.
class RegistryReadWatch {
public:
    RegistryReadWatch();
    ~RegistryReadWatch();
    RegistryReadWatch(const RegistryReadWatch&) = delete;
    RegistryReadWatch& operator=(const RegistryReadWatch&) = delete;

    bool Clean() const;
    // The first failure: the key's path and what Windows said, e.g.
    // "HKEY_LOCAL_MACHINE\...\Schemes\Art\Defaults: Access is denied. (error 5)".
    std::string FirstFailure() const;

    // Called by RegKey on every failure.
    static void Note(HKEY root, const std::string& path, LONG error);
};

// A key's whole tree as stored: every key, parents before children and subkeys in enumeration
// order, each with its values raw in enumeration order. Written back into a fresh key it exports
// byte for byte as it was read.
struct KeyTree {
    struct Key {
        std::string path; // below the tree's top key; empty for the top key itself
        std::vector<RegValue> values;
    };
    std::string name; // the top key's name as its parent lists it
    std::vector<Key> keys;
};

// While one exists, the RegKeys of its thread read the keys at or below `path` (under
// HKEY_LOCAL_MACHINE) from `tree`, read whole a moment ago, instead of asking the registry for
// every value again. Such a key cannot be written. The newest of a thread's images answers; the
// tree outlives it.
class RegistryImage {
public:
    RegistryImage(const std::string& path, const KeyTree& tree);
    ~RegistryImage();
    RegistryImage(const RegistryImage&) = delete;
    RegistryImage& operator=(const RegistryImage&) = delete;

    // Whether this thread's image covers root\path; `key` is then its key, null when the tree
    // lacks it.
    static bool Covers(HKEY root, const std::string& path, const KeyTree::Key*& key);
    // The names of the direct children of one of this thread's image's keys, in enumeration
    // order.
    static std::vector<std::string> SubKeyNames(const KeyTree::Key& key);

private:
    std::string top_; // folded, as every path here: the registry ignores case
    const KeyTree& tree_;
    const RegistryImage* outer_; // the thread's image before this one
    std::unordered_map<std::string, size_t> keys_;
};

class RegKey {
public:
    RegKey(bool create, const std::string& path, HKEY root = HKEY_LOCAL_MACHINE);
    ~RegKey();
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    void SetPath(const std::string& path);
    void SetRoot(HKEY root);
    void SetCreate(bool create);
    const std::string& Path() const { return path_; }
    LONG LastError() const { return lastError_; }

    // Whether root\path can be opened; uses only its arguments.
    static bool Exists(HKEY root, const std::string& path);

    // Opens now with the given rights (the value operations open lazily with read access, or
    // read and write access when the create flag is set). Closes any earlier handle first.
    bool Open(REGSAM access);
    void Close();
    bool IsOpen() const { return handle_ != nullptr; }
    // The handle, opened now as a value operation would open it; null when it cannot be. A key
    // made with it as root is reached without the server walking the whole path again.
    HKEY Handle() { return EnsureLive() ? handle_ : nullptr; }

    bool WriteDword(const std::string& name, DWORD value);
    // REG_EXPAND_SZ when expand is set, else REG_SZ; the text with its trailing zero byte.
    bool WriteString(const std::string& name, const std::string& text, bool expand = false);
    // True only for a REG_DWORD of exactly four bytes.
    bool ReadDword(const std::string& name, DWORD& out);
    bool ReadDword(const std::string& name, int& out);
    // REG_SZ or REG_EXPAND_SZ; with expand, environment references are expanded. On failure
    // out is empty.
    bool ReadString(const std::string& name, std::string& out, bool expand = false);
    // One value whole, with its type as stored.
    bool ReadValue(const std::string& name, RegValue& out);
    // Reads up to `size` bytes of any type, like a fixed buffer would (false when longer).
    bool ReadRaw(const std::string& name, void* buffer, DWORD size);

    // Any type, the bytes as given.
    bool WriteRaw(const std::string& name, DWORD type, const std::string& data);
    bool DeleteValue(const std::string& name);
    bool HasSubKey(const std::string& name);
    // Every value in enumeration order, each read whole however long its name or data.
    std::vector<RegValue> Values();
    std::vector<std::string> SubKeyNames();
    // The names of the values only; their data is never read.
    std::vector<std::string> ValueNames();
    // Removes the subkey `name` with everything below it, children first.
    bool DeleteTree(const std::string& name);
    // Copies the direct child `from` with its values and everything below it into the direct
    // child `to`, created when missing. Empty names, paths and a copy onto itself are refused.
    bool CopyTree(const std::string& from, const std::string& to);
    // The whole tree of the direct child `name`; false when it cannot be read completely.
    bool ReadTree(const std::string& name, KeyTree& tree);
    // Removes the direct child of the tree's name with everything below it, and writes the tree
    // back whole under that name, so that it holds what was read and nothing else.
    bool WriteTree(const KeyTree& tree);
    // Makes the key's writes durable before the caller goes on.
    bool Flush();

private:
    bool EnsureOpen();
    // EnsureOpen for a call that writes or hands out the handle: an imaged key is refused.
    bool EnsureLive();
    // Whether this thread's image answers for the key; image_ is then its key or null.
    bool FromImage();
    bool Fail(LONG error);

    std::string path_;
    HKEY root_;
    bool create_;
    HKEY handle_ = nullptr;
    bool imaged_ = false;
    const KeyTree::Key* image_ = nullptr;
    LONG lastError_ = ERROR_SUCCESS;
};
