#include "verify/Sha256Hashing.h"

#include <algorithm>
#include <vector>

#include "framework/ScopedHandle.h"
#include "platform/LastError.h"
#include "verify/HexText.h"

#include <bcrypt.h>
#include <wincrypt.h>

namespace {

constexpr DWORD kSha256Bytes = 32;
// The smallest read: a file's size is only a hint.
constexpr DWORD kLeastChunkBytes = 1 << 12;

// CNG answers with NTSTATUS codes, which the system's error texts do not
// cover. Once the provider is open, a hash fails only for want of memory.
unsigned ErrorOf(NTSTATUS status)
{
    constexpr NTSTATUS kNoMemory = static_cast<NTSTATUS>(0xC0000017);
    return status == kNoMemory ? ERROR_NOT_ENOUGH_MEMORY : ERROR_INTERNAL_ERROR;
}

// CNG's functions, looked up by name: the program must start where
// bcrypt.dll is missing.
struct CngApi {
    decltype(&::BCryptOpenAlgorithmProvider) pfnOpenAlgorithmProvider = nullptr;
    decltype(&::BCryptCloseAlgorithmProvider) pfnCloseAlgorithmProvider = nullptr;
    decltype(&::BCryptGetProperty) pfnGetProperty = nullptr;
    decltype(&::BCryptCreateHash) pfnCreateHash = nullptr;
    decltype(&::BCryptHashData) pfnHashData = nullptr;
    decltype(&::BCryptFinishHash) pfnFinishHash = nullptr;
    decltype(&::BCryptDestroyHash) pfnDestroyHash = nullptr;

    bool Complete() const
    {
        return pfnOpenAlgorithmProvider && pfnCloseAlgorithmProvider && pfnGetProperty && pfnCreateHash &&
               pfnHashData && pfnFinishHash && pfnDestroyHash;
    }
};

class CngHashing final : public Sha256Hashing {
public:
    CngHashing(const CngApi& api, BCRYPT_ALG_HANDLE algorithm, ULONG objectBytes)
        : m_api(api), m_algorithm(algorithm), m_objectBytes(objectBytes)
    {
    }
    ~CngHashing() override { m_api.pfnCloseAlgorithmProvider(m_algorithm, 0); }

    Way Which() const override { return Way::Cng; }

protected:
    std::unique_ptr<Digest> Start(unsigned& error) const override
    {
        auto digest = std::make_unique<Running>(m_api, m_objectBytes);
        // Vista wants the hash object's memory from the caller; Windows 7
        // on would allocate it.
        const NTSTATUS status = m_api.pfnCreateHash(m_algorithm, &digest->handle, digest->object.data(),
                                                    m_objectBytes, nullptr, 0, 0);
        if (!BCRYPT_SUCCESS(status)) {
            digest->handle = nullptr;
            error = ErrorOf(status);
            return nullptr;
        }
        return digest;
    }

private:
    class Running final : public Digest {
    public:
        Running(const CngApi& cng, ULONG objectBytes) : api(cng), object(objectBytes) {}
        ~Running() override
        {
            if (handle)
                api.pfnDestroyHash(handle);
        }
        unsigned Add(const unsigned char* bytes, DWORD size) override
        {
            // CNG only reads the input it is handed.
            const NTSTATUS status = api.pfnHashData(handle, const_cast<PUCHAR>(bytes), size, 0);
            return BCRYPT_SUCCESS(status) ? 0 : ErrorOf(status);
        }
        unsigned Finish(unsigned char (&digest)[kSha256Bytes]) override
        {
            const NTSTATUS status = api.pfnFinishHash(handle, digest, kSha256Bytes, 0);
            return BCRYPT_SUCCESS(status) ? 0 : ErrorOf(status);
        }

        const CngApi& api;
        // The hash object's memory, which outlives its handle.
        std::vector<UCHAR> object;
        BCRYPT_HASH_HANDLE handle = nullptr;
    };

    CngApi m_api;
    BCRYPT_ALG_HANDLE m_algorithm;
    ULONG m_objectBytes;
};

std::unique_ptr<Sha256Hashing> OpenCng(DllLoader& loader, unsigned& error)
{
    // bcrypt loads its primitives provider by name: loaded first by its
    // full path where the system cannot be told to search its directory
    // alone (Windows 7 without KB2533623; Vista has no such file).
    const HMODULE bcrypt = LoadSystemLibrary(loader, "bcrypt.dll", {"bcryptprimitives.dll"});
    if (!bcrypt) {
        error = LastErrorOr(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    CngApi api;
    const auto lookUp = [&](auto& function, const char* name) {
        function = ProcAs<std::remove_reference_t<decltype(function)>>(loader.GetProcAddress(bcrypt, name));
    };
    lookUp(api.pfnOpenAlgorithmProvider, "BCryptOpenAlgorithmProvider");
    lookUp(api.pfnCloseAlgorithmProvider, "BCryptCloseAlgorithmProvider");
    lookUp(api.pfnGetProperty, "BCryptGetProperty");
    lookUp(api.pfnCreateHash, "BCryptCreateHash");
    lookUp(api.pfnHashData, "BCryptHashData");
    lookUp(api.pfnFinishHash, "BCryptFinishHash");
    lookUp(api.pfnDestroyHash, "BCryptDestroyHash");
    if (!api.Complete()) {
        error = ERROR_PROC_NOT_FOUND;
        return nullptr;
    }
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    NTSTATUS status = api.pfnOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0);
    if (!BCRYPT_SUCCESS(status)) {
        error = ErrorOf(status);
        return nullptr;
    }
    ULONG objectBytes = 0;
    ULONG written = 0;
    status = api.pfnGetProperty(algorithm, BCRYPT_OBJECT_LENGTH, reinterpret_cast<PUCHAR>(&objectBytes),
                                sizeof objectBytes, &written, 0);
    if (!BCRYPT_SUCCESS(status) || written != sizeof objectBytes) {
        api.pfnCloseAlgorithmProvider(algorithm, 0);
        error = ErrorOf(status);
        return nullptr;
    }
    return std::make_unique<CngHashing>(api, algorithm, objectBytes);
}

// CALG_SHA_256: the headers show it from Windows XP SP3 on, a level finer
// than the one the program is built for (XP).
constexpr ALG_ID kSha256Algorithm = 0x800C;

void ReleaseProvider(HCRYPTPROV provider)
{
    ::CryptReleaseContext(provider, 0);
}

void DestroyHash(HCRYPTHASH hash)
{
    ::CryptDestroyHash(hash);
}

using Provider = CScopedHandle<HCRYPTPROV, ReleaseProvider>;
using Hash = CScopedHandle<HCRYPTHASH, DestroyHash>;

class CryptoApiHashing final : public Sha256Hashing {
public:
    explicit CryptoApiHashing(Provider provider) : m_provider(std::move(provider)) {}

    Way Which() const override { return Way::CryptoApi; }

protected:
    std::unique_ptr<Digest> Start(unsigned& error) const override
    {
        auto digest = std::make_unique<Running>();
        if (!::CryptCreateHash(m_provider.Get(), kSha256Algorithm, 0, 0, digest->hash.Receive())) {
            error = LastErrorOr(static_cast<unsigned>(NTE_BAD_ALGID));
            return nullptr;
        }
        return digest;
    }

private:
    class Running final : public Digest {
    public:
        unsigned Add(const unsigned char* bytes, DWORD size) override
        {
            return ::CryptHashData(hash.Get(), bytes, size, 0) ? 0 : LastErrorOr(ERROR_INVALID_DATA);
        }
        unsigned Finish(unsigned char (&digest)[kSha256Bytes]) override
        {
            DWORD size = kSha256Bytes;
            if (!::CryptGetHashParam(hash.Get(), HP_HASHVAL, digest, &size, 0))
                return LastErrorOr(ERROR_INVALID_DATA);
            return size == kSha256Bytes ? 0 : ERROR_INVALID_DATA;
        }

        Hash hash;
    };

    Provider m_provider;
};

std::unique_ptr<Sha256Hashing> OpenCryptoApi(unsigned& error)
{
    Provider provider;
    Hash probe;
    // Before SP3, Windows XP's provider knows no SHA-256: told now, not at
    // every file.
    if (!::CryptAcquireContextA(provider.Receive(), nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT) ||
        !::CryptCreateHash(provider.Get(), kSha256Algorithm, 0, 0, probe.Receive())) {
        error = LastErrorOr(static_cast<unsigned>(NTE_BAD_ALGID));
        return nullptr;
    }
    return std::make_unique<CryptoApiHashing>(std::move(provider));
}

}  // namespace

std::unique_ptr<Sha256Hashing> Sha256Hashing::Open(Way way, DllLoader& loader, unsigned& error)
{
    return way == Way::Cng ? OpenCng(loader, error) : OpenCryptoApi(error);
}

std::unique_ptr<Sha256Hashing> Sha256Hashing::Fastest(DllLoader& loader, unsigned& error)
{
    if (auto cng = Open(Way::Cng, loader, error))
        return cng;
    return Open(Way::CryptoApi, loader, error);
}

unsigned Sha256Hashing::OfFile(HANDLE file, std::string& hex) const
{
    unsigned error = 0;
    const std::unique_ptr<Digest> digest = Start(error);
    if (!digest)
        return error;
    // As large as the file, within bounds: most files are small, and a
    // buffer of a megabyte for each would cost more than reading them.
    LARGE_INTEGER size{};
    const DWORD chunkBytes = ::GetFileSizeEx(file, &size)
                                 ? static_cast<DWORD>(std::clamp<LONGLONG>(size.QuadPart, kLeastChunkBytes, kChunkBytes))
                                 : kChunkBytes;
    const auto chunk = std::make_unique_for_overwrite<unsigned char[]>(chunkBytes);
    for (DWORD read = chunkBytes; read == chunkBytes;) {
        // A synchronous read of a file on disk returns fewer bytes than
        // asked only at its end.
        if (!::ReadFile(file, chunk.get(), chunkBytes, &read, nullptr))
            return LastErrorOr(ERROR_READ_FAULT);
        if (read > 0) {
            if (const unsigned hashError = digest->Add(chunk.get(), read))
                return hashError;
        }
    }
    return Finish(*digest, hex);
}

unsigned Sha256Hashing::OfBytes(std::span<const unsigned char> bytes, std::string& hex) const
{
    unsigned error = 0;
    const std::unique_ptr<Digest> digest = Start(error);
    if (!digest)
        return error;
    for (std::size_t done = 0; done < bytes.size();) {
        const DWORD size = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kChunkBytes));
        if (const unsigned hashError = digest->Add(bytes.data() + done, size))
            return hashError;
        done += size;
    }
    return Finish(*digest, hex);
}

unsigned Sha256Hashing::Finish(Digest& digest, std::string& hex)
{
    unsigned char value[kSha256Bytes];
    if (const unsigned error = digest.Finish(value))
        return error;
    hex = UpperHex(value);
    return 0;
}

const char* WayName(Sha256Hashing::Way way)
{
    return way == Sha256Hashing::Way::Cng ? "CNG" : "CryptoAPI";
}
