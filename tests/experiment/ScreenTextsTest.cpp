#include "ScreenTexts.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

struct FillCase {
    std::string text;
    std::string placeholder;
    std::string expected;
};

class Placeholders : public testing::TestWithParam<FillCase> {};

TEST_P(Placeholders, ReplaceOnlyTheFirstOccurrence)
{
    EXPECT_EQ(fillPlaceholder(GetParam().text, GetParam().placeholder, "12"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Placeholders,
    testing::Values(FillCase{"a %%NUMBER%% b %%NUMBER%%", "%%NUMBER%%", "a 12 b %%NUMBER%%"},
                    // The third % after the placeholder stays as the per-cent sign.
                    FillCase{"to %%NUMBER1%%% correct", "%%NUMBER1%%", "to 12% correct"},
                    FillCase{"%%NUMBER1%%", "%%NUMBER2%%", "%%NUMBER1%%"}, // missing: unchanged
                    FillCase{"", "%%NUMBER%%", ""}));

TEST(ScreenTexts, BeforeBlockFillsNumberOneBeforeNumberTwo)
{
    // With NUMBER2 first in the text, each placeholder still gets its own value.
    ZOTConfig config = configFrom("blocksPerRun=9\ntextBeforeBlock=%%NUMBER2%%/%%NUMBER1%%/%%NUMBER1%%");
    EXPECT_EQ(beforeBlockText(config, 2), "9/3/%%NUMBER1%%");
}

TEST(ScreenTexts, WelcomeAnnouncesThePracticeBlockOrTheFirstBlock)
{
    EXPECT_EQ(welcomeText(configFrom("trialsPerBlock=12\npracticeBlock=1"), -1),
              "This practice block\\nincludes 12 trials.\\nPress space to continue!");
    EXPECT_EQ(welcomeText(configFrom("blocksPerRun=4\npracticeBlock=0"), 0),
              "Block 1 of 4.\\nPress space to continue!");
}

struct RateCase {
    float rate;
    Display display;
    std::string expected;
};

class CorrectRates : public testing::TestWithParam<RateCase> {};

TEST_P(CorrectRates, AreWrittenAsTheDisplayShowsThem)
{
    EXPECT_EQ(correctRateText(GetParam().rate, GetParam().display), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Displays, CorrectRates,
                         testing::Values(RateCase{200.0f / 3.0f, MONITOR, "66.6667"}, RateCase{200.0f / 3.0f, VIVE, "66"},
                                         RateCase{87.5f, MONITOR, "87.5"}, RateCase{87.5f, VIVE, "87"},
                                         RateCase{100.0f, MONITOR, "100"}, RateCase{100.0f, VIVE, "100"},
                                         RateCase{0.0f, MONITOR, "0"}, RateCase{0.0f, VIVE, "0"}));

} // namespace
