#include "ConsoleWindow.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

void waitForEnter()
{
    std::fflush(stderr);
    std::fputs("\nPress Enter to close this window.\n", stdout);
    std::fflush(stdout);
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    // Keys pressed while the stimulus window had the focus went there, but a
    // line typed ahead into the console would close it at once.
    FlushConsoleInputBuffer(input);
    char c = 0;
    DWORD read = 0;
    while (ReadConsoleA(input, &c, 1, &read, nullptr) && read == 1 && c != '\r' && c != '\n') {
    }
}

} // namespace

void keepOwnConsoleWindowAtExit()
{
    // The console window closes with the last process attached to it: when
    // that is zot alone, Explorer made it for zot.
    DWORD processes[2];
    if (GetConsoleProcessList(processes, 2) != 1)
        return;
    DWORD mode = 0;
    if (!GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode))
        return; // input redirected: nobody is there to press Enter
    std::atexit(waitForEnter);
}
