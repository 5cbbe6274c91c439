// The include drawing on small source trees made for each case: which arrows
// it finds, and which of them the layers forbid.

#include "IncludeLayers.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Files = std::map<std::string, std::string>; // path -> text

void writeTree(const TempDir& root, const Files& files)
{
    for (const auto& [path, text] : files) {
        std::filesystem::create_directories((root.path() / path).parent_path());
        root.write(path, text);
    }
}

std::vector<std::string> arrowsOf(const IncludeGraph& graph)
{
    std::vector<std::string> arrows;
    for (const IncludeArrow& arrow : graph.arrows)
        arrows.push_back(arrow.file.generic_string() + ":" + std::to_string(arrow.line) + " " + arrow.from + "->" + arrow.to);
    return arrows;
}

} // namespace

TEST(IncludeLayers, ArrowsAndWhatTheLayersSayOfThem)
{
    const Files base = {
        {"session/Config.h", "#pragma once\n"},
        {"experiment/Run.h", "#pragma once\n#include \"Config.h\"\n"},
        {"render/Quad.h", "#pragma once\n"},
        {"render/platform/Swap.h", "#pragma once\n"},
        {"vr/platform/Swap.h", "#pragma once\n"},
    };
    struct Case {
        const char* what;
        Files extra;
        std::vector<std::string> arrows;   // besides experiment/Run.h's
        std::vector<std::string> violations; // a part of each line expected, in order
        std::string problem;               // part of the one expected problem; empty for none
    };
    const std::vector<Case> cases = {
        {"down the layers", {{"vr/Eye.cpp", "#include \"Quad.h\"\n#include <vector>\n  # include \"Run.h\"\n"}},
         {"vr/Eye.cpp:1 vr->render", "vr/Eye.cpp:3 vr->experiment"}, {}, ""},
        {"up from the bottom", {{"session/Config.cpp", "#include \"Config.h\"\n\n#include \"Run.h\"\n"}},
         {"session/Config.cpp:3 session->experiment"},
         {"session/Config.cpp:3: includes experiment/Run.h, but session/ may not include from experiment/",
          "circle: experiment -> session -> experiment"},
         ""},
        {"up from render into vr", {{"vr/Eye.h", "\n"}, {"render/Mirror.cpp", "#include \"platform/Swap.h\"\n#include \"Eye.h\"\n"}},
         {"render/Mirror.cpp:2 render->vr"}, {"render/ may not include from vr/"}, ""},
        {"analysis beside render", {{"analysis/Fit.cpp", "#include \"Run.h\"\n#include \"Quad.h\"\n"}},
         {"analysis/Fit.cpp:1 analysis->experiment", "analysis/Fit.cpp:2 analysis->render"},
         {"analysis/ may not include from render/"}, ""},
        {"a platform file beside its user", {{"vr/Headset.cpp", "#include \"platform/Swap.h\"\n"}}, {}, {}, ""},
        {"a bare name two folders offer", {{"app/Main.cpp", "#include \"platform/Swap.h\"\n"}}, {}, {},
         "app/Main.cpp:1: \"platform/Swap.h\" is offered by render/, vr/"},
        {"comments, tests and builds are not the program",
         {{"session/Note.h", "// #include \"Run.h\"\n/* see \"Run.h\" */\n"},
          {"tests/RunTest.cpp", "#include \"Run.h\"\n#include \"Quad.h\"\n"},
          {"build/gen/Made.cpp", "#include \"Run.h\"\n"}},
         {}, {}, ""},
        {"a folder without a layer", {{"gui/Widget.cpp", "#include \"Config.h\"\n"}},
         {"gui/Widget.cpp:1 gui->session"}, {}, "folder gui/ has sources but no place among the layers"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir root;
        Files files = base;
        files.insert(c.extra.begin(), c.extra.end());
        writeTree(root, files);
        const IncludeGraph graph = readIncludeGraph(root.path(), programLayers());

        std::vector<std::string> expected = c.arrows;
        expected.push_back("experiment/Run.h:2 experiment->session");
        std::sort(expected.begin(), expected.end());
        std::vector<std::string> found = arrowsOf(graph);
        std::sort(found.begin(), found.end());
        EXPECT_EQ(found, expected);

        const std::vector<std::string> violations = layerViolations(graph, programLayers());
        ASSERT_EQ(violations.size(), c.violations.size()) << (violations.empty() ? "" : violations.front());
        for (std::size_t i = 0; i < violations.size(); ++i)
            EXPECT_NE(violations[i].find(c.violations[i]), std::string::npos) << violations[i];
        if (c.problem.empty()) {
            EXPECT_TRUE(graph.problems.empty()) << graph.problems.front();
        } else {
            ASSERT_EQ(graph.problems.size(), 1u);
            EXPECT_NE(graph.problems[0].find(c.problem), std::string::npos) << graph.problems[0];
        }
    }
}

// Layers that allow both directions between two folders still make a circle.
TEST(IncludeLayers, CirclesAreFoundWhateverTheLayersAllow)
{
    const std::vector<Layer> lax = {{"a", {"b"}}, {"b", {"c"}}, {"c", {"a"}}, {"d", {"a"}}};
    TempDir root;
    writeTree(root, {{"a/A.h", "#include \"B.h\"\n"},
                     {"b/B.h", "#include \"C.h\"\n"},
                     {"c/C.h", "#include \"A.h\"\n"},
                     {"d/D.cpp", "#include \"A.h\"\n"}});
    const IncludeGraph graph = readIncludeGraph(root.path(), lax);
    EXPECT_EQ(layerViolations(graph, lax), std::vector<std::string>{"circle: a -> b -> c -> a"});

    TempDir line;
    writeTree(line, {{"a/A.h", "#include \"B.h\"\n"}, {"b/B.h", "#include \"C.h\"\n"}, {"c/C.h", "\n"}});
    EXPECT_TRUE(layerViolations(readIncludeGraph(line.path(), lax), lax).empty());
}

TEST(IncludeLayers, TheDrawingCountsIncludesPerFolderPair)
{
    TempDir root;
    writeTree(root, {{"session/Config.h", "\n"},
                     {"experiment/Run.h", "#include \"Config.h\"\n"},
                     {"experiment/Run.cpp", "#include \"Run.h\"\n#include \"Config.h\"\n"},
                     {"render/Quad.cpp", "#include \"Run.h\"\n#include \"Config.h\"\n"}});
    const IncludeGraph graph = readIncludeGraph(root.path(), programLayers());
    std::ostringstream text;
    drawFolderGraph(graph, false, text);
    EXPECT_EQ(text.str(), "experiment -> session (2)\n"
                          "render -> experiment (1), session (1)\n"
                          "session -> (nothing)\n");
    std::ostringstream dot;
    drawFolderGraph(graph, true, dot);
    EXPECT_NE(dot.str().find("\"render\" -> \"experiment\" [label=1];"), std::string::npos) << dot.str();
}
