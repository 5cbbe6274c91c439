#include "SubjectData.h"
#include "ZOTConfig.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

ZOTConfig configWith(const std::string& text)
{
    std::istringstream file(text);
    std::ostringstream echo;
    return ZOTConfig(file, echo);
}

std::vector<std::string> answersOf(const SubjectData& s)
{
    return {s.subjectID, s.subjectCode, s.session, s.age, s.gender, s.handedness, s.visionAid};
}

TEST(Dialogue, TakesOneWordPerQuestionAndPrintsEveryPrompt)
{
    const ZOTConfig config = configWith("textInputSubjectID=ID?\ntextInputSubjectCode=Code?\ntextInputSession=S?\n"
                                        "textInputAge=A?\ntextInputGender=G?\ntextInputHandedness=H?\n"
                                        "textInputVisionaid=V?");
    const struct {
        const char* input;
        std::vector<std::string> answers; // in question order
    } cases[] = {
        {"VP1\nxy12\n2\n31\nf\nr\n0\n", {"VP1", "xy12", "2", "31", "f", "r", "0"}},
        {"VP1 xy12\n2\n", {"VP1", "xy12", "2", "0", "0", "0", "0"}}, // two words answer two questions
        {"  a\tb\n\n\n c d e f g h\n", {"a", "b", "c", "d", "e", "f", "g"}},
        {"", {"0", "0", "0", "0", "0", "0", "0"}}, // ended input leaves "0"
        {"VP9", {"VP9", "0", "0", "0", "0", "0", "0"}},
    };
    for (const auto& c : cases) {
        std::istringstream input(c.input);
        std::ostringstream output;
        EXPECT_EQ(answersOf(askSubjectData(config, input, output)), c.answers) << c.input;
        // Also the prompts that input answered in advance, or never, are printed.
        EXPECT_EQ(output.str(), "ID?\nCode?\nS?\nA?\nG?\nH?\nV?\n");
    }
}

TEST(Dialogue, AsksNothingWhenSubjectInputIsOff)
{
    std::istringstream input("VP1 xy12 2 31 f r 0");
    std::ostringstream output;
    const SubjectData subject = askSubjectData(configWith("subjectInput=0"), input, output);
    EXPECT_EQ(output.str(), "");
    EXPECT_EQ(answersOf(subject), std::vector<std::string>(7, "0"));
    EXPECT_EQ(input.tellg(), 0);
}

} // namespace
