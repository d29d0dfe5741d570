#pragma once
// The one way the framework and the program include the platform headers:
// narrow (ANSI) text throughout, Windows XP SP3 API level (set by the build).
#ifndef STRICT
#define STRICT
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>
