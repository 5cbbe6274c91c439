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

struct DialogueCase {
    const char* name;
    std::string input;
    std::vector<std::string> answers; // in question order
};

void PrintTo(const DialogueCase& c, std::ostream* out)
{
    *out << c.name;
}

class Dialogue : public testing::TestWithParam<DialogueCase> {};

TEST_P(Dialogue, TakesOneWordPerQuestion)
{
    const ZOTConfig config = configWith("textInputSubjectID=ID?\ntextInputSubjectCode=Code?\ntextInputSession=S?\n"
                                        "textInputAge=A?\ntextInputGender=G?\ntextInputHandedness=H?\n"
                                        "textInputVisionaid=V?");
    std::istringstream input(GetParam().input);
    std::ostringstream output;
    const SubjectData subject = askSubjectData(config, input, output);
    EXPECT_EQ((std::vector<std::string>{subject.subjectID, subject.subjectCode, subject.session, subject.age,
                                        subject.gender, subject.handedness, subject.visionAid}),
              GetParam().answers);
    // Every prompt is printed, also those that input answered in advance or never.
    EXPECT_EQ(output.str(), "ID?\nCode?\nS?\nA?\nG?\nH?\nV?\n");
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, Dialogue,
    testing::Values(DialogueCase{"OneLinePerAnswer", "VP1\nxy12\n2\n31\nf\nr\n0\n",
                                 {"VP1", "xy12", "2", "31", "f", "r", "0"}},
                    DialogueCase{"TwoWordsAnswerTwoQuestions", "VP1 xy12\n2\n", {"VP1", "xy12", "2", "0", "0", "0", "0"}},
                    DialogueCase{"BlanksAndEmptyLinesAreSkipped", "  a\tb\n\n\n c d e f g h\n",
                                 {"a", "b", "c", "d", "e", "f", "g"}},
                    DialogueCase{"EndedInputLeavesZero", "", {"0", "0", "0", "0", "0", "0", "0"}},
                    DialogueCase{"InputEndingWithoutLineEnd", "VP9", {"VP9", "0", "0", "0", "0", "0", "0"}}),
    [](const testing::TestParamInfo<DialogueCase>& info) { return std::string(info.param.name); });

TEST(Dialogue, AsksNothingWhenSubjectInputIsOff)
{
    std::istringstream input("VP1 xy12 2 31 f r 0");
    std::ostringstream output;
    const SubjectData subject = askSubjectData(configWith("subjectInput=0"), input, output);
    EXPECT_EQ(output.str(), "");
    EXPECT_EQ(subject.subjectID, "0");
    EXPECT_EQ(subject.visionAid, "0");
    std::string untouched;
    input >> untouched;
    EXPECT_EQ(untouched, "VP1");
}

} // namespace
