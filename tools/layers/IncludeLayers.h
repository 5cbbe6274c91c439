#pragma once
// The folder graph of the program's includes, and the rule that keeps it one
// way: every folder may include only from the folders below it.

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

/// One folder and the folders its files may include from.
struct Layer {
    std::string folder;
    std::vector<std::string> mayInclude;
};

/// The program's folders, bottom to top.
const std::vector<Layer>& programLayers();

/// One `#include "…"` whose header lives in another folder.
struct IncludeArrow {
    std::string from;              ///< the including file's folder
    std::string to;                ///< the header's folder
    std::filesystem::path file;    ///< the including file, relative to the root
    int line = 0;
    std::filesystem::path header;  ///< the header found, relative to the root
};

struct IncludeGraph {
    std::vector<std::string> folders; ///< every folder with sources, sorted
    std::vector<IncludeArrow> arrows;
    /// What keeps the graph from being read: a folder without a layer, a bare
    /// name that two folders offer.
    std::vector<std::string> problems;
};

/// Reads every .h and .cpp under root's folders (not tests/, not build
/// folders, not hidden ones). A quoted name resolves as the compiler does:
/// beside the including file first, then through the include folders, which
/// here means any source file whose path ends in the name. A name that
/// resolves to nothing of the program is not the program's.
IncludeGraph readIncludeGraph(const std::filesystem::path& root, const std::vector<Layer>& layers);

/// One line per broken rule: every arrow its folder may not draw (with the
/// file and line that draws it), and every circle of folders. Empty when the
/// graph goes one way.
std::vector<std::string> layerViolations(const IncludeGraph& graph, const std::vector<Layer>& layers);

/// The drawing: one line per folder with the folders it includes from and how
/// many includes go there, or the same as a Graphviz digraph.
void drawFolderGraph(const IncludeGraph& graph, bool dot, std::ostream& out);
