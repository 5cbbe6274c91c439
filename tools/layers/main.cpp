// zotlayers: draws the folder graph of the program's includes and fails when
// an arrow points up or folders form a circle.
//
//   zotlayers [--dot] [source folder]     (default: the working directory)

#include "IncludeLayers.h"

#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    bool dot = false;
    std::filesystem::path root = ".";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--dot")
            dot = true;
        else
            root = arg;
    }
    if (!std::filesystem::is_directory(root)) {
        std::cerr << "zotlayers: " << root.string() << " is not a folder; give the source folder" << std::endl;
        return 2;
    }
    const IncludeGraph graph = readIncludeGraph(root, programLayers());
    drawFolderGraph(graph, dot, std::cout);
    std::vector<std::string> broken = graph.problems;
    for (const std::string& line : layerViolations(graph, programLayers()))
        broken.push_back(line);
    for (const std::string& line : broken)
        std::cerr << "zotlayers: " << line << std::endl;
    if (!broken.empty()) {
        std::cerr << "zotlayers: the includes do not go one way; see ARCHITECTURE.md for what each folder may include"
                  << std::endl;
        return 1;
    }
    return 0;
}
