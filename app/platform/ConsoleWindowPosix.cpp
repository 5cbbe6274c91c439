#include "ConsoleWindow.h"

// A terminal outlives the programs started in it.
void keepOwnConsoleWindowAtExit()
{
}
