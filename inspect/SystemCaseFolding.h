#pragma once
#include "inspect/CaseFolding.h"

// Lower-casing as the system's ANSI code page defines it.
const CaseFolding& SystemCaseFolding();
