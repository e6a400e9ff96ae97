#include <gtest/gtest.h>
#include "allocation/AllocationRules.h"
#include "allocation/ConfigMode.h"
#include "tests/allocation/ClassroomBench.h"

namespace {
using Outcome = ComConfigModeSource::Outcome;

// Never registered anywhere.
const CLSID kNobody = {
    0x0badc0de, 0x7e57, 0x4e11, {0x9a, 0x1e, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55}};

class ConfigModeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(RegisterClassroomComponent()); }

    void Answer(DWORD mode, const std::string& behaviour = "") {
        RegistrySandbox::SetDword(HKEY_LOCAL_MACHINE, kClassroomSettingsKey, "Mode", mode);
        RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kClassroomSettingsKey, "Behaviour",
                                   behaviour);
    }

    RegistrySandbox sandbox;
    int mode = kUnansweredMode;
};

TEST_F(ConfigModeTest, TheComponentAnswersThroughItsMethodsByPosition) {
    Answer(4);
    ComConfigModeSource source;
    source.Query(mode);
    EXPECT_EQ(source.LastOutcome(), Outcome::Answered);
    EXPECT_EQ(mode, 4);
}

TEST_F(ConfigModeTest, AModeCallThatSetsNothingLeavesTheModeAsItWas) {
    RegistrySandbox::CreateKey(HKEY_LOCAL_MACHINE, kClassroomSettingsKey); // no "Mode"
    ComConfigModeSource source;
    source.Query(mode);
    EXPECT_EQ(source.LastOutcome(), Outcome::Answered);
    EXPECT_EQ(mode, kUnansweredMode);
}

TEST_F(ConfigModeTest, AMissingClassLeavesTheMode) {
    ComConfigModeSource source(kNobody);
    source.Query(mode);
    EXPECT_EQ(source.LastOutcome(), Outcome::NotCreated);
    EXPECT_EQ(mode, kUnansweredMode);
}

TEST_F(ConfigModeTest, ARefusedPreparationSkipsTheModeCall) {
    Answer(4, "Refuse");
    ComConfigModeSource source;
    source.Query(mode);
    EXPECT_EQ(source.LastOutcome(), Outcome::Refused);
    EXPECT_EQ(mode, kUnansweredMode);
}

TEST_F(ConfigModeTest, AFaultInsideTheComponentIsCaughtAndTheNextQueryWorks) {
    Answer(4, "Fault");
    ComConfigModeSource source;
    source.Query(mode);
    EXPECT_EQ(source.LastOutcome(), Outcome::Faulted);
    EXPECT_EQ(mode, kUnansweredMode);

    Answer(5);
    source.Query(mode);
    EXPECT_EQ(source.LastOutcome(), Outcome::Answered);
    EXPECT_EQ(mode, 5);
}

TEST_F(ConfigModeTest, AComponentThatNeverReturnsIsAbandoned) {
    Answer(4, "Hang");
    ComConfigModeSource source(kConfigComponentClsid, 300);
    source.Query(mode);
    EXPECT_EQ(source.LastOutcome(), Outcome::TimedOut);
    EXPECT_EQ(mode, kUnansweredMode);
}
} // namespace
