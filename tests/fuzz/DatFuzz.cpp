// libFuzzer harness: any bytes as a result file for the analysis tools. The
// reader either returns sessions of well-formed trials or throws DatError
// naming the file; nothing else (a crash, another exception) is allowed.
#include "DatFile.h"

#include "FuzzRequire.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

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
