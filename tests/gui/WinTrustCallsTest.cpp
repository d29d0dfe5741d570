#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "framework/DllLoader.h"
#include "framework/SystemError.h"
#include "gui/TestServices.h"
#include "verify/WinTrustApi.h"
#include "verify/WinTrustService.h"

namespace {

const HMODULE kCrypt32 = reinterpret_cast<HMODULE>(0x1000);
const HMODULE kWintrust = reinterpret_cast<HMODULE>(0x2000);
const HCATADMIN kSha1Admin = reinterpret_cast<HCATADMIN>(1);
const HCATADMIN kSha256Admin = reinterpret_cast<HCATADMIN>(2);
const HANDLE kState = reinterpret_cast<HANDLE>(4);
constexpr LONG kUntrustedRoot = static_cast<LONG>(0x800B0109);  // CERT_E_UNTRUSTEDROOT

// What the stand-in's catalogs of one hash kind hold of the file: the
// catalogs that list it, each with the verifier's answer for the file as
// its member, and the error a step fails with (0 for none).
struct CatalogKind {
    std::vector<LONG> listing;
    DWORD acquireError = 0;
    DWORD hashError = 0;
    // The error of the search once the listing catalogs are told.
    DWORD searchEnd = ERROR_NOT_FOUND;
};

CatalogKind Listing(std::vector<LONG> answers)
{
    return {std::move(answers), 0, 0, ERROR_NOT_FOUND};
}

CatalogKind SearchEndingWith(DWORD error)
{
    return {{}, 0, 0, error};
}

CatalogKind Failing(DWORD acquireError, DWORD hashError)
{
    return {{}, acquireError, hashError, ERROR_NOT_FOUND};
}

// wintrust.dll and crypt32.dll as a case says: with or without the lookups
// by SHA-256 (Windows 8 on, not Wine 8), and the catalogs of each kind.
// Records each call. Both hashes are made up: 32 bytes of AB, 20 of 5A.
// Catalog n of a kind is named cat<n>.cat and its context is n + 1.
class StandInWintrust final : public DllLoader {
public:
    bool hasSha256 = false;
    CatalogKind sha256;
    CatalogKind sha1;
    LONG embedded = 0;
    // Where the catalog files are, "C:\\catroot" unless a test has them.
    std::string catalogFolder = "C:\\catroot";
    std::vector<std::string> calls;

    StandInWintrust() { s_current = this; }
    ~StandInWintrust() override { s_current = nullptr; }

    FARPROC KernelExport(const char*) override { return nullptr; }
    std::string SystemDirectory() override { return "C:\\WINDOWS\\system32"; }
    HMODULE LoadLibraryEx(const std::string& path, DWORD) override
    {
        if (path.ends_with("\\crypt32.dll"))
            return kCrypt32;
        return path.ends_with("\\wintrust.dll") ? kWintrust : nullptr;
    }
    FARPROC GetProcAddress(HMODULE hModule, const char* name) override
    {
        const std::string wanted = name;
        const bool sha256Only = wanted.ends_with("2");
        if (hModule == kCrypt32)
            return wanted == "CertGetNameStringA" ? Proc(&CertGetNameString) : nullptr;
        if (hModule != kWintrust || (sha256Only && !hasSha256))
            return nullptr;
        const struct {
            const char* name;
            FARPROC proc;
        } exports[] = {
            {"WinVerifyTrust", Proc(&VerifyTrust)},
            {"WTHelperProvDataFromStateData", Proc(&ProvData)},
            {"WTHelperGetProvSignerFromChain", Proc(&Signer)},
            {"WTHelperGetProvCertFromChain", Proc(&Certificate)},
            {"CryptCATAdminAcquireContext", Proc(&AcquireContext)},
            {"CryptCATAdminAcquireContext2", Proc(&AcquireContext2)},
            {"CryptCATAdminCalcHashFromFileHandle", Proc(&CalcHash)},
            {"CryptCATAdminCalcHashFromFileHandle2", Proc(&CalcHash2)},
            {"CryptCATAdminEnumCatalogFromHash", Proc(&EnumCatalog)},
            {"CryptCATCatalogInfoFromContext", Proc(&CatalogInfo)},
            {"CryptCATAdminReleaseCatalogContext", Proc(&ReleaseCatalog)},
            {"CryptCATAdminReleaseContext", Proc(&ReleaseContext)},
        };
        for (const auto& entry : exports) {
            if (wanted == entry.name)
                return entry.proc;
        }
        return nullptr;
    }

private:
    template <typename Function>
    static FARPROC Proc(Function function)
    {
        return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(function));
    }
    static std::string AdminName(HCATADMIN admin) { return admin == kSha256Admin ? "SHA256" : "SHA1"; }
    static CatalogKind& KindOf(HCATADMIN admin) { return admin == kSha256Admin ? s_current->sha256 : s_current->sha1; }
    static std::string Narrow(LPCWSTR text) { return std::string(text, text + ::lstrlenW(text)); }
    static std::size_t IndexOf(HCATINFO catalog) { return reinterpret_cast<std::size_t>(catalog) - 1; }
    static std::string Record(const std::string& call)
    {
        s_current->calls.push_back(call);
        return call;
    }
    static BOOL Fails(DWORD error)
    {
        ::SetLastError(error);
        return error == 0;
    }

    static BOOL WINAPI AcquireContext(HCATADMIN* admin, const GUID*, DWORD)
    {
        Record("acquire SHA1");
        *admin = kSha1Admin;
        return Fails(s_current->sha1.acquireError);
    }
    static BOOL WINAPI AcquireContext2(HCATADMIN* admin, const GUID*, const WCHAR* algorithm,
                                       const CERT_STRONG_SIGN_PARA*, DWORD)
    {
        Record("acquire " + Narrow(algorithm));
        *admin = kSha256Admin;
        return Fails(s_current->sha256.acquireError);
    }
    static BOOL WINAPI CalcHash(HANDLE, DWORD* size, BYTE* hash, DWORD)
    {
        Record("hash SHA1");
        *size = 20;
        std::memset(hash, 0x5A, *size);
        return Fails(s_current->sha1.hashError);
    }
    static BOOL WINAPI CalcHash2(HCATADMIN admin, HANDLE, DWORD* size, BYTE* hash, DWORD)
    {
        Record("hash " + AdminName(admin));
        *size = 32;
        std::memset(hash, 0xAB, *size);
        return Fails(KindOf(admin).hashError);
    }
    // Gives back the previous catalog, as the system does, and names the next.
    static HCATINFO WINAPI EnumCatalog(HCATADMIN admin, BYTE*, DWORD size, DWORD, HCATINFO* previous)
    {
        std::size_t next = 0;
        if (previous && *previous) {
            ReleaseCatalog(admin, *previous, 0);
            next = IndexOf(*previous) + 1;
        }
        Record("find " + std::to_string(size) + " bytes by " + AdminName(admin));
        if (next < KindOf(admin).listing.size())
            return reinterpret_cast<HCATINFO>(next + 1);
        ::SetLastError(KindOf(admin).searchEnd);
        return nullptr;
    }
    static BOOL WINAPI CatalogInfo(HCATINFO catalog, CATALOG_INFO* info, DWORD)
    {
        const std::string name = s_current->catalogFolder + "\\cat" + std::to_string(IndexOf(catalog)) + ".cat";
        ::MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, info->wszCatalogFile, MAX_PATH);
        return TRUE;
    }
    static BOOL WINAPI ReleaseCatalog(HCATADMIN, HCATINFO catalog, DWORD)
    {
        Record("release cat" + std::to_string(IndexOf(catalog)));
        return TRUE;
    }
    static BOOL WINAPI ReleaseContext(HCATADMIN admin, DWORD)
    {
        Record("release " + AdminName(admin));
        return TRUE;
    }
    static LONG WINAPI VerifyTrust(HWND, GUID* action, LPVOID pData)
    {
        auto* data = static_cast<WINTRUST_DATA*>(pData);
        GUID genericVerify = WINTRUST_ACTION_GENERIC_VERIFY_V2;
        if (std::memcmp(action, &genericVerify, sizeof(GUID)) || data->dwUIChoice != WTD_UI_NONE ||
            data->fdwRevocationChecks != WTD_REVOKE_NONE || data->dwProvFlags != WTD_CACHE_ONLY_URL_RETRIEVAL)
            Record("verify otherwise than asked");
        if (data->dwStateAction == WTD_STATEACTION_CLOSE) {
            Record(data->hWVTStateData == kState ? "close" : "close what is not open");
            data->hWVTStateData = nullptr;
            return 0;
        }
        data->hWVTStateData = kState;
        if (data->dwUnionChoice == WTD_CHOICE_FILE) {
            Record("verify the file");
            return s_current->embedded;
        }
        const auto* member = reinterpret_cast<const CatalogMemberInfo*>(data->pCatalog);
        const bool windows8 = member->cbStruct == sizeof(CatalogMemberInfo);
        const std::string tag = Narrow(member->pcwszMemberTag);
        const std::string catalog = Narrow(member->pcwszCatalogFilePath);
        const HCATADMIN admin = windows8 ? member->hCatAdmin : kSha1Admin;
        Record("verify in " + catalog.substr(catalog.rfind('\\') + 1) + " by " + AdminName(admin) +
               (member->cbCalculatedFileHash * 2 == tag.size() && tag.starts_with(admin == kSha1Admin ? "5A" : "AB")
                    ? ""
                    : " another hash"));
        const std::size_t index = std::stoul(catalog.substr(catalog.rfind("\\cat") + 4));
        return KindOf(admin).listing.at(index);
    }
    static CRYPT_PROVIDER_DATA* WINAPI ProvData(HANDLE state)
    {
        static CRYPT_PROVIDER_DATA data{};
        return state == kState ? &data : nullptr;
    }
    static CRYPT_PROVIDER_SGNR* WINAPI Signer(CRYPT_PROVIDER_DATA*, DWORD, BOOL, DWORD)
    {
        static CRYPT_PROVIDER_SGNR signer = [] {
            CRYPT_PROVIDER_SGNR made{};
            made.cbStruct = sizeof(made);
            return made;
        }();
        return &signer;
    }
    static CRYPT_PROVIDER_CERT* WINAPI Certificate(CRYPT_PROVIDER_SGNR*, DWORD)
    {
        static const CERT_CONTEXT leaf{};
        static CRYPT_PROVIDER_CERT certificate = [] {
            CRYPT_PROVIDER_CERT made{};
            made.cbStruct = sizeof(made);
            made.pCert = &leaf;
            return made;
        }();
        return &certificate;
    }
    static DWORD WINAPI CertGetNameString(PCCERT_CONTEXT, DWORD type, DWORD, void*, LPSTR name, DWORD length)
    {
        const std::string text = type == CERT_NAME_SIMPLE_DISPLAY_TYPE ? "Stand-in Signer" : "another name";
        if (name)
            ::lstrcpynA(name, text.c_str(), static_cast<int>(length));
        return static_cast<DWORD>(text.size() + 1);
    }

    static inline StandInWintrust* s_current = nullptr;
};

}  // namespace

TEST(WinTrustCalls, EachCatalogThatListsTheFileIsTriedAndTheFileItselfOnlyWhenNoneDoes)
{
    struct Case {
        const char* name;
        bool hasSha256;
        CatalogKind sha256;
        CatalogKind sha1;
        std::string result;
        std::vector<std::string> calls;
    };
    const std::string untrusted = "Signer not trusted";
    const std::string notChecked = "Could not be checked: ";
    const Case cases[] = {
        {"listed by SHA-1, as on Windows 7 and Wine",
         false,
         {},
         Listing({0}),
         "Signed (catalog)",
         {"acquire SHA1", "hash SHA1", "find 20 bytes by SHA1", "verify in cat0.cat by SHA1", "close", "release cat0",
          "release SHA1"}},
        {"listed by SHA-256",
         true,
         Listing({0}),
         Listing({0}),
         "Signed (catalog)",
         {"acquire SHA256", "hash SHA256", "find 32 bytes by SHA256", "verify in cat0.cat by SHA256", "close",
          "release cat0", "release SHA256"}},
        {"listed by SHA-1 only, where SHA-256 is asked first",
         true,
         {},
         Listing({0}),
         "Signed (catalog)",
         {"acquire SHA256", "hash SHA256", "find 32 bytes by SHA256", "release SHA256", "acquire SHA1", "hash SHA1",
          "find 20 bytes by SHA1", "verify in cat0.cat by SHA1", "close", "release cat0", "release SHA1"}},
        {"in no catalog: its own signature",
         false,
         {},
         {},
         "Signed (embedded)",
         {"acquire SHA1", "hash SHA1", "find 20 bytes by SHA1", "release SHA1", "verify the file", "close"}},
        {"Wine, searched every catalog",
         false,
         {},
         SearchEndingWith(ERROR_NO_MORE_FILES),
         "Signed (embedded)",
         {"acquire SHA1", "hash SHA1", "find 20 bytes by SHA1", "release SHA1", "verify the file", "close"}},
        {"the first catalog does not vouch, the second does",
         false,
         {},
         Listing({kUntrustedRoot, 0}),
         "Signed (catalog)",
         {"acquire SHA1", "hash SHA1", "find 20 bytes by SHA1", "verify in cat0.cat by SHA1", "close",
          "release cat0", "find 20 bytes by SHA1", "verify in cat1.cat by SHA1", "close", "release cat1",
          "release SHA1"}},
        {"no catalog vouches: the first one's verdict",
         false,
         {},
         Listing({kUntrustedRoot, static_cast<LONG>(0x80096010)}),
         untrusted,
         {"acquire SHA1", "hash SHA1", "find 20 bytes by SHA1", "verify in cat0.cat by SHA1", "close",
          "release cat0", "find 20 bytes by SHA1", "verify in cat1.cat by SHA1", "close", "release cat1",
          "find 20 bytes by SHA1", "release SHA1"}},
        {"the catalogs cannot be searched: the file is not called unsigned",
         false,
         {},
         SearchEndingWith(ERROR_SERVICE_NOT_ACTIVE),
         notChecked + SystemErrorText(ERROR_SERVICE_NOT_ACTIVE),
         {"acquire SHA1", "hash SHA1", "find 20 bytes by SHA1", "release SHA1"}},
        {"no context", false, {}, Failing(ERROR_ACCESS_DENIED, 0),
         notChecked + SystemErrorText(ERROR_ACCESS_DENIED),
         {"acquire SHA1"}},
        {"no hash", false, {}, Failing(0, ERROR_NOT_ENOUGH_MEMORY),
         notChecked + SystemErrorText(ERROR_NOT_ENOUGH_MEMORY),
         {"acquire SHA1", "hash SHA1", "release SHA1"}},
        {"a failed SHA-256 search, and a SHA-1 catalog that vouches",
         true,
         SearchEndingWith(ERROR_SERVICE_NOT_ACTIVE),
         Listing({0}),
         "Signed (catalog)",
         {"acquire SHA256", "hash SHA256", "find 32 bytes by SHA256", "release SHA256", "acquire SHA1", "hash SHA1",
          "find 20 bytes by SHA1", "verify in cat0.cat by SHA1", "close", "release cat0", "release SHA1"}},
        {"a failed SHA-256 search, and no SHA-1 catalog",
         true,
         SearchEndingWith(ERROR_SERVICE_NOT_ACTIVE),
         {},
         notChecked + SystemErrorText(ERROR_SERVICE_NOT_ACTIVE),
         {"acquire SHA256", "hash SHA256", "find 32 bytes by SHA256", "release SHA256", "acquire SHA1", "hash SHA1",
          "find 20 bytes by SHA1", "release SHA1"}},
    };
    char self[MAX_PATH];
    const std::string readable(self, ::GetModuleFileNameA(nullptr, self, MAX_PATH));
    for (const Case& c : cases) {
        StandInWintrust wintrust;
        wintrust.hasSha256 = c.hasSha256;
        wintrust.sha256 = c.sha256;
        wintrust.sha1 = c.sha1;
        StandInRedirection redirection;
        NoDescriptions descriptions;
        WinTrustService trust(wintrust, redirection, descriptions);
        const FileVerification verified = VerifiedAlone(trust, readable);
        EXPECT_EQ(wintrust.calls, c.calls) << c.name;
        EXPECT_EQ(ResultText(verified.trust), c.result) << c.name;
        EXPECT_EQ(verified.sha256.size(), 64u) << c.name;
    }
}

TEST(WinTrustCalls, EachCatalogIsVerifiedOnceUntilItChanges)
{
    TempTree catroot;
    catroot.AddFile("cat0.cat");
    StandInWintrust wintrust;
    wintrust.catalogFolder = catroot.Root();
    wintrust.sha1 = Listing({kUntrustedRoot});
    StandInRedirection redirection;
    NoDescriptions descriptions;
    WinTrustService trust(wintrust, redirection, descriptions);
    char self[MAX_PATH];
    const std::string readable(self, ::GetModuleFileNameA(nullptr, self, MAX_PATH));
    const auto verifications = [&] {
        return std::count(wintrust.calls.begin(), wintrust.calls.end(), "verify in cat0.cat by SHA1");
    };
    for (int file = 0; file < 3; ++file)
        EXPECT_EQ(ResultText(VerifiedAlone(trust, readable).trust), "Signer not trusted") << file;
    EXPECT_EQ(verifications(), 1);
    // A catalog written anew is verified anew.
    const HANDLE catalog = ::CreateFileA((catroot.Root() + "\\cat0.cat").c_str(), GENERIC_WRITE, 0, nullptr,
                                         CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(catalog, "changed", 7, &written, nullptr);
    ::CloseHandle(catalog);
    VerifiedAlone(trust, readable);
    EXPECT_EQ(verifications(), 2);
}
