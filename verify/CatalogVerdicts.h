#pragma once
#include <map>
#include <optional>
#include <string>

#include "framework/CriticalSection.h"
#include "verify/FileStamp.h"
#include "verify/TrustResult.h"

// What each catalog's signature was found to be, so that a catalog is
// verified once however many of the files it lists are: a file found in a
// catalog by its hash is that catalog's member, and what the verifier says
// of a member is what it says of the catalog's signature. A catalog that
// has been written since is verified again. Used from several threads.
class CatalogVerdicts {
public:
    // The verdict on the catalog file at `catalog`, if it is known and the
    // file has not changed since.
    std::optional<TrustResult> Find(const std::wstring& catalog);
    // Keeps `verdict` on the catalog, unless it only says that the catalog
    // could not be read or checked.
    void Keep(const std::wstring& catalog, const TrustResult& verdict);

private:
    struct Known {
        FileStamp stamp;
        TrustResult verdict;
    };

    CCriticalSection m_lock;
    std::map<std::wstring, Known> m_known;
};
