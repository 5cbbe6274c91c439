#include "SimulatedObserver.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

TvaParameters observerParameters(const ObserverSetting& setting)
{
    TvaParameters parameters;
    parameters.C = setting.C;
    parameters.pK = capacityAround(setting.K);
    parameters.t0Ms = setting.t0Ms;
    parameters.alpha = setting.alpha;
    parameters.wLeft = setting.wLeft;
    return parameters;
}

SimulatedObserver::SimulatedObserver(const TvaParameters& parameters, std::uint64_t seed)
    : parameters_(parameters), generator_(seed)
{
}

double SimulatedObserver::uniform()
{
    return static_cast<double>(generator_() >> 11) * 0x1.0p-53;
}

std::string SimulatedObserver::report(std::string_view targets, std::string_view distractors, double exposureMs)
{
    struct Item {
        char letter;
        bool target;
        double weight;
        double finishMs;
    };
    std::array<Item, 6> items{};
    int shown = 0;
    double weightSum = 0.0;
    for (std::size_t place = 0; place < 6; ++place) {
        const char target = place < targets.size() ? targets[place] : '0';
        const char distractor = place < distractors.size() ? distractors[place] : '0';
        if (target == '0' && distractor == '0')
            continue;
        // Places 3-5 lie on the left half of the circle.
        const double side = place >= 3 ? parameters_.wLeft : 1.0 - parameters_.wLeft;
        const bool isTarget = target != '0';
        const double weight = side * (isTarget ? 1.0 : parameters_.alpha);
        items[shown++] = {isTarget ? target : distractor, isTarget, weight, 0.0};
        weightSum += weight;
    }

    // The capacity of this display, drawn first.
    double u = uniform();
    int capacity = 6;
    for (int k = 0; k < 7; ++k) {
        if (u < parameters_.pK[k]) {
            capacity = k;
            break;
        }
        u -= parameters_.pK[k];
    }

    for (int i = 0; i < shown; ++i) {
        // Rates are letters per second; times are milliseconds.
        const double rate = weightSum > 0.0 ? parameters_.C * items[i].weight / weightSum : 0.0;
        const double exponential = -std::log1p(-uniform());
        items[i].finishMs = rate > 0.0 ? parameters_.t0Ms + 1000.0 * exponential / rate
                                       : std::numeric_limits<double>::infinity();
    }
    // In the order they finish (six at most: an insertion sort).
    for (int i = 1; i < shown; ++i)
        for (int j = i; j > 0 && items[j].finishMs < items[j - 1].finishMs; --j)
            std::swap(items[j], items[j - 1]);

    std::string typed;
    for (int i = 0; i < std::min(capacity, shown) && items[i].finishMs < exposureMs; ++i)
        if (items[i].target)
            typed += items[i].letter;

    // In random order, as a person types what was seen.
    for (std::size_t i = typed.size(); i > 1; --i) {
        const auto j = static_cast<std::size_t>(uniform() * static_cast<double>(i));
        std::swap(typed[i - 1], typed[j]);
    }
    return typed;
}
