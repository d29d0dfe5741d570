#include "verify/CryptoApiFileHasher.h"

#include <vector>

#include "framework/Handle.h"
#include "scan/WidePath.h"
#include "verify/HexText.h"

#include <wincrypt.h>

namespace {

// CALG_SHA_256: the headers show it from Windows XP SP3 on, a level finer
// than the one the program is built for (XP).
constexpr ALG_ID kSha256 = 0x800C;
constexpr DWORD kSha256Bytes = 32;
constexpr DWORD kChunkBytes = 1 << 16;

class Provider {
public:
    Provider() { ::CryptAcquireContextA(&m_handle, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT); }
    ~Provider()
    {
        if (m_handle)
            ::CryptReleaseContext(m_handle, 0);
    }
    Provider(const Provider&) = delete;
    Provider& operator=(const Provider&) = delete;

    HCRYPTPROV Get() const { return m_handle; }

private:
    HCRYPTPROV m_handle = 0;
};

class Hash {
public:
    explicit Hash(const Provider& provider)
    {
        if (provider.Get())
            ::CryptCreateHash(provider.Get(), kSha256, 0, 0, &m_handle);
    }
    ~Hash()
    {
        if (m_handle)
            ::CryptDestroyHash(m_handle);
    }
    Hash(const Hash&) = delete;
    Hash& operator=(const Hash&) = delete;

    HCRYPTHASH Get() const { return m_handle; }

private:
    HCRYPTHASH m_handle = 0;
};

// Hashes what is left of `file` into `hash`; false on a read error.
bool HashFile(HANDLE file, const Hash& hash)
{
    std::vector<BYTE> chunk(kChunkBytes);
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(file, chunk.data(), kChunkBytes, &read, nullptr))
            return false;
        if (read == 0)
            return true;
        if (!::CryptHashData(hash.Get(), chunk.data(), read, 0))
            return false;
    }
}

}  // namespace

std::string CryptoApiFileHasher::Sha256(const std::string& path)
{
    const CHandle file(::CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file)
        return {};
    const Provider provider;
    const Hash hash(provider);
    BYTE digest[kSha256Bytes];
    DWORD size = sizeof(digest);
    const bool hashed = hash.Get() && HashFile(file, hash) &&
                        ::CryptGetHashParam(hash.Get(), HP_HASHVAL, digest, &size, 0) && size == kSha256Bytes;
    return hashed ? UpperHex(digest) : std::string();
}
