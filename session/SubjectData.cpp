#include "SubjectData.h"

#include "ZOTConfig.h"

#include <istream>
#include <ostream>
#include <utility>

SubjectData askSubjectData(const ZOTConfig& config, std::istream& input, std::ostream& output)
{
    SubjectData subject;
    if (!config.subjectInput)
        return subject;
    const std::pair<const std::string*, std::string*> questions[] = {
        {&config.textInputSubjectID, &subject.subjectID},     {&config.textInputSubjectCode, &subject.subjectCode},
        {&config.textInputSession, &subject.session},         {&config.textInputAge, &subject.age},
        {&config.textInputGender, &subject.gender},           {&config.textInputHandedness, &subject.handedness},
        {&config.textInputVisionaid, &subject.visionAid},
    };
    for (const auto& [prompt, answer] : questions) {
        output << *prompt << std::endl;
        // Read into a fresh word so that a failed read leaves the "0" in place.
        std::string word;
        if (input >> word)
            *answer = word;
    }
    return subject;
}
