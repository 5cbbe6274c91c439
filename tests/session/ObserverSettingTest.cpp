// zot.cfg's autopilot key and zotsim name a simulated observer by five numbers.
#include "ObserverSetting.h"

#include <gtest/gtest.h>

namespace {

TEST(ObserverSetting, ReadsFiveNumbersAndRefusesWhatNoObserverCanHave)
{
    std::string problem;
    const auto p = parseObserverSetting(" 50 ,3.4, 15,0.5 ,0.45", problem);
    ASSERT_TRUE(p) << problem;
    EXPECT_EQ(p->C, 50);
    EXPECT_EQ(p->K, 3.4);
    EXPECT_EQ(p->t0Ms, 15);
    EXPECT_EQ(p->alpha, 0.5);
    EXPECT_EQ(p->wLeft, 0.45);

    const struct {
        const char* text;
        const char* problem;
    } refused[] = {
        {"50,3.5,15,0.5", "five numbers"},
        {"50,3.5,15,0.5,0.5,1", "five numbers"},
        {"", "five numbers"},
        {"50,,15,0.5,0.5", "K \"\" is not a number"},
        {"50,3x,15,0.5,0.5", "K \"3x\" is not a number"},
        {"nan,3,15,0.5,0.5", "C \"nan\" is not a number"},
        {"0,3,15,0.5,0.5", "C must be above 0"},
        {"50,6.5,15,0.5,0.5", "K must lie from 0 to 6"},
        {"50,3,-1,0.5,0.5", "t0 must be 0 ms or more"},
        {"50,3,15,-0.1,0.5", "alpha must be 0 or more"},
        {"50,3,15,0.5,1.2", "wLeft must lie from 0 to 1"},
    };
    for (const auto& r : refused) {
        EXPECT_FALSE(parseObserverSetting(r.text, problem)) << r.text;
        EXPECT_NE(problem.find(r.problem), std::string::npos) << r.text << ": " << problem;
    }
}

} // namespace
