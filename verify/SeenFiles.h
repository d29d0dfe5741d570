#pragma once
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>

#include "platform/Mutex.h"
#include "verify/TrustService.h"

// A file as it is now, whatever name it was opened by: its volume's serial
// number and its index there, and when it was last written and how long it
// is, which change when it is written.
struct FileKey {
    std::uint32_t volume = 0;
    std::uint64_t index = 0;
    std::uint64_t written = 0;
    std::uint64_t size = 0;

    friend auto operator<=>(const FileKey&, const FileKey&) = default;
};

// The files one verification has verified that have more names than one
// (hard links, as most of System32's are of the component store's files),
// with what verifying each found: its other names are given the result
// instead of being read again. A file written since has another key, and
// is read again. Its workers share it.
class SeenFiles {
public:
    std::optional<FileVerification> Find(const FileKey& key) const
    {
        const std::lock_guard<Mutex> lock(m_mutex);
        const auto found = m_files.find(key);
        return found == m_files.end() ? std::nullopt : std::optional(found->second);
    }
    void Keep(const FileKey& key, const FileVerification& verification)
    {
        const std::lock_guard<Mutex> lock(m_mutex);
        m_files.insert_or_assign(key, verification);
    }

private:
    mutable Mutex m_mutex;
    std::map<FileKey, FileVerification> m_files;
};
