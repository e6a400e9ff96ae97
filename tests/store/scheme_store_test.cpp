// SchemeStore's enumeration, reports and deletion against the registry.
#include <gtest/gtest.h>
#include "store/RegistryPaths.h"
#include "store/SchemeStore.h"
#include "tests/bench/RecordingNotices.h"
#include "tests/bench/Sandbox.h"

namespace {
const std::string kSchemes = "Software\\Orrinford\\VexarLumen\\Schemes";

class SchemeStoreTest : public ::testing::Test {
protected:
    void AddScheme(const std::string& name, const std::string& description, bool withKey = true) {
        RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kSchemes, name, description);
        if (withKey) RegistrySandbox::CreateKey(HKEY_LOCAL_MACHINE, kSchemes + "\\" + name);
    }
    static std::vector<std::string> Names(const SchemeStore& store) {
        std::vector<std::string> names;
        for (const SchemeEntry& entry : store.entries) names.push_back(entry.name + "=" + entry.description);
        return names;
    }

    RegistrySandbox registry;
    RecordingNotices notices;
};

TEST_F(SchemeStoreTest, ListsOnlySchemesWithValueAndKey) {
    AddScheme("A", "first");
    RegistrySandbox::CreateKey(HKEY_LOCAL_MACHINE, kSchemes + "\\B"); // key without value
    AddScheme("Z", "orphan", false);                                  // value without key
    // The unnamed value's "subkey" would be the Schemes key itself, a path's a part of another
    // scheme: neither is a scheme of its own.
    AddScheme("", "default value", false);
    AddScheme("A\\Tabs", "a path");
    SchemeStore store;
    store.Load(false);
    EXPECT_EQ(std::vector<std::string>{"A=first"}, Names(store));
    ASSERT_EQ(1u, store.schemes.size());
    EXPECT_EQ("A", store.schemes[0].name);
    EXPECT_TRUE(notices.shown.empty());
}

TEST_F(SchemeStoreTest, UnreadableSchemesAreReportedOnlyWhenAsked) {
    AddScheme("A", "");
    AddScheme("X", "", false);
    AddScheme("Y", "", false);
    AddScheme("Z", "", false);
    SchemeStore store;
    store.Load(true);
    ASSERT_EQ(1u, notices.shown.size());
    EXPECT_EQ("Schemes Problem", notices.shown[0].title);
    EXPECT_EQ("The following scheme/s could not be read:\nX, Y, Z.\n\nIt's recommended that they are reloaded "
              "from a valid\nVexar Lumen Scheme Manager configuration file.",
              notices.shown[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), notices.shown[0].flags & MB_ICONMASK);
    EXPECT_EQ(nullptr, notices.shown[0].owner);
    EXPECT_EQ(std::vector<UINT>{MB_ICONEXCLAMATION}, notices.beeps);
}

TEST_F(SchemeStoreTest, EmptySchemesKeyLoadsNothingQuietly) {
    RegistrySandbox::CreateKey(HKEY_LOCAL_MACHINE, kSchemes);
    SchemeStore store;
    store.Load(true);
    EXPECT_TRUE(store.entries.empty());
    EXPECT_TRUE(store.schemes.empty());
    EXPECT_TRUE(notices.shown.empty());
}

TEST_F(SchemeStoreTest, MissingSchemesKeyEndsTheProgram) {
    ExitCatcher exit;
    SchemeStore store;
    try {
        store.Load(false);
        FAIL() << "Load went on without the Schemes key";
    } catch (const ProgramExited& exited) {
        EXPECT_EQ(0, exited.code);
    }
    ASSERT_EQ(1u, notices.shown.size());
    EXPECT_EQ("Serious Problem", notices.shown[0].title);
    EXPECT_NE(std::string::npos, notices.shown[0].text.find("can not run so will now exit"));
}

// A long description must not hide the schemes that come after it in the key.
TEST_F(SchemeStoreTest, LongDescriptionsDoNotEndTheList) {
    // Named so that Wine's sorted enumeration keeps this order.
    AddScheme("A Before", "short");
    AddScheme("B Long", std::string(400, 'd'));
    AddScheme("C After", "short");
    SchemeStore store;
    store.Load(true);
    ASSERT_EQ(3u, store.entries.size());
    EXPECT_EQ(std::string(400, 'd'), store.entries[1].description);
    EXPECT_EQ("C After", store.entries[2].name);
    EXPECT_EQ(3u, store.schemes.size());
}

TEST_F(SchemeStoreTest, SaveAllWritesDescriptionsAndSchemeNames) {
    RegistrySandbox::CreateKey(HKEY_LOCAL_MACHINE, kSchemes);
    SchemeStore store;
    store.entries.push_back({"Infants", "Year one"});
    Scheme scheme;
    scheme.name = "Infants";
    store.schemes.push_back(scheme);
    EXPECT_TRUE(store.SaveAll());
    EXPECT_EQ("Year one", RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kSchemes, "Infants"));
    EXPECT_EQ("Infants", RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kSchemes + "\\Infants", "Scheme Name"));
    EXPECT_TRUE(notices.shown.empty());

    // A scheme without a name of its own is not written over the Schemes key.
    store.schemes[0].name.clear();
    EXPECT_FALSE(store.SaveAll());
    EXPECT_FALSE(RegistrySandbox::ValueExists(HKEY_LOCAL_MACHINE, kSchemes, "Scheme Name"));
}

TEST_F(SchemeStoreTest, SaveAllWithoutSchemesKeyReportsAndCreatesNothing) {
    RegistrySandbox::CreateKey(HKEY_LOCAL_MACHINE, "Software\\Orrinford\\VexarLumen");
    SchemeStore store;
    store.entries.push_back({"Infants", "Year one"});
    Scheme scheme;
    scheme.name = "Infants";
    store.schemes.push_back(scheme);
    EXPECT_FALSE(store.SaveAll());
    ASSERT_EQ(1u, notices.shown.size());
    EXPECT_EQ("Settings Problem", notices.shown[0].title);
    EXPECT_EQ("Caution: There has been a problem setting Software\\Orrinford\\VexarLumen\\Schemes",
              notices.shown[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OK), notices.shown[0].flags);
    EXPECT_FALSE(RegistrySandbox::KeyExists(HKEY_LOCAL_MACHINE, kSchemes));
}

TEST_F(SchemeStoreTest, DeleteRemovesTheWholeTreeOfOneScheme) {
    AddScheme("Maths", "");
    AddScheme("English", "");
    RegistrySandbox::SetDword(HKEY_LOCAL_MACHINE, kSchemes + "\\Maths\\FolderDisplay\\Root 1\\Shell\\Deep", "X", 1);
    RegistrySandbox::SetDword(HKEY_LOCAL_MACHINE, kSchemes + "\\English\\Defaults", "Silent", 1);
    SchemeStore store;
    EXPECT_TRUE(store.Delete("Maths"));
    EXPECT_FALSE(RegistrySandbox::KeyExists(HKEY_LOCAL_MACHINE, kSchemes + "\\Maths"));
    EXPECT_TRUE(RegistrySandbox::KeyExists(HKEY_LOCAL_MACHINE, kSchemes + "\\English\\Defaults"));
    // The value is the caller's to remove.
    EXPECT_TRUE(RegistrySandbox::ValueExists(HKEY_LOCAL_MACHINE, kSchemes, "Maths"));
    // A damaged name never reaches the Schemes key itself or a part of another scheme.
    EXPECT_FALSE(store.Delete(""));
    EXPECT_FALSE(store.Delete("English\\Defaults"));
    EXPECT_TRUE(RegistrySandbox::KeyExists(HKEY_LOCAL_MACHINE, kSchemes + "\\English\\Defaults"));
}

TEST_F(SchemeStoreTest, ProtectedNamesInKeyOrder) {
    const std::string key = "Software\\Orrinford\\VexarLumen\\Protected Schemes";
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, key, "Default User", "");
    RegistrySandbox::SetDword(HKEY_LOCAL_MACHINE, key, "Exam Room", 1);
    EXPECT_EQ((std::vector<std::string>{"Default User", "Exam Room"}), SchemeStore::ReadProtectedNames());
}

TEST_F(SchemeStoreTest, NoProtectedKeyMeansNoProtectedSchemes) {
    EXPECT_TRUE(SchemeStore::ReadProtectedNames().empty());
}
} // namespace
