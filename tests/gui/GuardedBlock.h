#pragma once
// Memory for a version block whose end touches an inaccessible region, so
// that the first read or write past the block faults.
#include <cstddef>
#include <span>

class GuardedBlock {
public:
    GuardedBlock() = default;
    ~GuardedBlock();
    GuardedBlock(const GuardedBlock&) = delete;
    GuardedBlock& operator=(const GuardedBlock&) = delete;

    // `size` zeroed bytes ending at the guard; those given before are freed.
    std::span<unsigned char> Take(std::size_t size);

private:
    void* m_pBase = nullptr;
};
