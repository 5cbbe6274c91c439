// Time of the TVA fit per session, on one core: zotfit_bench FILE.dat [repeats].
// Prints the processor time of each fit (which the load of other programs on
// the machine barely changes) and the wall-clock time beside it.
#include "DatFile.h"
#include "Spread.h"
#include "TvaFit.h"

#include <cstdlib>
#include <ctime>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: zotfit_bench FILE.dat [repeats]\n");
        return 2;
    }
    const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    std::vector<DatSession> sessions;
    try {
        sessions = readDatFile(argv[1]);
    } catch (const DatError& error) {
        std::fprintf(stderr, "zotfit_bench: %s\n", error.what());
        return 1;
    }
    for (const DatSession& session : sessions) {
        if (session.trials.empty())
            continue;
        std::vector<double> processor, wall;
        TvaFitResult fit;
        for (int r = 0; r < repeats; ++r) {
            const std::clock_t startClock = std::clock();
            const auto start = std::chrono::steady_clock::now();
            fit = fitTva(session);
            wall.push_back(milliseconds(std::chrono::steady_clock::now() - start));
            processor.push_back(1000.0 * static_cast<double>(std::clock() - startClock) / CLOCKS_PER_SEC);
        }
        std::printf("session %d: %d trials, %d likelihood evaluations, C %.1f K %.2f t0 %.1f\n", session.number,
                    fit.trials, fit.evaluations, fit.params.C, fit.params.meanK(), fit.params.t0Ms);
        printSpread("  fit, processor time", processor);
        printSpread("  fit, wall clock", wall);
    }
    return 0;
}
