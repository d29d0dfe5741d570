#include "verify/CatalogMemberNames.h"

#include <algorithm>
#include <cwchar>
#include <mutex>
#include <new>
#include <optional>

#include "framework/Handle.h"
#include "platform/ReadWholeFile.h"
#include "platform/TextConversion.h"
#include "verify/FileStamp.h"
#include "verify/WinTrustApi.h"

namespace {

constexpr DWORD kEncoding = X509_ASN_ENCODING | PKCS_7_ASN_ENCODING;

// A member's tag, as its entry holds it: UTF-16 hex digits, little-endian,
// with or without a terminator. Compared as ASCII, whatever the letter case.
class Tag {
public:
    explicit Tag(const CRYPT_DATA_BLOB& blob) : m_bytes(blob.pbData), m_units(blob.cbData / 2)
    {
        while (m_units > 0 && Unit(m_units - 1) == 0)
            --m_units;
    }
    explicit Tag(const std::wstring& tag) : m_wide(&tag), m_units(tag.size()) {}

    friend int Compare(const Tag& a, const Tag& b)
    {
        for (std::size_t at = 0; at < a.m_units && at < b.m_units; ++at) {
            const unsigned x = Folded(a.Unit(at)), y = Folded(b.Unit(at));
            if (x != y)
                return x < y ? -1 : 1;
        }
        return a.m_units < b.m_units ? -1 : a.m_units > b.m_units ? 1 : 0;
    }

private:
    static unsigned Folded(unsigned unit) { return unit >= 'a' && unit <= 'z' ? unit - 'a' + 'A' : unit; }
    unsigned Unit(std::size_t at) const
    {
        return m_wide ? static_cast<unsigned>((*m_wide)[at]) : m_bytes[2 * at] | unsigned{m_bytes[2 * at + 1]} << 8;
    }

    const BYTE* m_bytes = nullptr;
    const std::wstring* m_wide = nullptr;
    std::size_t m_units;
};

// The File name-value attribute among an entry's attributes; empty when
// there is none.
std::string FileNameOf(const WinTrustApi& api, const CTL_ENTRY& entry)
{
    for (DWORD attribute = 0; attribute < entry.cAttribute; ++attribute) {
        const CRYPT_ATTRIBUTE& found = entry.rgAttribute[attribute];
        if (std::string_view(found.pszObjId) != CAT_NAMEVALUE_OBJID)
            continue;
        for (DWORD value = 0; value < found.cValue; ++value) {
            const CRYPT_ATTR_BLOB& encoded = found.rgValue[value];
            DWORD size = 0;
            if (!api.pfnCryptDecodeObject(kEncoding, CAT_NAMEVALUE_STRUCT, encoded.pbData, encoded.cbData, 0, nullptr,
                                          &size))
                continue;
            // Aligned for the structure the decoder writes at its start.
            std::vector<CAT_NAMEVALUE> decoded(size / sizeof(CAT_NAMEVALUE) + 1);
            if (!api.pfnCryptDecodeObject(kEncoding, CAT_NAMEVALUE_STRUCT, encoded.pbData, encoded.cbData, 0,
                                          decoded.data(), &size))
                continue;
            const CAT_NAMEVALUE& pair = decoded[0];
            if (!pair.pwszTag || ::lstrcmpiW(pair.pwszTag, L"File") != 0)
                continue;
            std::wstring name(pair.Value.cbData / 2, L'\0');
            std::copy_n(pair.Value.pbData, name.size() * 2, reinterpret_cast<BYTE*>(name.data()));
            name.resize(std::wcslen(name.c_str()));
            return AnsiText(name.c_str());
        }
    }
    return {};
}

}  // namespace

// A catalog decoded, with its members in the order of their tags.
struct CatalogMemberNames::Decoded {
    std::wstring path;
    FileStamp stamp;
    PCCTL_CONTEXT ctl;
    decltype(&::CertFreeCTLContext) free;
    std::vector<DWORD> byTag;

    ~Decoded() { free(ctl); }

    const CTL_ENTRY& Entry(DWORD at) const { return ctl->pCtlInfo->rgCTLEntry[at]; }

    const CTL_ENTRY* Find(const std::wstring& tag) const
    {
        const Tag wanted(tag);
        const auto place = std::ranges::lower_bound(
            byTag, 0, std::less<>(), [&](DWORD at) { return Compare(Tag(Entry(at).SubjectIdentifier), wanted); });
        return place != byTag.end() && Compare(Tag(Entry(*place).SubjectIdentifier), wanted) == 0 ? &Entry(*place)
                                                                                                   : nullptr;
    }
};

CatalogMemberNames::CatalogMemberNames() = default;
CatalogMemberNames::~CatalogMemberNames() = default;

std::string CatalogMemberNames::NameOf(const WinTrustApi& api, const std::wstring& catalog, const std::wstring& tag)
{
    if (!api.pfnCertCreateCTLContext || !api.pfnCertFreeCTLContext || !api.pfnCryptDecodeObject)
        return {};
    const std::optional<FileStamp> stamp = StampOf(catalog);
    if (!stamp)
        return {};
    const std::lock_guard<CCriticalSection> lock(m_lock);
    auto known = std::ranges::find_if(m_recent, [&](const auto& decoded) {
        return decoded->path == catalog && decoded->stamp == *stamp;
    });
    if (known == m_recent.end()) {
        const CHandle file(::CreateFileW(catalog.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                         FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        std::string bytes;
        if (!file || ReadWholeFile(file, bytes))
            return {};
        const PCCTL_CONTEXT ctl = api.pfnCertCreateCTLContext(
            kEncoding, reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
        if (!ctl)
            return {};
        // Made in place: a copy would free the context twice.
        std::unique_ptr<Decoded> decoded(new Decoded{catalog, *stamp, ctl, api.pfnCertFreeCTLContext, {}});
        decoded->byTag.resize(ctl->pCtlInfo->cCTLEntry);
        for (DWORD at = 0; at < ctl->pCtlInfo->cCTLEntry; ++at)
            decoded->byTag[at] = at;
        std::ranges::sort(decoded->byTag, [&](DWORD a, DWORD b) {
            return Compare(Tag(decoded->Entry(a).SubjectIdentifier), Tag(decoded->Entry(b).SubjectIdentifier)) < 0;
        });
        std::erase_if(m_recent, [&](const auto& kept) { return kept->path == catalog; });
        if (m_recent.size() >= kKept)
            m_recent.pop_back();
        m_recent.insert(m_recent.begin(), std::move(decoded));
        known = m_recent.begin();
    } else {
        std::rotate(m_recent.begin(), known, known + 1);
        known = m_recent.begin();
    }
    const CTL_ENTRY* const entry = (*known)->Find(tag);
    return entry ? FileNameOf(api, *entry) : std::string();
}
