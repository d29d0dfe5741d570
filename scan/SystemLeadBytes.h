#pragma once
#include "scan/LeadBytes.h"

// The lead bytes of the system's ANSI code page.
const LeadBytes& SystemLeadBytes();
