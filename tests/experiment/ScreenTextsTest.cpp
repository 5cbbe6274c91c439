#include "ScreenTexts.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(ScreenTexts, PlaceholdersAreReplacedAtTheirFirstOccurrenceOnly)
{
    EXPECT_EQ(fillPlaceholder("a %%NUMBER%% b %%NUMBER%%", "%%NUMBER%%", "12"), "a 12 b %%NUMBER%%");
    // The third % after the placeholder stays as the per-cent sign.
    EXPECT_EQ(fillPlaceholder("to %%NUMBER1%%% correct", "%%NUMBER1%%", "12"), "to 12% correct");
    EXPECT_EQ(fillPlaceholder("%%NUMBER1%%", "%%NUMBER2%%", "12"), "%%NUMBER1%%"); // missing: unchanged
    // With NUMBER2 first in the text, each placeholder still gets its own value.
    EXPECT_EQ(beforeBlockText(configFrom("blocksPerRun=9\ntextBeforeBlock=%%NUMBER2%%/%%NUMBER1%%/%%NUMBER1%%"), 2),
              "9/3/%%NUMBER1%%");
}

TEST(ScreenTexts, WelcomeAnnouncesThePracticeBlockOrTheFirstBlock)
{
    EXPECT_EQ(welcomeText(configFrom("trialsPerBlock=12\npracticeBlock=1"), -1),
              "This practice block\\nincludes 12 trials.\\nPress space to continue!");
    EXPECT_EQ(welcomeText(configFrom("blocksPerRun=4\npracticeBlock=0"), 0),
              "Block 1 of 4.\\nPress space to continue!");
}

} // namespace
