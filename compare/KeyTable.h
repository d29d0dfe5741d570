#pragma once
// Keys and the places of their files, found by hashing. The table is open
// and holds views of the keys, which the caller keeps: adding a key
// allocates nothing but now and then more room, so a baseline's hundreds of
// thousands of paths cost no allocation each.
#include <cstddef>
#include <string_view>
#include <vector>

class KeyTable {
public:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    // Room for `expected` keys before the table grows.
    explicit KeyTable(std::size_t expected = 0);

    // Adds `key` at `place` and gives kNone; when the table has the key
    // already, adds nothing and gives the place it has. The key's text must
    // outlive the table.
    std::size_t Add(std::string_view key, std::size_t place);
    // The place of `key`, or kNone.
    std::size_t Find(std::string_view key) const;

private:
    struct Slot {
        std::size_t hash = 0;
        std::size_t place = kNone;
        std::string_view key;
    };

    // The slot that holds `key`, or the free one where it would go.
    std::size_t SlotFor(std::string_view key, std::size_t hash) const;
    void Grow();

    // A power of two in size, never more than half full.
    std::vector<Slot> m_slots;
    std::size_t m_count = 0;
};
