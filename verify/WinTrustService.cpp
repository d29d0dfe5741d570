#include "verify/WinTrustService.h"

#include <cstddef>
#include <mutex>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

#include "framework/Handle.h"
#include "framework/SystemError.h"
#include "scan/WidePath.h"
#include "verify/HexText.h"
#include "verify/TrustStatus.h"
#include "verify/WinTrustApi.h"

namespace {

TrustResult Unreadable(DWORD error)
{
    return {TrustKind::Unreadable, "", SystemErrorText(error)};
}

// The catalog functions and the verifier read from where the file pointer
// stands, at least under Wine.
void Rewind(HANDLE file)
{
    ::SetFilePointer(file, 0, nullptr, FILE_BEGIN);
}

// The catalog that lists a file, found by the file's hash: its SHA-256
// where wintrust can (Windows 8 on), else, or when no catalog lists that,
// its SHA-1, as the catalogs of older systems and of many drivers have it.
// The context that hashed the file stays open while the member is
// verified.
class CatalogSearch {
public:
    CatalogSearch(const WinTrustApi& api, HANDLE file) : m_api(api)
    {
        HCATADMIN admin = nullptr;
        if (api.pfnAcquireContext2 && api.pfnCalcHashFromFileHandle2 &&
            api.pfnAcquireContext2(&admin, nullptr, L"SHA256", nullptr, 0) && Find(admin, file, true))
            return;
        if (api.pfnAcquireContext(&admin, nullptr, 0))
            Find(admin, file, false);
    }
    ~CatalogSearch()
    {
        if (m_admin)
            m_api.pfnReleaseContext(m_admin, 0);
    }
    CatalogSearch(const CatalogSearch&) = delete;
    CatalogSearch& operator=(const CatalogSearch&) = delete;

    bool Found() const { return m_admin != nullptr; }

    // What WinVerifyTrust needs to verify the file as the catalog's member.
    // `tag` must outlive its use.
    CatalogMemberInfo MemberInfo(const std::wstring& path, HANDLE file, std::wstring& tag)
    {
        const std::string hex = UpperHex(m_hash);
        tag.assign(hex.begin(), hex.end());
        CatalogMemberInfo info{};
        // A SHA-1 member in the structure every wintrust knows.
        info.cbStruct = m_sha256 ? sizeof(info) : offsetof(CatalogMemberInfo, hCatAdmin);
        info.pcwszCatalogFilePath = m_catalog.c_str();
        info.pcwszMemberTag = tag.c_str();
        info.pcwszMemberFilePath = path.c_str();
        info.hMemberFile = file;
        info.pbCalculatedFileHash = m_hash.data();
        info.cbCalculatedFileHash = static_cast<DWORD>(m_hash.size());
        info.hCatAdmin = m_sha256 ? m_admin : nullptr;
        return info;
    }

private:
    // Keeps `admin` when a catalog lists the file's hash, else releases it.
    bool Find(HCATADMIN admin, HANDLE file, bool sha256)
    {
        BYTE hash[64];
        DWORD size = sizeof(hash);
        Rewind(file);
        const BOOL hashed = sha256 ? m_api.pfnCalcHashFromFileHandle2(admin, file, &size, hash, 0)
                                   : m_api.pfnCalcHashFromFileHandle(file, &size, hash, 0);
        if (hashed && size <= sizeof(hash)) {
            if (const HCATINFO found = m_api.pfnEnumCatalogFromHash(admin, hash, size, 0, nullptr)) {
                CATALOG_INFO catalog{};
                catalog.cbStruct = sizeof(catalog);
                const BOOL named = m_api.pfnCatalogInfoFromContext(found, &catalog, 0);
                m_api.pfnReleaseCatalogContext(admin, found, 0);
                if (named) {
                    m_admin = admin;
                    m_sha256 = sha256;
                    m_catalog = catalog.wszCatalogFile;
                    m_hash.assign(hash, hash + size);
                    return true;
                }
            }
        }
        m_api.pfnReleaseContext(admin, 0);
        return false;
    }

    const WinTrustApi& m_api;
    HCATADMIN m_admin = nullptr;
    bool m_sha256 = false;
    std::wstring m_catalog;
    std::vector<BYTE> m_hash;
};

// What the verifier's state tells of the signer; read before it is closed.
struct SignerFacts {
    std::string name;
    std::uint32_t chainErrors = 0;
};

SignerFacts ReadSigner(const WinTrustApi& api, HANDLE state)
{
    SignerFacts facts;
    CRYPT_PROVIDER_DATA* const data = state ? api.pfnProvDataFromStateData(state) : nullptr;
    CRYPT_PROVIDER_SGNR* const signer = data ? api.pfnGetProvSignerFromChain(data, 0, FALSE, 0) : nullptr;
    if (!signer)
        return facts;
    if (offsetof(CRYPT_PROVIDER_SGNR, pChainContext) < signer->cbStruct && signer->pChainContext)
        facts.chainErrors = signer->pChainContext->TrustStatus.dwErrorStatus;
    const CRYPT_PROVIDER_CERT* const leaf = api.pfnGetProvCertFromChain(signer, 0);
    if (!leaf || !leaf->pCert)
        return facts;
    // The length counts the terminating null.
    const DWORD length = api.pfnCertGetNameString(leaf->pCert, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, nullptr, 0);
    if (length > 1) {
        facts.name.resize(length);
        api.pfnCertGetNameString(leaf->pCert, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, facts.name.data(), length);
        facts.name.resize(length - 1);
    }
    return facts;
}

// Runs the verification `data` describes, reads the signer and closes the
// state again.
TrustResult Judge(const WinTrustApi& api, WINTRUST_DATA& data, bool catalog)
{
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    data.cbStruct = sizeof(data);
    data.dwUIChoice = WTD_UI_NONE;
    data.fdwRevocationChecks = WTD_REVOKE_NONE;
    data.dwProvFlags = WTD_CACHE_ONLY_URL_RETRIEVAL;
    data.dwStateAction = WTD_STATEACTION_VERIFY;
    // No window: there is no user to ask.
    const HWND noUser = static_cast<HWND>(INVALID_HANDLE_VALUE);
    const LONG status = api.pfnWinVerifyTrust(noUser, &action, &data);
    const SignerFacts signer = ReadSigner(api, data.hWVTStateData);
    data.dwStateAction = WTD_STATEACTION_CLOSE;
    api.pfnWinVerifyTrust(noUser, &action, &data);

    const TrustVerdict verdict = VerdictOf(static_cast<std::uint32_t>(status), signer.chainErrors, catalog);
    return {verdict.kind, signer.name, verdict.kind == TrustKind::Unreadable ? SystemErrorText(verdict.readError) : ""};
}

}  // namespace

bool WinTrustApi::Complete() const
{
    return pfnWinVerifyTrust && pfnProvDataFromStateData && pfnGetProvSignerFromChain && pfnGetProvCertFromChain &&
           pfnAcquireContext && pfnCalcHashFromFileHandle && pfnEnumCatalogFromHash && pfnCatalogInfoFromContext &&
           pfnReleaseCatalogContext && pfnReleaseContext && pfnCertGetNameString;
}

WinTrustService::WinTrustService(DllLoader& loader) : m_loader(loader) {}

WinTrustService::~WinTrustService() = default;

const WinTrustApi* WinTrustService::Api()
{
    const std::lock_guard<CCriticalSection> lock(m_loadLock);
    if (!m_bLoadTried) {
        m_bLoadTried = true;
        // crypt32 imports msasn1, and wintrust imports crypt32: loaded in
        // that order by their full paths, where the system cannot be told
        // to search its directory alone, none of them comes from beside
        // the program.
        const HMODULE crypt32 = LoadSystemLibrary(m_loader, "crypt32.dll", {"msasn1.dll"});
        const HMODULE wintrust = LoadSystemLibrary(m_loader, "wintrust.dll");
        if (crypt32 && wintrust) {
            auto api = std::make_unique<WinTrustApi>();
            const auto lookUp = [&](HMODULE hModule, auto& function, const char* name) {
                function = ProcAs<std::remove_reference_t<decltype(function)>>(m_loader.GetProcAddress(hModule, name));
            };
            lookUp(wintrust, api->pfnWinVerifyTrust, "WinVerifyTrust");
            lookUp(wintrust, api->pfnProvDataFromStateData, "WTHelperProvDataFromStateData");
            lookUp(wintrust, api->pfnGetProvSignerFromChain, "WTHelperGetProvSignerFromChain");
            lookUp(wintrust, api->pfnGetProvCertFromChain, "WTHelperGetProvCertFromChain");
            lookUp(wintrust, api->pfnAcquireContext, "CryptCATAdminAcquireContext");
            lookUp(wintrust, api->pfnCalcHashFromFileHandle, "CryptCATAdminCalcHashFromFileHandle");
            lookUp(wintrust, api->pfnEnumCatalogFromHash, "CryptCATAdminEnumCatalogFromHash");
            lookUp(wintrust, api->pfnCatalogInfoFromContext, "CryptCATCatalogInfoFromContext");
            lookUp(wintrust, api->pfnReleaseCatalogContext, "CryptCATAdminReleaseCatalogContext");
            lookUp(wintrust, api->pfnReleaseContext, "CryptCATAdminReleaseContext");
            lookUp(wintrust, api->pfnAcquireContext2, "CryptCATAdminAcquireContext2");
            lookUp(wintrust, api->pfnCalcHashFromFileHandle2, "CryptCATAdminCalcHashFromFileHandle2");
            lookUp(crypt32, api->pfnCertGetNameString, "CertGetNameStringA");
            if (api->Complete())
                m_api = std::move(api);
        }
    }
    return m_api.get();
}

TrustResult WinTrustService::Verify(const std::string& path)
{
    const std::wstring widePath = WidePath(path);
    const CHandle file(::CreateFileW(widePath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return Unreadable(::GetLastError());
    const WinTrustApi* const api = Api();
    if (!api)
        return Unreadable(ERROR_MOD_NOT_FOUND);

    WINTRUST_DATA data{};
    CatalogSearch catalog(*api, file);
    if (catalog.Found()) {
        std::wstring tag;
        CatalogMemberInfo member = catalog.MemberInfo(widePath, file, tag);
        data.dwUnionChoice = WTD_CHOICE_CATALOG;
        data.pCatalog = reinterpret_cast<WINTRUST_CATALOG_INFO*>(&member);
        Rewind(file);
        return Judge(*api, data, true);
    }
    WINTRUST_FILE_INFO embedded{};
    embedded.cbStruct = sizeof(embedded);
    embedded.pcwszFilePath = widePath.c_str();
    embedded.hFile = file;
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &embedded;
    Rewind(file);
    return Judge(*api, data, false);
}
