// Whole schemes through the store: Load reads every section of every listed scheme, SaveAll
// writes them back. The names and layout of the keys are checked by the section tests.
#include <gtest/gtest.h>
#include "store/RegKey.h"
#include "store/SchemeStore.h"
#include "tests/bench/MachineSchemes.h"
#include "tests/bench/RecordingNotices.h"
#include "tests/bench/Sandbox.h"
#include "tests/sections/SchemeSamples.h"

namespace {
const std::string kSchemes = "Software\\Orrinford\\VexarLumen\\Schemes";

const Scheme* Find(const SchemeStore& store, const std::string& name) {
    for (const Scheme& scheme : store.schemes)
        if (scheme.name == name) return &scheme;
    return nullptr;
}

class SchemeStoreModel : public testing::Test {
protected:
    SchemeStoreModel() { RegistrySandbox::CreateKey(HKEY_LOCAL_MACHINE, kSchemes); }
    RegistrySandbox sandbox;
    RecordingNotices notices;
};

TEST_F(SchemeStoreModel, LoadReadsEverySectionOfEveryScheme) {
    Scheme year7 = SampleScheme("Year 7");
    year7.roots.roots.pop_back();
    year7.roots.count = 1;
    year7.tabs.page2 = 1;
    Seed(SampleScheme("Default User"), "Built in");
    Seed(year7, "First year");
    ASSERT_TRUE(RegKey(false, kSchemes + "\\Year 7").DeleteTree("Defaults"));

    SchemeStore store;
    store.Load(true);
    ASSERT_EQ(store.schemes.size(), 2u);
    ASSERT_TRUE(Find(store, "Default User"));
    ASSERT_TRUE(Find(store, "Year 7"));
    EXPECT_EQ(Describe(*Find(store, "Default User")), Describe(SampleScheme("Default User")));
    year7.defaults = DefaultsSection(); // its key is gone: the rest still loads
    EXPECT_EQ(Describe(*Find(store, "Year 7")), Describe(year7));
    EXPECT_TRUE(notices.shown.empty());
}

TEST_F(SchemeStoreModel, SaveAllWritesChangedAndNewSchemesThatLoadBackTheSame) {
    Seed(SampleScheme("Default User"), "Built in");
    SchemeStore store;
    store.Load(false);
    ASSERT_EQ(store.schemes.size(), 1u);
    Scheme& scheme = store.schemes[0];
    scheme.roots.roots.push_back(SampleRoot("Shared", 1, 0));
    scheme.roots.count = 3;
    scheme.webLinks.links.clear();
    scheme.webLinks.count = 0;
    scheme.toolBars.pages[2].side = 0;
    scheme.defaults.silent = 1;
    store.entries.push_back({"Hall", "Main hall"});
    store.schemes.push_back(SampleScheme("Hall"));
    ASSERT_TRUE(store.SaveAll());

    EXPECT_EQ(RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kSchemes, "Hall"), "Main hall");
    // The link removed stays in the registry, unread.
    EXPECT_TRUE(RegistrySandbox::KeyExists(HKEY_LOCAL_MACHINE,
                                           kSchemes + "\\Default User\\WebLinks\\WebLink 1"));
    SchemeStore reloaded;
    reloaded.Load(true);
    ASSERT_EQ(reloaded.schemes.size(), 2u);
    for (const Scheme& saved : store.schemes) {
        ASSERT_TRUE(Find(reloaded, saved.name)) << saved.name;
        EXPECT_EQ(Describe(*Find(reloaded, saved.name)), Describe(saved));
    }
    EXPECT_TRUE(notices.shown.empty());
}
} // namespace
