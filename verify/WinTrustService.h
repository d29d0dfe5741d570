#pragma once
#include <memory>

#include "framework/CriticalSection.h"
#include "framework/DllLoader.h"
#include "platform/FileSystemRedirection.h"
#include "verify/CatalogMemberNames.h"
#include "verify/CatalogVerdicts.h"
#include "verify/FileDescriptionSource.h"
#include "verify/LinkedFileKey.h"
#include "verify/StepTimes.h"
#include "verify/TrustService.h"

struct WinTrustApi;

// The platform's Authenticode verification through WinVerifyTrust, with no
// user interface, no revocation check and no network: the catalogs that
// list the file's hash first, else the file's own signature; then the
// SHA-256 of the same open file, and what it says it is (`descriptions`,
// asked while the file is open). The file is opened with WOW64's
// redirection off. wintrust.dll and crypt32.dll come from the system
// directory the first time a file is verified, and every function is
// looked up by name. Each catalog's signature is verified once.
//
// Each call has its own state, closed before it returns, so several threads
// may verify at once. The libraries are never freed, and the service must
// outlive every worker that may still call it. A file of several names
// (hard links) is read under the first of them that a verification
// reaches; the others are given its result.
class WinTrustService final : public TrustService {
public:
    WinTrustService(DllLoader& loader, FileSystemRedirection& redirection, FileDescriptionSource& descriptions);
    ~WinTrustService() override;
    WinTrustService(const WinTrustService&) = delete;
    WinTrustService& operator=(const WinTrustService&) = delete;

    FileVerification Verify(const std::string& path, SeenFiles& seen) override;
    // Notes in `times`, from now on, where the time goes and what is read;
    // null, as at first, for not at all.
    void NoteStepsIn(StepTimes* times) { m_pTimes = times; }

private:
    // The functions, loaded once; null when a library or a function that
    // every Windows since XP has is missing.
    const WinTrustApi* Api();
    // ntdll's, looked up once; null when it is missing.
    NtQueryInformationFileFunction FileQuery();

    DllLoader& m_loader;
    FileSystemRedirection& m_redirection;
    FileDescriptionSource& m_descriptions;
    CCriticalSection m_loadLock;
    bool m_bLoadTried = false;
    std::unique_ptr<WinTrustApi> m_api;
    StepTimes* m_pTimes = nullptr;
    bool m_bFileQueryTried = false;
    NtQueryInformationFileFunction m_fileQuery = nullptr;
    CatalogVerdicts m_catalogVerdicts;
    CatalogMemberNames m_memberNames;
};
