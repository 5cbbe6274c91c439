#include "SubjectData.h"
#include "ZOTConfig.h"

#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>
#include <vector>

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

// A console as the subject meets it: input arrives one line at a time, and
// each time the program waits for a line the wait shows in the output as "|".
class TypedLines : public std::streambuf {
public:
    TypedLines(std::vector<std::string> lines, std::ostream& console) : lines_(std::move(lines)), console_(&console) {}

protected:
    int_type underflow() override
    {
        *console_ << '|';
        if (next_ == lines_.size())
            return traits_type::eof();
        current_ = lines_[next_++] + '\n';
        setg(current_.data(), current_.data(), current_.data() + current_.size());
        return traits_type::to_int_type(current_[0]);
    }

private:
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
    std::string current_;
    std::ostream* console_;
};

TEST(Dialogue, PrintsEachPromptBeforeWaitingForItsAnswer)
{
    const ZOTConfig config = configWith("textInputSubjectID=ID?\ntextInputSubjectCode=Code?\ntextInputSession=S?\n"
                                        "textInputAge=A?\ntextInputGender=G?\ntextInputHandedness=H?\n"
                                        "textInputVisionaid=V?");
    std::ostringstream output;
    // The second line answers two questions: the age prompt is printed, no wait follows.
    TypedLines typed({"VP1", "xy12", "2 31", "f", "r"}, output);
    std::istream input(&typed);
    const SubjectData subject = askSubjectData(config, input, output);
    EXPECT_EQ(output.str(), "ID?\n|Code?\n|S?\n|A?\nG?\n|H?\n|V?\n|");
    EXPECT_EQ(answersOf(subject), (std::vector<std::string>{"VP1", "xy12", "2", "31", "f", "r", "0"}));
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
