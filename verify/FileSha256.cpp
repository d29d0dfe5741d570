#include "verify/FileSha256.h"

#include <mutex>

#include "framework/CriticalSection.h"
#include "framework/DllLoader.h"
#include "verify/Sha256Hashing.h"

namespace {

CCriticalSection g_openLock;

// The platform's hashing, opened once; null, and why in `error`, where it
// has none.
const Sha256Hashing* PlatformHashing(unsigned& error)
{
    static bool s_bOpened = false;
    static unsigned s_openError = 0;
    // Never closed: a worker may hash until the process ends.
    static const Sha256Hashing* s_hashing = nullptr;
    const std::lock_guard<CCriticalSection> lock(g_openLock);
    if (!s_bOpened) {
        s_bOpened = true;
        s_hashing = Sha256Hashing::Fastest(DllLoader::System(), s_openError).release();
    }
    error = s_openError;
    return s_hashing;
}

}  // namespace

unsigned Sha256OfFile(HANDLE file, std::string& hex)
{
    unsigned error = 0;
    const Sha256Hashing* const hashing = PlatformHashing(error);
    return hashing ? hashing->OfFile(file, hex) : error;
}

unsigned Sha256OfBytes(std::span<const unsigned char> bytes, std::string& hex)
{
    unsigned error = 0;
    const Sha256Hashing* const hashing = PlatformHashing(error);
    return hashing ? hashing->OfBytes(bytes, hex) : error;
}
