#pragma once
#include <string>

// The system's own text for the error `code`, in the user's language, with
// no line break at its end.
std::string SystemErrorText(unsigned code);
