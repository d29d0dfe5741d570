#pragma once
#include <memory>
#include <string>
#include <vector>

#include "framework/CriticalSection.h"

struct WinTrustApi;

// The file names that catalogs give their members: each member's File
// attribute, as the catalog's maker wrote it, for a file whose version
// resource names none. A catalog is decoded when it is first asked about,
// and kept, with the few others asked about last, while it is unchanged:
// files are verified in the order of their folders, whose files mostly
// share a catalog. Used from several threads.
class CatalogMemberNames {
public:
    CatalogMemberNames();
    ~CatalogMemberNames();
    CatalogMemberNames(const CatalogMemberNames&) = delete;
    CatalogMemberNames& operator=(const CatalogMemberNames&) = delete;

    // The name that the catalog file at `catalog` gives its member `tag`
    // (the member's hash in hex, as the catalog search found it); empty
    // when it gives none, or the catalog cannot be read.
    std::string NameOf(const WinTrustApi& api, const std::wstring& catalog, const std::wstring& tag);

private:
    struct Decoded;
    static constexpr std::size_t kKept = 4;

    CCriticalSection m_lock;
    // The catalogs asked about last, the latest first.
    std::vector<std::unique_ptr<Decoded>> m_recent;
};
