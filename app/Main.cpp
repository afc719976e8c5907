#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    MessageBoxA(nullptr, "Fendrix", "Solvik:Quorlane", MB_OK);
    return 0;
}
