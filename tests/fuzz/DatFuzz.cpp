// libFuzzer harness: any bytes as a result file for the analysis tools. The
// reader either returns sessions of well-formed trials or throws DatError
// naming the file; nothing else (a crash, another exception) is allowed.
#include "DatFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void require(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "result file fuzz: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        for (const DatSession& session : parseDat(text, "fuzz.dat")) {
            require(session.fileName == "fuzz.dat", "a session lost its file name");
            for (const DatTrial& trial : session.trials) {
                require(trial.targets.size() == 6 && trial.distractors.size() == 6, "a trial without six places");
                require(!trial.report.empty(), "an empty report field");
            }
        }
    } catch (const DatError& error) {
        require(std::string_view(error.what()).substr(0, 9) == "fuzz.dat:", "an error that does not name the file");
    }
    return 0;
}
