#include "gui/GuardedBlock.h"

#include <windows.h>

#include "inspect/VersionSummary.h"

namespace {

// Beyond anything the version library reaches past a block: the ANSI reader
// writes up to twice the block's 16-bit length from its start.
constexpr std::size_t kGuardBytes = kMaxVersionBlockBytes;

}  // namespace

GuardedBlock::~GuardedBlock()
{
    if (m_pBase)
        ::VirtualFree(m_pBase, 0, MEM_RELEASE);
}

std::span<unsigned char> GuardedBlock::Take(std::size_t size)
{
    if (m_pBase)
        ::VirtualFree(m_pBase, 0, MEM_RELEASE);
    SYSTEM_INFO system{};
    ::GetSystemInfo(&system);
    const std::size_t committed = (size + system.dwPageSize - 1) / system.dwPageSize * system.dwPageSize;
    // Reserved pages that are never committed are the guard.
    m_pBase = ::VirtualAlloc(nullptr, committed + kGuardBytes, MEM_RESERVE, PAGE_NOACCESS);
    ::VirtualAlloc(m_pBase, committed, MEM_COMMIT, PAGE_READWRITE);
    return {static_cast<unsigned char*>(m_pBase) + committed - size, size};
}
