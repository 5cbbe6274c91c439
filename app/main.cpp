// The program entry: creates the objects of a session in a fixed order, because
// later steps read what earlier ones settled (the refresh rate above all).

#include "SubjectData.h"
#include "ZOTConfig.h"

#include <iostream>
#include <memory>

int main()
{
    // Command-line arguments are ignored: "zot.cfg" in the working directory is
    // the only configuration.
    auto config = std::make_unique<ZOTConfig>();
    const SubjectData subject = askSubjectData(*config, std::cin, std::cout);
    (void)subject; // read by the presentation once it exists

    // The presentation (renderer facade, condition table, run and main loop) is
    // started here, with config and subject, and torn down before config.
    return 0;
}
