#pragma once

#include <iosfwd>
#include <string>

struct ZOTConfig;

/// The subject's answers to the seven questions at the start of a session. An
/// answer that was not asked or not given stays "0", which is what the result
/// files then record.
struct SubjectData {
    std::string subjectID = "0";
    std::string subjectCode = "0";
    std::string session = "0";
    std::string age = "0";
    std::string gender = "0";
    std::string handedness = "0";
    std::string visionAid = "0";
};

/// Asks the seven questions when `subjectInput` is on: each prompt on a line of its
/// own, then one word from input. Words typed on one line answer the following
/// questions in turn; once input has ended, the remaining answers stay "0" (every
/// prompt is still printed).
SubjectData askSubjectData(const ZOTConfig& config, std::istream& input, std::ostream& output);
