#include "IncludeLayers.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <map>
#include <ostream>
#include <regex>
#include <set>

namespace fs = std::filesystem;

const std::vector<Layer>& programLayers()
{
    static const std::vector<Layer> layers = {
        {"session", {}},
        {"experiment", {"session"}},
        {"analysis", {"session", "experiment"}},
        {"render", {"session", "experiment"}},
        {"vr", {"session", "experiment", "render"}},
        {"app", {"session", "experiment", "analysis", "render", "vr"}},
        // Build-time data tools and benchmarks stand beside the program and may
        // use any of it.
        {"tools", {"session", "experiment", "analysis", "render", "vr", "app"}},
    };
    return layers;
}

namespace {

bool isSource(const fs::path& path)
{
    const auto extension = path.extension();
    return extension == ".h" || extension == ".cpp";
}

bool skippedFolder(const std::string& name)
{
    return name == "tests" || name.starts_with("build") || name.starts_with(".");
}

std::string folderOf(const fs::path& relative)
{
    return relative.begin()->string();
}

const Layer* findLayer(const std::vector<Layer>& layers, const std::string& folder)
{
    for (const Layer& layer : layers)
        if (layer.folder == folder)
            return &layer;
    return nullptr;
}

bool endsWith(const fs::path& path, const fs::path& tail)
{
    auto p = std::distance(path.begin(), path.end());
    auto t = std::distance(tail.begin(), tail.end());
    if (t > p)
        return false;
    auto it = path.begin();
    std::advance(it, p - t);
    return std::equal(it, path.end(), tail.begin(), tail.end());
}

} // namespace

IncludeGraph readIncludeGraph(const fs::path& root, const std::vector<Layer>& layers)
{
    IncludeGraph graph;
    std::vector<fs::path> sources; // relative to root, sorted
    for (const auto& entry : fs::directory_iterator(root)) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_directory() || skippedFolder(name))
            continue;
        bool any = false;
        for (const auto& file : fs::recursive_directory_iterator(entry.path()))
            if (file.is_regular_file() && isSource(file.path())) {
                sources.push_back(fs::relative(file.path(), root));
                any = true;
            }
        if (!any)
            continue;
        graph.folders.push_back(name);
        if (!findLayer(layers, name))
            graph.problems.push_back("folder " + name + "/ has sources but no place among the layers");
    }
    std::sort(sources.begin(), sources.end());
    std::sort(graph.folders.begin(), graph.folders.end());

    const std::regex include(R"re(^\s*#\s*include\s*"([^"]+)")re");
    for (const fs::path& source : sources) {
        std::ifstream in(root / source);
        std::string text;
        int line = 0;
        while (std::getline(in, text)) {
            ++line;
            std::smatch match;
            if (!std::regex_search(text, match, include))
                continue;
            const fs::path name = fs::path(match[1].str()).lexically_normal();
            fs::path header;
            const fs::path beside = (source.parent_path() / name).lexically_normal();
            if (std::binary_search(sources.begin(), sources.end(), beside)) {
                header = beside;
            } else {
                std::set<std::string> offering;
                for (const fs::path& candidate : sources)
                    if (endsWith(candidate, name)) {
                        offering.insert(folderOf(candidate));
                        header = candidate;
                    }
                if (offering.size() > 1) {
                    std::string list;
                    for (const std::string& folder : offering)
                        list += (list.empty() ? "" : ", ") + folder + "/";
                    graph.problems.push_back(source.generic_string() + ":" + std::to_string(line) + ": \"" +
                                             name.generic_string() + "\" is offered by " + list +
                                             "; a bare name must say which");
                    continue;
                }
            }
            if (header.empty())
                continue;
            const std::string from = folderOf(source);
            const std::string to = folderOf(header);
            if (from != to)
                graph.arrows.push_back({from, to, source, line, header});
        }
    }
    return graph;
}

std::vector<std::string> layerViolations(const IncludeGraph& graph, const std::vector<Layer>& layers)
{
    std::vector<std::string> violations;
    std::map<std::string, std::set<std::string>> edges;
    for (const IncludeArrow& arrow : graph.arrows) {
        edges[arrow.from].insert(arrow.to);
        const Layer* layer = findLayer(layers, arrow.from);
        if (!layer)
            continue; // already a problem of the graph
        const auto& allowed = layer->mayInclude;
        if (std::find(allowed.begin(), allowed.end(), arrow.to) == allowed.end())
            violations.push_back(arrow.file.generic_string() + ":" + std::to_string(arrow.line) + ": includes " +
                                 arrow.header.generic_string() + ", but " + arrow.from + "/ may not include from " +
                                 arrow.to + "/");
    }

    // Circles: a depth-first walk that meets a folder still on its path.
    std::map<std::string, int> mark; // 0 unseen, 1 on the path, 2 done
    std::vector<std::string> path;
    std::set<std::set<std::string>> reported;
    std::function<void(const std::string&)> visit = [&](const std::string& folder) {
        mark[folder] = 1;
        path.push_back(folder);
        for (const std::string& next : edges[folder]) {
            if (mark[next] == 1) {
                const auto start = std::find(path.begin(), path.end(), next);
                const std::set<std::string> members(start, path.end());
                if (reported.insert(members).second) {
                    std::string circle;
                    for (auto it = start; it != path.end(); ++it)
                        circle += *it + " -> ";
                    violations.push_back("circle: " + circle + next);
                }
            } else if (mark[next] == 0) {
                visit(next);
            }
        }
        path.pop_back();
        mark[folder] = 2;
    };
    for (const std::string& folder : graph.folders)
        if (mark[folder] == 0)
            visit(folder);
    return violations;
}

void drawFolderGraph(const IncludeGraph& graph, bool dot, std::ostream& out)
{
    std::map<std::string, std::map<std::string, int>> counts;
    for (const IncludeArrow& arrow : graph.arrows)
        ++counts[arrow.from][arrow.to];
    if (dot)
        out << "digraph includes {\n";
    for (const std::string& folder : graph.folders) {
        const auto& targets = counts[folder];
        if (dot) {
            out << "  \"" << folder << "\";\n";
            for (const auto& [to, n] : targets)
                out << "  \"" << folder << "\" -> \"" << to << "\" [label=" << n << "];\n";
            continue;
        }
        out << folder << " ->";
        if (targets.empty())
            out << " (nothing)";
        bool first = true;
        for (const auto& [to, n] : targets) {
            out << (first ? " " : ", ") << to << " (" << n << ")";
            first = false;
        }
        out << "\n";
    }
    if (dot)
        out << "}\n";
}
