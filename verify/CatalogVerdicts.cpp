#include "verify/CatalogVerdicts.h"

#include <mutex>

namespace {

// When the file at `path` was last written, and its size; false when it
// cannot be said.
bool Stamp(const std::wstring& path, FILETIME& written, ULONGLONG& size)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return false;
    written = data.ftLastWriteTime;
    size = static_cast<ULONGLONG>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    return true;
}

}  // namespace

std::optional<TrustResult> CatalogVerdicts::Find(const std::wstring& catalog)
{
    FILETIME written;
    ULONGLONG size = 0;
    if (!Stamp(catalog, written, size))
        return std::nullopt;
    const std::lock_guard<CCriticalSection> lock(m_lock);
    const auto known = m_known.find(catalog);
    if (known == m_known.end() || known->second.size != size ||
        ::CompareFileTime(&known->second.written, &written) != 0)
        return std::nullopt;
    return known->second.verdict;
}

void CatalogVerdicts::Keep(const std::wstring& catalog, const TrustResult& verdict)
{
    FILETIME written;
    ULONGLONG size = 0;
    if (verdict.kind == TrustKind::Unreadable || verdict.kind == TrustKind::NotChecked ||
        !Stamp(catalog, written, size))
        return;
    const std::lock_guard<CCriticalSection> lock(m_lock);
    m_known[catalog] = {written, size, verdict};
}
