// zotdata: draws the stimulus pictures, instruction pages and text atlas that
// zot loads from its data folder. Usage:
//   zotdata <run folder> [--letter-font FILE] [--cross-font FILE] [--text-font FILE]
#include "StimulusData.h"

#include <chrono>
#include <exception>
#include <iostream>
#include <string>

namespace {

constexpr const char* USAGE =
    "usage: zotdata <run folder> [--letter-font FILE] [--cross-font FILE] [--text-font FILE]";

}

int main(int argc, char** argv) {
    std::filesystem::path runFolder;
    FontFiles fonts;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        std::filesystem::path* font = argument == "--letter-font" ? &fonts.letters
                                      : argument == "--cross-font" ? &fonts.cross
                                      : argument == "--text-font"  ? &fonts.text
                                                                   : nullptr;
        if (font && i + 1 < argc) {
            *font = argv[++i];
        } else if (!font && runFolder.empty() && !argument.starts_with("--")) {
            runFolder = argument;
        } else {
            std::cerr << "zotdata: ERROR: unexpected argument \"" << argument << "\"\n" << USAGE << std::endl;
            return 2;
        }
    }
    if (runFolder.empty()) {
        std::cerr << USAGE << std::endl;
        return 2;
    }

    try {
        const auto start = std::chrono::steady_clock::now();
        const auto written = writeStimulusData(runFolder, fonts);
        const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start);
        std::cout << "zotdata > wrote " << written.size() << " files to " << (runFolder / "data").string()
                  << " in " << elapsed.count() << " ms" << std::endl;
    } catch (const std::exception& error) {
        std::cerr << "zotdata: ERROR: " << error.what() << std::endl;
        return 1;
    }
    return 0;
}
