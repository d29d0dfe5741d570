#pragma once
#include <string>

// What the user is told when the protection service cannot be used: the
// system's error `code` for why, in the user's language.
std::string ServiceErrorText(unsigned code);
