// Windows: the command prompt's console for a program of the GUI subsystem.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "desktop/program_start.h"

namespace desktop {

namespace {

UINT g_promptCodePage = 0;

void restoreCodePage() {
    SetConsoleOutputCP(g_promptCodePage);
}

bool hasHandle(DWORD which) {
    const HANDLE h = GetStdHandle(which);
    return h != nullptr && h != INVALID_HANDLE_VALUE;
}

}  // namespace

void useParentConsole() {
    // Redirected output (a file, a pipe) is inherited as it is.
    if (hasHandle(STD_OUTPUT_HANDLE) || hasHandle(STD_ERROR_HANDLE)) {
        return;
    }
    // Started from Explorer: no console to write to, and none is made.
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) {
        return;
    }
    (void)freopen("CONOUT$", "w", stdout);
    (void)freopen("CONOUT$", "w", stderr);
    g_promptCodePage = GetConsoleOutputCP();
    SetConsoleOutputCP(CP_UTF8);
    std::atexit(restoreCodePage);
}

}  // namespace desktop
