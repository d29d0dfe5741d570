#pragma once
#include "platform/CaseFolding.h"

// Lower-casing as the system's ANSI code page defines it.
const CaseFolding& SystemCaseFolding();
