#include "compare/KeyTable.h"

#include <functional>

KeyTable::KeyTable(std::size_t expected)
{
    std::size_t size = 16;
    while (size < 2 * expected)
        size *= 2;
    m_slots.resize(size);
}

std::size_t KeyTable::SlotFor(std::string_view key, std::size_t hash) const
{
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = m_slots[at];
        if (slot.place == kNone || (slot.hash == hash && slot.key == key))
            return at;
    }
}

std::size_t KeyTable::Add(std::string_view key, std::size_t place)
{
    const std::size_t hash = std::hash<std::string_view>{}(key);
    Slot& slot = m_slots[SlotFor(key, hash)];
    if (slot.place != kNone)
        return slot.place;
    slot = {hash, place, key};
    if (2 * ++m_count > m_slots.size())
        Grow();
    return kNone;
}

std::size_t KeyTable::Find(std::string_view key) const
{
    return m_slots[SlotFor(key, std::hash<std::string_view>{}(key))].place;
}

void KeyTable::Grow()
{
    std::vector<Slot> old(2 * m_slots.size());
    old.swap(m_slots);
    const std::size_t mask = m_slots.size() - 1;
    for (const Slot& slot : old) {
        if (slot.place == kNone)
            continue;
        std::size_t at = slot.hash & mask;
        while (m_slots[at].place != kNone)
            at = (at + 1) & mask;
        m_slots[at] = slot;
    }
}
