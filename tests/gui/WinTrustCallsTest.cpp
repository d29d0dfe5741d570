#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/DllLoader.h"
#include "verify/WinTrustApi.h"
#include "verify/WinTrustService.h"

namespace {

const HMODULE kCrypt32 = reinterpret_cast<HMODULE>(0x1000);
const HMODULE kWintrust = reinterpret_cast<HMODULE>(0x2000);
const HCATADMIN kSha1Admin = reinterpret_cast<HCATADMIN>(1);
const HCATADMIN kSha256Admin = reinterpret_cast<HCATADMIN>(2);
const HCATINFO kCatalogFound = reinterpret_cast<HCATINFO>(3);
const HANDLE kState = reinterpret_cast<HANDLE>(4);

// wintrust.dll and crypt32.dll as a case says: with or without the lookups
// by SHA-256 (Windows 8 on, not Wine 8), and a catalog that lists the
// file's SHA-256, its SHA-1 or neither. Records each call. Both hashes are
// made up: 32 bytes of AB, 20 of 5A.
class StandInWintrust final : public DllLoader {
public:
    bool hasSha256 = false;
    bool sha256Listed = false;
    bool sha1Listed = false;
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
        const bool sha256 = wanted.ends_with("2");
        if (hModule == kCrypt32)
            return wanted == "CertGetNameStringA" ? Proc(&CertGetNameString) : nullptr;
        if (hModule != kWintrust || (sha256 && !hasSha256))
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
    static std::string Narrow(LPCWSTR text) { return std::string(text, text + ::lstrlenW(text)); }

    static BOOL WINAPI AcquireContext(HCATADMIN* admin, const GUID*, DWORD)
    {
        s_current->calls.push_back("acquire SHA1");
        *admin = kSha1Admin;
        return TRUE;
    }
    static BOOL WINAPI AcquireContext2(HCATADMIN* admin, const GUID*, const WCHAR* algorithm,
                                       const CERT_STRONG_SIGN_PARA*, DWORD)
    {
        s_current->calls.push_back("acquire " + Narrow(algorithm));
        *admin = kSha256Admin;
        return TRUE;
    }
    static BOOL WINAPI CalcHash(HANDLE, DWORD* size, BYTE* hash, DWORD)
    {
        s_current->calls.push_back("hash SHA1");
        *size = 20;
        std::memset(hash, 0x5A, *size);
        return TRUE;
    }
    static BOOL WINAPI CalcHash2(HCATADMIN admin, HANDLE, DWORD* size, BYTE* hash, DWORD)
    {
        s_current->calls.push_back("hash " + AdminName(admin));
        *size = 32;
        std::memset(hash, 0xAB, *size);
        return TRUE;
    }
    static HCATINFO WINAPI EnumCatalog(HCATADMIN admin, BYTE*, DWORD size, DWORD, HCATINFO*)
    {
        s_current->calls.push_back("find " + std::to_string(size) + " bytes by " + AdminName(admin));
        const bool listed = size == 32 ? s_current->sha256Listed : s_current->sha1Listed;
        return listed ? kCatalogFound : nullptr;
    }
    static BOOL WINAPI CatalogInfo(HCATINFO, CATALOG_INFO* info, DWORD)
    {
        s_current->calls.push_back("name the catalog");
        ::lstrcpyW(info->wszCatalogFile, L"C:\\catroot\\listing.cat");
        return TRUE;
    }
    static BOOL WINAPI ReleaseCatalog(HCATADMIN, HCATINFO, DWORD)
    {
        s_current->calls.push_back("release the catalog");
        return TRUE;
    }
    static BOOL WINAPI ReleaseContext(HCATADMIN admin, DWORD)
    {
        s_current->calls.push_back("release " + AdminName(admin));
        return TRUE;
    }
    static LONG WINAPI VerifyTrust(HWND, GUID* action, LPVOID pData)
    {
        auto* data = static_cast<WINTRUST_DATA*>(pData);
        GUID genericVerify = WINTRUST_ACTION_GENERIC_VERIFY_V2;
        if (std::memcmp(action, &genericVerify, sizeof(GUID)) || data->dwUIChoice != WTD_UI_NONE ||
            data->fdwRevocationChecks != WTD_REVOKE_NONE || data->dwProvFlags != WTD_CACHE_ONLY_URL_RETRIEVAL)
            s_current->calls.push_back("verify otherwise than asked");
        if (data->dwStateAction == WTD_STATEACTION_CLOSE) {
            s_current->calls.push_back(data->hWVTStateData == kState ? "close" : "close what is not open");
            data->hWVTStateData = nullptr;
            return 0;
        }
        if (data->dwUnionChoice == WTD_CHOICE_FILE) {
            s_current->calls.push_back("verify the file");
        } else {
            const auto* member = reinterpret_cast<const CatalogMemberInfo*>(data->pCatalog);
            const bool windows8 = member->cbStruct == sizeof(CatalogMemberInfo);
            const std::string tag = Narrow(member->pcwszMemberTag);
            s_current->calls.push_back("verify member " + tag + " of " + Narrow(member->pcwszCatalogFilePath) +
                                       " hashed by " + (windows8 ? AdminName(member->hCatAdmin) : "SHA1") +
                                       (member->cbCalculatedFileHash * 2 == tag.size() ? "" : " and another hash"));
        }
        data->hWVTStateData = kState;
        return 0;
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

std::string Repeated(const char* text, int times)
{
    std::string repeated;
    for (int n = 0; n < times; ++n)
        repeated += text;
    return repeated;
}

}  // namespace

TEST(WinTrustCalls, TheCatalogIsSoughtBySha256WhereWintrustCanThenBySha1AndElseTheFileIsVerified)
{
    struct Case {
        bool hasSha256;
        bool sha256Listed;
        bool sha1Listed;
        TrustKind kind;
        std::vector<std::string> calls;
    };
    const std::string sha1Member = Repeated("5A", 20), sha256Member = Repeated("AB", 32);
    const Case cases[] = {
        {false, false, true, TrustKind::SignedCatalog,
         {"acquire SHA1", "hash SHA1", "find 20 bytes by SHA1", "name the catalog", "release the catalog",
          "verify member " + sha1Member + " of C:\\catroot\\listing.cat hashed by SHA1", "close", "release SHA1"}},
        {true, true, true, TrustKind::SignedCatalog,
         {"acquire SHA256", "hash SHA256", "find 32 bytes by SHA256", "name the catalog", "release the catalog",
          "verify member " + sha256Member + " of C:\\catroot\\listing.cat hashed by SHA256", "close",
          "release SHA256"}},
        {true, false, true, TrustKind::SignedCatalog,
         {"acquire SHA256", "hash SHA256", "find 32 bytes by SHA256", "release SHA256", "acquire SHA1", "hash SHA1",
          "find 20 bytes by SHA1", "name the catalog", "release the catalog",
          "verify member " + sha1Member + " of C:\\catroot\\listing.cat hashed by SHA1", "close", "release SHA1"}},
        {false, false, false, TrustKind::SignedEmbedded,
         {"acquire SHA1", "hash SHA1", "find 20 bytes by SHA1", "release SHA1", "verify the file", "close"}},
    };
    char self[MAX_PATH];
    const std::string readable(self, ::GetModuleFileNameA(nullptr, self, MAX_PATH));
    for (const Case& c : cases) {
        StandInWintrust wintrust;
        wintrust.hasSha256 = c.hasSha256;
        wintrust.sha256Listed = c.sha256Listed;
        wintrust.sha1Listed = c.sha1Listed;
        WinTrustService trust(wintrust);
        const TrustResult result = trust.Verify(readable);
        EXPECT_EQ(wintrust.calls, c.calls) << c.hasSha256 << c.sha256Listed << c.sha1Listed;
        EXPECT_EQ(result.kind, c.kind);
        EXPECT_EQ(result.signer, "Stand-in Signer");
    }
}
