#pragma once
#include "framework/Afx.h"

// The description of the system's stock user-interface font made bold; an
// 8-point MS Sans Serif where the system has no stock font.
LOGFONTA BoldGuiFont();
