#include "verify/FileSha256.h"

#include <vector>

#include "framework/ScopedHandle.h"
#include "verify/HexText.h"

#include <wincrypt.h>

namespace {

// CALG_SHA_256: the headers show it from Windows XP SP3 on, a level finer
// than the one the program is built for (XP).
constexpr ALG_ID kSha256Algorithm = 0x800C;
constexpr DWORD kSha256Bytes = 32;
constexpr DWORD kChunkBytes = 1 << 16;

void ReleaseProvider(HCRYPTPROV provider)
{
    ::CryptReleaseContext(provider, 0);
}

void DestroyHash(HCRYPTHASH hash)
{
    ::CryptDestroyHash(hash);
}

unsigned LastError()
{
    const DWORD error = ::GetLastError();
    return error ? error : ERROR_READ_FAULT;
}

}  // namespace

unsigned Sha256OfFile(HANDLE file, std::string& hex)
{
    CScopedHandle<HCRYPTPROV, ReleaseProvider> provider;
    CScopedHandle<HCRYPTHASH, DestroyHash> hash;
    if (!::CryptAcquireContextA(provider.Receive(), nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT) ||
        !::CryptCreateHash(provider.Get(), kSha256Algorithm, 0, 0, hash.Receive()))
        return LastError();
    std::vector<BYTE> chunk(kChunkBytes);
    for (DWORD read = kChunkBytes; read > 0;) {
        if (!::ReadFile(file, chunk.data(), kChunkBytes, &read, nullptr) ||
            (read > 0 && !::CryptHashData(hash.Get(), chunk.data(), read, 0)))
            return LastError();
    }
    BYTE digest[kSha256Bytes];
    DWORD size = sizeof(digest);
    if (!::CryptGetHashParam(hash.Get(), HP_HASHVAL, digest, &size, 0))
        return LastError();
    hex = UpperHex(std::span(digest, size));
    return 0;
}
