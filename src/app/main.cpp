#include <windows.h>

#include "win_app.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR cmdLine, int) {
    return AfxWinMain(instance, cmdLine);
}
