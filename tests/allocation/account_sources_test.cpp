#include <gtest/gtest.h>
#include "allocation/AccountSources.h"
#include "tests/bench/Sandbox.h"

namespace {
using List = std::vector<std::string>;

std::string Pallendra(const std::string& defaultClass, const std::string& available) {
    return "[Pallendra]\r\nDefault Class=" + defaultClass + "\r\nAvailable Classes=" + available +
           "\r\n";
}

class ClassFilesTest : public ::testing::Test {
protected:
    TempFolder folder;
};

TEST_F(ClassFilesTest, NtReadsTheLocalFileThenTheSharedOneListingEveryNameAsGiven) {
    folder.Write("LocalPallendra.ini", Pallendra("7A", "7A, 7B,,8C"));
    folder.Write("Pallendra.ini", Pallendra("Staff", "8C"));
    List classes{"left over"};
    EXPECT_TRUE(ReadClassesNt(classes, folder.Path()));
    EXPECT_EQ(classes, (List{"left over", "7A", "7A", " 7B", "8C", "Staff", "8C"}));
}

TEST_F(ClassFilesTest, NtWithoutTheLocalFileHasNoClassesEvenWithTheSharedOne) {
    folder.Write("Pallendra.ini", Pallendra("Staff", "7A,7B"));
    List classes;
    EXPECT_FALSE(ReadClassesNt(classes, folder.Path()));
    EXPECT_TRUE(classes.empty());
}

TEST_F(ClassFilesTest, MissingAndEmptyKeysNeverListThePlaceholder) {
    folder.Write("LocalPallendra.ini", "[Pallendra]\r\nAvailable Classes=\r\n");
    folder.Write("Pallendra.ini", "[Other]\r\nDefault Class=9D\r\n");
    List classes;
    EXPECT_TRUE(ReadClassesNt(classes, folder.Path()));
    EXPECT_TRUE(classes.empty());
}

TEST_F(ClassFilesTest, ALongValueIsCutAtTheBuffer) {
    std::string available = std::string(1020, 'x') + ",ABCDEF";
    folder.Write("LocalPallendra.ini", "[Pallendra]\r\nAvailable Classes=" + available + "\r\n");
    List classes;
    EXPECT_TRUE(ReadClassesNt(classes, folder.Path()));
    EXPECT_EQ(classes, (List{std::string(1020, 'x'), "AB"}));
}

TEST_F(ClassFilesTest, NineXStopsAtAPresentButEmptyDefaultClass) {
    folder.Write("Pallendra.ini", Pallendra("", "7A,7B"));
    List classes;
    EXPECT_FALSE(ReadClasses9x(classes, folder.File("Pallendra.ini")));
    EXPECT_TRUE(classes.empty());

    folder.Write("Pallendra.ini", "[Pallendra]\r\nAvailable Classes=7A,7B\r\n");
    EXPECT_TRUE(ReadClasses9x(classes, folder.File("Pallendra.ini")));
    EXPECT_EQ(classes, (List{"7A", "7B"}));

    classes.clear();
    EXPECT_FALSE(ReadClasses9x(classes, folder.File("Missing.ini")));
    EXPECT_TRUE(classes.empty());
}

class UserSourcesTest : public ::testing::Test {
protected:
    RegistrySandbox sandbox;
};

TEST_F(UserSourcesTest, NtListsTheAccountSubkeys) {
    List users;
    EXPECT_FALSE(ReadUsersNt(users));
    RegistrySandbox::CreateKey(HKEY_LOCAL_MACHINE, std::string(kAccountsKey) + "\\amelia.hughes");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, std::string(kAccountsKey) + "\\mr.patel",
                               "Full Name", "Mr Patel");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kAccountsKey, "not.a.user", "value");
    EXPECT_TRUE(ReadUsersNt(users));
    EXPECT_EQ(users, (List{"amelia.hughes", "mr.patel"}));
}

TEST_F(UserSourcesTest, NineXListsValueNamesOnlyAndReplacesTheList) {
    List users{"stale"};
    EXPECT_FALSE(ReadUsers9x(users));
    EXPECT_TRUE(users.empty());

    RegistrySandbox::SetBinary(HKEY_LOCAL_MACHINE, kPasswordsKey, "ben.carter",
                               std::string("\x01\x00\xff", 3));
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kPasswordsKey, "chloe okafor", "secret");
    RegistrySandbox::CreateKey(HKEY_LOCAL_MACHINE, std::string(kPasswordsKey) + "\\subkey");
    users = {"stale"};
    EXPECT_TRUE(ReadUsers9x(users));
    EXPECT_EQ(users, (List{"ben.carter", "chloe okafor"}));
}

TEST(Platform, WineIsTheNtFamily) { EXPECT_TRUE(IsNtPlatform()); }
} // namespace
