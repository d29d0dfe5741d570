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

// Hashes what `feed` gives it, chunk by chunk, until it gives nothing more.
template <class Feed>
unsigned Sha256Of(Feed feed, std::string& hex)
{
    CScopedHandle<HCRYPTPROV, ReleaseProvider> provider;
    CScopedHandle<HCRYPTHASH, DestroyHash> hash;
    if (!::CryptAcquireContextA(provider.Receive(), nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT) ||
        !::CryptCreateHash(provider.Get(), kSha256Algorithm, 0, 0, hash.Receive()))
        return LastError();
    const auto add = [&](const BYTE* data, DWORD size) { return ::CryptHashData(hash.Get(), data, size, 0) != FALSE; };
    if (!feed(add))
        return LastError();
    BYTE digest[kSha256Bytes];
    DWORD size = sizeof(digest);
    if (!::CryptGetHashParam(hash.Get(), HP_HASHVAL, digest, &size, 0))
        return LastError();
    hex = UpperHex(std::span(digest, size));
    return 0;
}

}  // namespace

unsigned Sha256OfFile(HANDLE file, std::string& hex)
{
    return Sha256Of(
        [file](const auto& add) {
            std::vector<BYTE> chunk(kChunkBytes);
            for (DWORD read = kChunkBytes; read > 0;) {
                if (!::ReadFile(file, chunk.data(), kChunkBytes, &read, nullptr) || (read > 0 && !add(chunk.data(), read)))
                    return false;
            }
            return true;
        },
        hex);
}

unsigned Sha256OfBytes(std::span<const unsigned char> bytes, std::string& hex)
{
    return Sha256Of([bytes](const auto& add) { return add(bytes.data(), static_cast<DWORD>(bytes.size())); }, hex);
}
