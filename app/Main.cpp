#include "app/FendrixApp.h"

#include <windows.h>

namespace {
FendrixApp theApp;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return AfxWinMain(); }
