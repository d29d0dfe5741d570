#pragma once
#include <cstddef>
#include <span>

// Whether the platform's version reader may be asked for values of the block
// that a file gave. The reader trusts every length in the block: so every
// node it may walk must lie inside its parent, the root inside the
// `bytesRead` bytes the file filled, each key must end and each value fit
// inside its node. The
// ANSI reader copies a Unicode block's texts behind the block, into as many
// bytes again plus four: those must lie inside `buffer` too.
bool VersionBlockIsSafeToQuery(std::span<const unsigned char> buffer, std::size_t bytesRead);
