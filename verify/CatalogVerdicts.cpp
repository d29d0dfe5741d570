#include "verify/CatalogVerdicts.h"

#include <mutex>

std::optional<TrustResult> CatalogVerdicts::Find(const std::wstring& catalog)
{
    const std::optional<FileStamp> stamp = StampOf(catalog);
    if (!stamp)
        return std::nullopt;
    const std::lock_guard<CCriticalSection> lock(m_lock);
    const auto known = m_known.find(catalog);
    if (known == m_known.end() || !(known->second.stamp == *stamp))
        return std::nullopt;
    return known->second.verdict;
}

void CatalogVerdicts::Keep(const std::wstring& catalog, const TrustResult& verdict)
{
    if (verdict.kind == TrustKind::Unreadable || verdict.kind == TrustKind::NotChecked)
        return;
    const std::optional<FileStamp> stamp = StampOf(catalog);
    if (!stamp)
        return;
    const std::lock_guard<CCriticalSection> lock(m_lock);
    m_known.insert_or_assign(catalog, Known{*stamp, verdict});
}
