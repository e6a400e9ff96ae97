// RegKey against the real (Wine) registry: types, sizes, expansion, lazy opening.
#include <gtest/gtest.h>
#include <sstream>
#include "store/RegKey.h"
#include "tests/bench/Sandbox.h"

namespace {
const char* const kPath = "Software\\Orrinford\\Test";

class RegKeyTest : public ::testing::Test {
protected:
    RegistrySandbox registry;
};

TEST_F(RegKeyTest, DwordReadsOnlyFourByteDwords) {
    RegistrySandbox::SetDword(HKEY_LOCAL_MACHINE, kPath, "Number", 42);
    RegistrySandbox::SetBinary(HKEY_LOCAL_MACHINE, kPath, "FourBytesBinary", std::string("\x2A\0\0\0", 4));
    RegistrySandbox::SetBinary(HKEY_LOCAL_MACHINE, kPath, "EightBytes", std::string(8, '\x01'), REG_DWORD);
    RegKey key(false, kPath);
    DWORD value = 7;
    EXPECT_TRUE(key.ReadDword("Number", value));
    EXPECT_EQ(42u, value);
    value = 7;
    EXPECT_FALSE(key.ReadDword("FourBytesBinary", value));
    EXPECT_FALSE(key.ReadDword("EightBytes", value));
    EXPECT_FALSE(key.ReadDword("Missing", value));
    EXPECT_EQ(7u, value);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.LastError());
}

TEST_F(RegKeyTest, StringsAndExpansion) {
    SetEnvironmentVariableA("VLSM_TEST_FOLDER", "C:\\Pictures");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kPath, "Plain", "hello");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kPath, "Expand", "%VLSM_TEST_FOLDER%\\a.bmp", REG_EXPAND_SZ);
    RegistrySandbox::SetDword(HKEY_LOCAL_MACHINE, kPath, "Number", 1);
    RegKey key(false, kPath);
    std::string text = "stale";
    EXPECT_TRUE(key.ReadString("Plain", text));
    EXPECT_EQ("hello", text);
    EXPECT_TRUE(key.ReadString("Expand", text, false));
    EXPECT_EQ("%VLSM_TEST_FOLDER%\\a.bmp", text);
    EXPECT_TRUE(key.ReadString("Expand", text, true));
    EXPECT_EQ("C:\\Pictures\\a.bmp", text);
    EXPECT_FALSE(key.ReadString("Number", text, true));
    EXPECT_EQ("", text);
}

TEST_F(RegKeyTest, LongStringsAreReadWhole) {
    std::string longText(5000, 'x');
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kPath, "Long", longText);
    RegKey key(false, kPath);
    std::string text;
    EXPECT_TRUE(key.ReadString("Long", text));
    EXPECT_EQ(longText, text);
}

TEST_F(RegKeyTest, WritesCreateTheKeyOnlyWithTheCreateFlag) {
    RegKey reader(false, kPath);
    EXPECT_FALSE(reader.WriteString("Name", "x"));
    EXPECT_FALSE(RegistrySandbox::KeyExists(HKEY_LOCAL_MACHINE, kPath));

    RegKey writer(true, kPath);
    EXPECT_TRUE(writer.WriteString("Empty", ""));
    EXPECT_TRUE(writer.WriteString("Expand", "%TEMP%", true));
    EXPECT_TRUE(writer.WriteDword("Number", 0xFFFFFFFFu));
    // An empty text is stored as its single zero byte.
    EXPECT_EQ(std::string(1, '\0'), RegistrySandbox::GetRaw(HKEY_LOCAL_MACHINE, kPath, "Empty"));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), RegistrySandbox::GetType(HKEY_LOCAL_MACHINE, kPath, "Empty"));
    EXPECT_EQ(static_cast<DWORD>(REG_EXPAND_SZ), RegistrySandbox::GetType(HKEY_LOCAL_MACHINE, kPath, "Expand"));
    int number = 0;
    EXPECT_TRUE(writer.ReadDword("Number", number));
    EXPECT_EQ(-1, number);
}

TEST_F(RegKeyTest, ChangingThePathReopens) {
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, "Software\\A", "Value", "a");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, "Software\\B", "Value", "b");
    RegKey key(false, "Software\\A");
    std::string text;
    EXPECT_TRUE(key.ReadString("Value", text));
    EXPECT_EQ("a", text);
    key.SetPath("Software\\B");
    EXPECT_TRUE(key.ReadString("Value", text));
    EXPECT_EQ("b", text);
    key.SetPath("Software\\Missing");
    EXPECT_FALSE(key.ReadString("Value", text));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.LastError());
    key.SetPath("Software\\A");
    EXPECT_EQ(ERROR_SUCCESS, key.LastError());
}

TEST_F(RegKeyTest, ValuesAreEnumeratedWholeInOrder) {
    std::string longName(300, 'n');
    std::string longData(1000, 'd');
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kPath, "First", "1");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kPath, longName, "2");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kPath, "Third", longData);
    RegKey key(false, kPath);
    std::vector<RegValue> values = key.Values();
    ASSERT_EQ(3u, values.size());
    EXPECT_EQ("First", values[0].name);
    EXPECT_EQ(longName, values[1].name);
    EXPECT_EQ(longData, values[2].Text());
}

TEST_F(RegKeyTest, DeleteTreeRemovesNestedKeys) {
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, "Software\\Top\\Doomed\\A\\B\\C", "Deep", "x");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, "Software\\Top\\Doomed\\A\\Side", "Side", "x");
    RegistrySandbox::CreateKey(HKEY_LOCAL_MACHINE, "Software\\Top\\Doomed\\D");
    RegistrySandbox::CreateKey(HKEY_LOCAL_MACHINE, "Software\\Top\\Kept");
    RegKey top(false, "Software\\Top");
    EXPECT_TRUE(top.DeleteTree("Doomed"));
    EXPECT_FALSE(RegistrySandbox::KeyExists(HKEY_LOCAL_MACHINE, "Software\\Top\\Doomed"));
    EXPECT_TRUE(RegistrySandbox::KeyExists(HKEY_LOCAL_MACHINE, "Software\\Top\\Kept"));
    EXPECT_FALSE(top.DeleteTree("Doomed"));
}

// A tree read once answers every read as the registry itself would, and refuses writes.
TEST_F(RegKeyTest, ATreeReadOnceAnswersAsTheRegistry) {
    const std::string top = "Software\\Top\\Scheme";
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, top, "Name", "Art");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, top + "\\Sec", "Text", "C:\\a.bmp");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, top + "\\Sec", "Expand", "%WINDIR%",
                               REG_EXPAND_SZ);
    RegistrySandbox::SetBinary(HKEY_LOCAL_MACHINE, top + "\\Sec", "Unended", "abc", REG_SZ);
    RegistrySandbox::SetDword(HKEY_LOCAL_MACHINE, top + "\\Sec\\Item 1", "Number", 7);
    RegistrySandbox::SetBinary(HKEY_LOCAL_MACHINE, top + "\\Sec\\Item 1", "Short", "ab", REG_DWORD);
    RegistrySandbox::CreateKey(HKEY_LOCAL_MACHINE, top + "\\Sec\\Item 2");
    // Every read a section makes, names spelled in other cases among them.
    auto reads = [&] {
        std::ostringstream out;
        RegKey section(false, top + "\\SEC");
        std::string text;
        DWORD number = 0;
        RegValue value;
        out << section.ReadString("text", text) << text << section.ReadString("Expand", text, true)
            << text << section.ReadString("Unended", text) << text
            << section.ReadDword("Text", number) << section.ReadValue("Unended", value)
            << value.type << value.data.size() << section.HasSubKey("item 2")
            << section.HasSubKey("Item 3") << section.LastError();
        for (const std::string& name : section.SubKeyNames())
            out << '|' << name;
        RegKey item(false, top + "\\Sec\\Item 1");
        out << item.ReadDword("NUMBER", number) << number << item.ReadDword("Short", number)
            << RegKey::Exists(HKEY_LOCAL_MACHINE, top + "\\Sec\\Item 3")
            << RegKey(false, top + "\\Gone").Open(KEY_READ) << item.Values().size();
        return out.str();
    };
    const std::string live = reads();
    RegKey parent(false, "Software\\Top");
    KeyTree tree;
    ASSERT_TRUE(parent.ReadTree("Scheme", tree));
    {
        const RegistryImage image(top, tree);
        EXPECT_EQ(live, reads());
        RegKey item(false, top + "\\Sec\\Item 1");
        EXPECT_FALSE(item.WriteDword("Number", 8));
        EXPECT_EQ(ERROR_ACCESS_DENIED, item.LastError());
        EXPECT_EQ(nullptr, item.Handle());
    }
    DWORD number = 0;
    EXPECT_TRUE(RegKey(false, top + "\\Sec\\Item 1").ReadDword("Number", number));
    EXPECT_EQ(7u, number);
}
} // namespace
