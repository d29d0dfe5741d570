// Makes the Wine prefix it runs in trust the signature samples that
// tools/make-trust-samples.sh made into trust-samples\ beside this program:
// their two test roots join the local machine's trusted roots, and their
// catalog is installed as vorlane-test.cat. For the test prefix (a fixture of the
// tests) and the demonstration prefix (tools/common.sh), never for a real
// Windows. Exits with 0 when both are in place.
#include <windows.h>

#include <wincrypt.h>
#include <mscat.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::wstring SamplesFolder()
{
    WCHAR self[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, length < MAX_PATH ? length : 0);
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"trust-samples\\";
}

bool ReadWhole(const std::wstring& path, std::vector<BYTE>& bytes)
{
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bytes.resize(::GetFileSize(file, nullptr));
    DWORD read = 0;
    const BOOL ok = ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    ::CloseHandle(file);
    return ok && read == bytes.size();
}

bool TrustRoot(const std::wstring& certificate)
{
    std::vector<BYTE> encoded;
    if (!ReadWhole(certificate, encoded))
        return false;
    const HCERTSTORE roots =
        ::CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE, L"ROOT");
    if (!roots)
        return false;
    const BOOL added = ::CertAddEncodedCertificateToStore(roots, X509_ASN_ENCODING, encoded.data(),
                                                          static_cast<DWORD>(encoded.size()),
                                                          CERT_STORE_ADD_REPLACE_EXISTING, nullptr);
    ::CertCloseStore(roots, 0);
    return added;
}

bool InstallCatalog(std::wstring catalog)
{
    HCATADMIN admin = nullptr;
    if (!::CryptCATAdminAcquireContext(&admin, nullptr, 0))
        return false;
    WCHAR name[] = L"vorlane-test.cat";
    const HCATINFO installed = ::CryptCATAdminAddCatalog(admin, catalog.data(), name, 0);
    if (installed)
        ::CryptCATAdminReleaseCatalogContext(admin, installed, 0);
    ::CryptCATAdminReleaseContext(admin, 0);
    return installed != nullptr;
}

}  // namespace

int main()
{
    const std::wstring samples = SamplesFolder();
    for (const wchar_t* root : {L"test-root.cer", L"impostor-root.cer"}) {
        if (!TrustRoot(samples + root)) {
            std::fprintf(stderr, "trust_setup: could not trust %ls (error %lu)\n", (samples + root).c_str(),
                         ::GetLastError());
            return 1;
        }
    }
    if (!InstallCatalog(samples + L"test.cat")) {
        std::fprintf(stderr, "trust_setup: could not install %ls (error %lu)\n", (samples + L"test.cat").c_str(),
                     ::GetLastError());
        return 1;
    }
    std::printf("trust_setup: the test roots are trusted and the test catalog installed\n");
    return 0;
}
