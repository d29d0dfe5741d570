#include "verify/WinTrustService.h"

#include <cstddef>
#include <cwchar>
#include <mutex>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "framework/Handle.h"
#include "framework/SystemError.h"
#include "platform/LastError.h"
#include "platform/OpenForReading.h"
#include "platform/TextConversion.h"
#include "verify/FileSha256.h"
#include "verify/HexText.h"
#include "verify/TrustStatus.h"
#include "verify/WinTrustApi.h"

namespace {

TrustResult Failed(TrustKind kind, DWORD error)
{
    return {kind, "", SystemErrorText(error), ""};
}

// The catalog functions and the verifier read from where the file pointer
// stands, at least under Wine.
void Rewind(HANDLE file)
{
    ::SetFilePointer(file, 0, nullptr, FILE_BEGIN);
}

// What a null from CryptCATAdminEnumCatalogFromHash means: that no
// (further) catalog lists the hash, or that the catalogs could not be
// searched. Windows says ERROR_NOT_FOUND for the first; Wine 8 says
// ERROR_FILE_NOT_FOUND when there is no catalog at all and
// ERROR_NO_MORE_FILES when it has looked in every one. Any other error,
// such as the catalog service's being stopped, is the second.
bool NoFurtherCatalog(DWORD error)
{
    return error == ERROR_SUCCESS || error == ERROR_NOT_FOUND || error == ERROR_FILE_NOT_FOUND ||
           error == ERROR_NO_MORE_FILES;
}

// What the verifier's state tells of the signer; read before it is closed.
struct SignerFacts {
    std::string name;
    std::uint32_t chainErrors = 0;
    // The SHA-256 of the chain's last certificate, its root.
    std::string root;
};

std::string RootOf(const WinTrustApi& api, CRYPT_PROVIDER_SGNR* signer)
{
    if (signer->csCertChain == 0)
        return {};
    const CRYPT_PROVIDER_CERT* const root = api.pfnGetProvCertFromChain(signer, signer->csCertChain - 1);
    std::string hex;
    if (!root || !root->pCert ||
        Sha256OfBytes(std::span(root->pCert->pbCertEncoded, root->pCert->cbCertEncoded), hex))
        return {};
    return hex;
}

SignerFacts ReadSigner(const WinTrustApi& api, HANDLE state)
{
    SignerFacts facts;
    CRYPT_PROVIDER_DATA* const data = state ? api.pfnProvDataFromStateData(state) : nullptr;
    CRYPT_PROVIDER_SGNR* const signer = data ? api.pfnGetProvSignerFromChain(data, 0, FALSE, 0) : nullptr;
    if (!signer)
        return facts;
    if (offsetof(CRYPT_PROVIDER_SGNR, pChainContext) < signer->cbStruct && signer->pChainContext)
        facts.chainErrors = signer->pChainContext->TrustStatus.dwErrorStatus;
    facts.root = RootOf(api, signer);
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
    const bool said = verdict.kind == TrustKind::Unreadable || verdict.kind == TrustKind::NotChecked;
    // A root is named only where the chain up to it is trusted.
    return {verdict.kind, signer.name, said ? SystemErrorText(verdict.error) : "", "",
            IsTrusted(verdict.kind) ? signer.root : ""};
}

// The file name of the catalog at `path`, as the results name it.
std::string CatalogName(const wchar_t* path)
{
    const wchar_t* const slash = std::wcsrchr(path, L'\\');
    return AnsiText(slash ? slash + 1 : path);
}

// A catalog administrator context, given back when it goes.
class CatalogAdmin {
public:
    explicit CatalogAdmin(const WinTrustApi& api) : m_api(api) {}
    ~CatalogAdmin()
    {
        if (m_admin)
            m_api.pfnReleaseContext(m_admin, 0);
    }
    CatalogAdmin(const CatalogAdmin&) = delete;
    CatalogAdmin& operator=(const CatalogAdmin&) = delete;

    HCATADMIN* Receive() { return &m_admin; }
    HCATADMIN Get() const { return m_admin; }
    // After a failed acquisition: whatever was written there is no context.
    void Forget() { m_admin = nullptr; }

private:
    const WinTrustApi& m_api;
    HCATADMIN m_admin = nullptr;
};

// The tag of the catalog member whose hash is `hash`.
std::wstring MemberTag(const BYTE* hash, DWORD size)
{
    const std::string hex = UpperHex(std::span(hash, size));
    return {hex.begin(), hex.end()};
}

// The file verified as a member of the catalog at `catalog`, which lists
// its hash; `admin` is the context that hashed it by SHA-256, null for
// SHA-1.
TrustResult VerifyMember(const WinTrustApi& api, const wchar_t* catalog, const std::wstring& path, HANDLE file,
                         BYTE* hash, DWORD size, HCATADMIN admin, StepTimes* times)
{
    const StepTimer timer(times, StepTimes::kSignatureCheck);
    const std::wstring tag = MemberTag(hash, size);
    CatalogMemberInfo member{};
    // A SHA-1 member in the structure every wintrust knows.
    member.cbStruct = admin ? sizeof(member) : offsetof(CatalogMemberInfo, hCatAdmin);
    member.pcwszCatalogFilePath = catalog;
    member.pcwszMemberTag = tag.c_str();
    member.pcwszMemberFilePath = path.c_str();
    member.hMemberFile = file;
    member.pbCalculatedFileHash = hash;
    member.cbCalculatedFileHash = size;
    member.hCatAdmin = admin;
    WINTRUST_DATA data{};
    data.dwUnionChoice = WTD_CHOICE_CATALOG;
    data.pCatalog = reinterpret_cast<WINTRUST_CATALOG_INFO*>(&member);
    Rewind(file);
    return Judge(api, data, true);
}

// The catalog that vouched for a file, and the file as its member.
struct VouchingCatalog {
    std::wstring path;
    std::wstring tag;
};

// The file verified as a member of each catalog that lists its hash of one
// kind (SHA-256 where `sha256`, else SHA-1), until one vouches for it. No
// result when no catalog lists it; Could not be checked when the catalogs
// could not be searched; else the vouching catalog's verdict (and in
// `vouching`, the catalog), or the first one's when none vouches.
std::optional<TrustResult> VerifyByCatalogs(const WinTrustApi& api, CatalogVerdicts& verdicts,
                                            const std::wstring& path, HANDLE file, bool sha256,
                                            VouchingCatalog& vouching, StepTimes* times)
{
    CatalogAdmin admin(api);
    const BOOL acquired = sha256 ? api.pfnAcquireContext2(admin.Receive(), nullptr, L"SHA256", nullptr, 0)
                                 : api.pfnAcquireContext(admin.Receive(), nullptr, 0);
    if (!acquired) {
        admin.Forget();
        return Failed(TrustKind::NotChecked, LastErrorOr(ERROR_INVALID_FUNCTION));
    }
    BYTE hash[64];
    DWORD size = sizeof(hash);
    Rewind(file);
    BOOL hashed = FALSE;
    {
        const StepTimer timer(times, StepTimes::kCatalogHash);
        hashed = sha256 ? api.pfnCalcHashFromFileHandle2(admin.Get(), file, &size, hash, 0)
                        : api.pfnCalcHashFromFileHandle(file, &size, hash, 0);
    }
    if (!hashed || size > sizeof(hash))
        return Failed(TrustKind::NotChecked, LastErrorOr(ERROR_INVALID_DATA));

    std::optional<TrustResult> first;
    // Each call gives back the catalog before, and keeps the search going.
    for (HCATINFO catalog = nullptr;;) {
        ::SetLastError(ERROR_SUCCESS);
        {
            const StepTimer timer(times, StepTimes::kCatalogSearch);
            catalog = api.pfnEnumCatalogFromHash(admin.Get(), hash, size, 0, &catalog);
        }
        if (!catalog) {
            const DWORD error = ::GetLastError();
            if (NoFurtherCatalog(error))
                return first;
            return Failed(TrustKind::NotChecked, error);
        }
        CATALOG_INFO named{};
        named.cbStruct = sizeof(named);
        if (!api.pfnCatalogInfoFromContext(catalog, &named, 0)) {
            const DWORD error = LastErrorOr(ERROR_INVALID_DATA);
            api.pfnReleaseCatalogContext(admin.Get(), catalog, 0);
            return Failed(TrustKind::NotChecked, error);
        }
        std::optional<TrustResult> verdict = verdicts.Find(named.wszCatalogFile);
        if (!verdict) {
            verdict = VerifyMember(api, named.wszCatalogFile, path, file, hash, size, sha256 ? admin.Get() : nullptr,
                                   times);
            verdicts.Keep(named.wszCatalogFile, *verdict);
        }
        if (IsTrusted(verdict->kind)) {
            api.pfnReleaseCatalogContext(admin.Get(), catalog, 0);
            verdict->catalog = CatalogName(named.wszCatalogFile);
            vouching = {named.wszCatalogFile, MemberTag(hash, size)};
            return verdict;
        }
        if (!first)
            first = std::move(verdict);
    }
}

TrustResult VerifyEmbedded(const WinTrustApi& api, const std::wstring& path, HANDLE file, StepTimes* times)
{
    const StepTimer timer(times, StepTimes::kSignatureCheck);
    WINTRUST_FILE_INFO embedded{};
    embedded.cbStruct = sizeof(embedded);
    embedded.pcwszFilePath = path.c_str();
    embedded.hFile = file;
    WINTRUST_DATA data{};
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &embedded;
    Rewind(file);
    return Judge(api, data, false);
}

// The catalogs by SHA-256 where wintrust can (Windows 8 on), then by
// SHA-1, as the catalogs of older systems and of many drivers have it; the
// file's own signature only when no catalog lists the file. A catalog that
// vouches wins; a search that failed leaves the file unchecked, since a
// catalog that could not be searched may have vouched.
TrustResult VerifyOpenFile(const WinTrustApi& api, CatalogVerdicts& verdicts, const std::wstring& path, HANDLE file,
                           VouchingCatalog& vouching, StepTimes* times)
{
    std::optional<TrustResult> listed;
    std::optional<TrustResult> failed;
    for (const bool sha256 : {true, false}) {
        if (sha256 && !(api.pfnAcquireContext2 && api.pfnCalcHashFromFileHandle2))
            continue;
        std::optional<TrustResult> result = VerifyByCatalogs(api, verdicts, path, file, sha256, vouching, times);
        if (!result)
            continue;
        if (IsTrusted(result->kind))
            return *result;
        std::optional<TrustResult>& kept = result->kind == TrustKind::NotChecked ? failed : listed;
        if (!kept)
            kept = std::move(result);
    }
    if (failed)
        return *failed;
    if (listed)
        return *listed;
    return VerifyEmbedded(api, path, file, times);
}

}  // namespace

bool WinTrustApi::Complete() const
{
    return pfnWinVerifyTrust && pfnProvDataFromStateData && pfnGetProvSignerFromChain && pfnGetProvCertFromChain &&
           pfnAcquireContext && pfnCalcHashFromFileHandle && pfnEnumCatalogFromHash && pfnCatalogInfoFromContext &&
           pfnReleaseCatalogContext && pfnReleaseContext && pfnCertGetNameString;
}

WinTrustService::WinTrustService(DllLoader& loader, FileSystemRedirection& redirection,
                                 FileDescriptionSource& descriptions)
    : m_loader(loader), m_redirection(redirection), m_descriptions(descriptions)
{
}

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
            lookUp(crypt32, api->pfnCertCreateCTLContext, "CertCreateCTLContext");
            lookUp(crypt32, api->pfnCertFreeCTLContext, "CertFreeCTLContext");
            lookUp(crypt32, api->pfnCryptDecodeObject, "CryptDecodeObject");
            if (api->Complete())
                m_api = std::move(api);
        }
    }
    return m_api.get();
}

NtQueryInformationFileFunction WinTrustService::FileQuery()
{
    const std::lock_guard<CCriticalSection> lock(m_loadLock);
    if (!m_bFileQueryTried) {
        m_bFileQueryTried = true;
        if (const HMODULE ntdll = LoadSystemLibrary(m_loader, "ntdll.dll"))
            m_fileQuery = ProcAs<NtQueryInformationFileFunction>(m_loader.GetProcAddress(ntdll, "NtQueryInformationFile"));
    }
    return m_fileQuery;
}

FileVerification WinTrustService::Verify(const std::string& path, SeenFiles& seen)
{
    const std::wstring widePath = WideText(path);
    unsigned error = 0;
    const CHandle file = OpenForReading(widePath, m_redirection, FILE_FLAG_SEQUENTIAL_SCAN, error);
    if (!file)
        return {Failed(TrustKind::Unreadable, error), {}};
    // The key holds while the file is open: nobody may write it meanwhile.
    const std::optional<FileKey> key = LinkedFileKey(file, FileQuery());
    if (key) {
        if (std::optional<FileVerification> kept = seen.Find(*key))
            return std::move(*kept);
    }
    if (m_pTimes) {
        LARGE_INTEGER size{};
        if (::GetFileSizeEx(file, &size))
            m_pTimes->bytesRead += static_cast<std::uint64_t>(size.QuadPart);
        ++m_pTimes->filesRead;
    }
    FileVerification verification;
    // The verdict, the hash and the description come from the same open
    // file, which nobody may write, rename or replace while it is open.
    const WinTrustApi* const api = Api();
    VouchingCatalog vouching;
    verification.trust = api ? VerifyOpenFile(*api, m_catalogVerdicts, widePath, file, vouching, m_pTimes)
                             : Failed(TrustKind::NotChecked, ERROR_MOD_NOT_FOUND);
    Rewind(file);
    unsigned hashError = 0;
    {
        const StepTimer timer(m_pTimes, StepTimes::kSha256);
        hashError = Sha256OfFile(file, verification.sha256);
    }
    if (hashError) {
        verification.trust = Failed(TrustKind::Unreadable, hashError);
        verification.sha256.clear();
        return verification;
    }
    {
        const StepTimer timer(m_pTimes, StepTimes::kVersionResource);
        verification.description = m_descriptions.Describe(path);
    }
    if (verification.description.originalName.empty() && !vouching.path.empty())
        verification.description.originalName = m_memberNames.NameOf(*api, vouching.path, vouching.tag);
    if (key)
        seen.Keep(*key, verification);
    return verification;
}
