#pragma once
// What the details line says about the enumeration until the user asks
// about a file.
#include <cstddef>
#include <string>

// While the worker runs.
std::string FillingStatus(unsigned checked, unsigned protectedFiles);

// When it has ended with `rows` rows; `stoppedAtLimit` when the walk ended
// at the row limit.
std::string FilledStatus(unsigned rows, bool stoppedAtLimit);

// When the protection service failed after listing `rows` files; `reason`
// is the system's text for why.
std::string IncompleteStatus(unsigned rows, const std::string& reason);

// When the walk ended but could not list `folders` folders, the first of
// them `first`; `reason` is the system's text for why that one could not.
std::string UnlistedStatus(std::size_t folders, const std::string& first, const std::string& reason);

// When the list could not be made at all; `reason` is the system's text for
// why.
std::string NotStartedStatus(const std::string& reason);
