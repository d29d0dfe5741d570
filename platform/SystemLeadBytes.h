#pragma once
#include "platform/LeadBytes.h"

// The lead bytes of the system's ANSI code page.
const LeadBytes& SystemLeadBytes();
