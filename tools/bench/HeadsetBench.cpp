// Frame timing of the whole headset presentation: the real facade and headset
// renderer run a session against an OpenXR runtime (by default the simulated
// one), with the space bar pressed by the program whenever a screen waits for
// it, so fixation, letters, masks and texts all come by. Prints how many display
// periods were missed, the time per frame of drawing both eyes and handing them
// to the runtime, the frame's whole work after the runtime's wait, and start-up
// to the first submitted frame. Run it from the ready-to-run folder (it reads
// data/ and shaders/ there) with an X display:
//
//     cd build/run && ../../tests/support/with_xvfb.sh 1920x1080 ../tools/bench/zot_headset_bench [frames]
//
// The result files go to a temporary folder that is removed afterwards.

#include "Spread.h"
#include "platform/TestPlatform.h"
#include "HandleKey.h"
#include "SubjectData.h"
#include "ZOTConfig.h"
#include "ZOTRenderer.h"
#include "ZOTRendererVive.h"
#include "ZOTTrial.h"

#include <GLFW/glfw3.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <numeric>
#include <sstream>
#include <vector>

namespace {

using Steady = std::chrono::steady_clock;

} // namespace

int main(int argc, char** argv)
{
    const auto start = Steady::now();
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 900;
    setEnvironmentDefault("XR_RUNTIME_JSON", ZOT_XRSIM_MANIFEST);
    setEnvironmentDefault("ZOT_XRSIM_STATS", "1");

    const std::filesystem::path logs =
        std::filesystem::temp_directory_path()
        / ("zot_headset_bench_" + std::to_string(Steady::now().time_since_epoch().count()));
    std::istringstream file("display=VIVE\npracticeBlock=1\ntrialsPerBlock=36\nmode=COMBI\nenableDepthPerception=1\n"
                            "depths=2\n");
    std::ostringstream echo;
    ZOTConfig config(file, echo);
    {
        ZOTRenderer facade(&config);
        ZOTTrial::init(config);
        facade.loadResources(SubjectData{}, logs);
        auto& vive = static_cast<ZOTRendererVive&>(*facade.renderer());
        ZOTExperiment& experiment = facade.experiment();

        std::vector<double> eyeTimes, workTimes;
        double startupMs = -1;
        int missed = 0;
        const double periodMs = 1000.0 / 90.0;
        Steady::time_point lastShown{};
        for (int i = 0; i < frames && !glfwWindowShouldClose(facade.window()); ++i) {
            // A press during a trial or its lock-out is ignored, as a subject's would be.
            const int state = experiment.state();
            if (state == WELCOME || state == REPORT || state == FEEDBACK || state == BLOCK_START)
                handleKey(experiment, vive, KEY_SPACE, 0);
            const std::uint64_t before = vive.frameStats().framesSubmitted;
            vive.renderFrame();
            const auto now = Steady::now();
            if (vive.frameStats().framesSubmitted == before)
                continue;
            if (startupMs < 0)
                startupMs = milliseconds(now - start);
            else
                missed += std::max(0, static_cast<int>(std::lround(milliseconds(now - lastShown) / periodMs)) - 1);
            lastShown = now;
            eyeTimes.push_back(milliseconds(vive.frameStats().eyesTime));
            workTimes.push_back(milliseconds(vive.frameStats().workTime));
        }

        std::printf("frames submitted: %zu, display periods missed (from the frame intervals): %d\n",
                    eyeTimes.size(), missed);
        std::printf("start-up to the first submitted frame: %.1f ms\n", startupMs);
        printSpread("both eyes drawn and handed over:", eyeTimes);
        printSpread("whole frame after the runtime's wait:", workTimes);
        std::fflush(stdout);
        // The runtime prints its own count of missed frames when the session ends.
    }
    std::filesystem::remove_all(logs);
    return 0;
}
