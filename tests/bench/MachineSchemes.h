#pragma once
// Schemes put on the sandboxed machine as the program stores them, and a key's whole content for
// byte-for-byte before-and-after comparisons.
#include <gtest/gtest.h>
#include <string>
#include "sections/Scheme.h"
#include "store/RegKey.h"
#include "store/RegistryPaths.h"
#include "tests/bench/Sandbox.h"

// The scheme's listing under Schemes with its description, and its key.
inline void Seed(const Scheme& scheme, const std::string& description) {
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kSchemesKey, scheme.name, description);
    ASSERT_TRUE(scheme.WriteToRegistry(scheme.name));
}

// Everything below a key in enumeration order, empty keys and raw values included.
inline std::string Dump(const std::string& path) {
    RegKey key(false, path);
    if (!key.Open(KEY_READ)) return "<no key " + path + ">\n";
    std::string out = "[" + path + "]\n";
    for (const RegValue& value : key.Values())
        out += value.name + " = " + std::to_string(value.type) + ":" + value.data + "\n";
    for (const std::string& name : key.SubKeyNames())
        out += Dump(path + "\\" + name);
    return out;
}
