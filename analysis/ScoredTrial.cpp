#include "ScoredTrial.h"

ScoredTrial scoreTrial(const DatTrial& trial)
{
    ScoredTrial scored;
    scored.exposureMs = trial.exposureMs;
    for (int p = 0; p < tvaPlaces; ++p) {
        if (trial.targets[p] != '0')
            scored.display.targets |= 1u << p;
        if (trial.distractors[p] != '0')
            scored.display.distractors |= 1u << p;
    }
    if (trial.report == "-")
        return scored;
    for (char typed : trial.report) {
        const std::size_t place = typed == '0' ? std::string::npos : trial.targets.find(typed);
        if (place == std::string::npos || (scored.reported & (1u << place)))
            ++scored.errors;
        else
            scored.reported |= 1u << place;
    }
    return scored;
}
