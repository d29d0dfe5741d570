// The program's entry point.
#include "framework/DllLoader.h"
#include "framework/WinApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return AfxWinMain(DllLoader::System());
}
