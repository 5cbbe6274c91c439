// The program entry: creates the objects of a session in a fixed order, because
// later steps read what earlier ones settled (the refresh rate above all).

#include "platform/ConsoleWindow.h"
#include "ResultWriter.h"
#include "SessionCheck.h"
#include "SubjectData.h"
#include "ZOTConfig.h"
#include "ZOTRenderer.h"
#include "ZOTTrial.h"

#include <iostream>
#include <memory>

// Exit codes: 0 after a normal end, 2 when the session was not started (nothing
// was written), 3 when result lines were lost.
int main()
{
    // Started by a double-click, zot's console window would close with zot and
    // take its last messages with it.
    keepOwnConsoleWindowAtExit();
    // Command-line arguments are ignored: "zot.cfg" in the working directory is
    // the only configuration.
    auto config = std::make_unique<ZOTConfig>();
    if (config->autopilot) {
        // Before the subject questions, so that nobody mistakes the session for a person's.
        std::cout << "##############################\n"
                  << "AUTOPILOT > zot answers every trial itself: " << observerSettingText(*config->autopilot) << "\n"
                  << "AUTOPILOT > no person is tested and the result files hold simulated answers;\n"
                  << "AUTOPILOT > remove the autopilot line from zot.cfg to run a subject\n"
                  << "##############################" << std::endl;
    }
    const SubjectData subject = askSubjectData(*config, std::cin, std::cout);

    // Before the window hides the console: everything the session will load,
    // and every file it will write.
    if (!sessionCanStart(*config, subject, std::cout, std::cerr))
        return 2;

    // Opens the window; for the monitor this settles `refreshRate`. A window
    // that cannot be opened ends the process here with exit code 2.
    auto renderer = std::make_unique<ZOTRenderer>(config.get());
    // Exposure frames are computed from the refresh rate now in force.
    ZOTTrial::init(*config);
    if (!renderer->loadResources(subject)) {
        renderer.reset();
        sayNotStarted(std::cerr);
        return 2;
    }
    renderer->run();

    renderer.reset();
    config.reset();
    ResultWriter& results = sessionResultWriter();
    results.reportLosses(std::cerr);
    return results.linesLost() > 0 ? 3 : 0;
}
