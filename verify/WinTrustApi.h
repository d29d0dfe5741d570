#pragma once
// What the verifier needs of wintrust.dll and crypt32.dll. The program
// imports neither: WinTrustService looks each function up by name, with
// the types declared here.
#include "framework/Afx.h"

#include <wincrypt.h>
#include <wintrust.h>
#include <mscat.h>
#include <softpub.h>

// WINTRUST_CATALOG_INFO as Windows 8 has it, which the headers of the API
// level the program is built for stop short of. hCatAdmin names the context
// that hashed the member, for a hash other than SHA-1; a wintrust that does
// not know the member never reads it, as long as cbStruct leaves it out.
struct CatalogMemberInfo {
    DWORD cbStruct;
    DWORD dwCatalogVersion;
    LPCWSTR pcwszCatalogFilePath;
    LPCWSTR pcwszMemberTag;
    LPCWSTR pcwszMemberFilePath;
    HANDLE hMemberFile;
    BYTE* pbCalculatedFileHash;
    DWORD cbCalculatedFileHash;
    PCCTL_CONTEXT pcCatalogContext;
    HCATADMIN hCatAdmin;
};

struct WinTrustApi {
    decltype(&::WinVerifyTrust) pfnWinVerifyTrust = nullptr;
    decltype(&::WTHelperProvDataFromStateData) pfnProvDataFromStateData = nullptr;
    decltype(&::WTHelperGetProvSignerFromChain) pfnGetProvSignerFromChain = nullptr;
    decltype(&::WTHelperGetProvCertFromChain) pfnGetProvCertFromChain = nullptr;
    decltype(&::CryptCATAdminAcquireContext) pfnAcquireContext = nullptr;
    decltype(&::CryptCATAdminCalcHashFromFileHandle) pfnCalcHashFromFileHandle = nullptr;
    decltype(&::CryptCATAdminEnumCatalogFromHash) pfnEnumCatalogFromHash = nullptr;
    decltype(&::CryptCATCatalogInfoFromContext) pfnCatalogInfoFromContext = nullptr;
    decltype(&::CryptCATAdminReleaseCatalogContext) pfnReleaseCatalogContext = nullptr;
    decltype(&::CryptCATAdminReleaseContext) pfnReleaseContext = nullptr;
    decltype(&::CertGetNameStringA) pfnCertGetNameString = nullptr;
    // Windows 8 on: catalogs by their SHA-256 hashes. Null where wintrust
    // lacks them.
    decltype(&::CryptCATAdminAcquireContext2) pfnAcquireContext2 = nullptr;
    decltype(&::CryptCATAdminCalcHashFromFileHandle2) pfnCalcHashFromFileHandle2 = nullptr;
    // To read the names that catalogs give their members; without them a
    // file is named by its version resource alone.
    decltype(&::CertCreateCTLContext) pfnCertCreateCTLContext = nullptr;
    decltype(&::CertFreeCTLContext) pfnCertFreeCTLContext = nullptr;
    decltype(&::CryptDecodeObject) pfnCryptDecodeObject = nullptr;

    // Every function but the Windows 8 ones and the catalog readers' is
    // there.
    bool Complete() const;
};
