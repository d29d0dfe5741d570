#pragma once
#include <memory>
#include <span>
#include <string>

#include "framework/Afx.h"
#include "framework/DllLoader.h"

// SHA-256 by one of the platform's two ways: CNG (bcrypt.dll, Windows
// Vista on), whose every function is looked up by name in the system
// directory's bcrypt.dll, or CryptoAPI's PROV_RSA_AES provider (Windows XP
// SP3 on). The provider is opened once, when the hashing is made, and
// closed with it; each digest has its own state, so any number of threads
// may hash at once.
class Sha256Hashing {
public:
    enum class Way { Cng, CryptoApi };

    virtual ~Sha256Hashing() = default;
    Sha256Hashing(const Sha256Hashing&) = delete;
    Sha256Hashing& operator=(const Sha256Hashing&) = delete;

    // `way`, its provider opened; null, and the system's error code in
    // `error`, where this Windows lacks it.
    static std::unique_ptr<Sha256Hashing> Open(Way way, DllLoader& loader, unsigned& error);
    // The fastest way this Windows gives: CNG where it has it, else
    // CryptoAPI. Null, and the error, where neither can hash.
    static std::unique_ptr<Sha256Hashing> Fastest(DllLoader& loader, unsigned& error);

    virtual Way Which() const = 0;

    // The SHA-256 of what is left of `file`, from where its pointer stands,
    // into `hex` as 64 upper-case hexadecimal digits. 0, or the system's
    // error code when the file cannot be read or hashed.
    unsigned OfFile(HANDLE file, std::string& hex) const;
    // The SHA-256 of `bytes`, as OfFile gives it.
    unsigned OfBytes(std::span<const unsigned char> bytes, std::string& hex) const;

    // The most a read asks for at once.
    static constexpr DWORD kChunkBytes = 1 << 20;

protected:
    Sha256Hashing() = default;

    // One digest being taken.
    class Digest {
    public:
        virtual ~Digest() = default;
        // 0, or the system's error code.
        virtual unsigned Add(const unsigned char* bytes, DWORD size) = 0;
        virtual unsigned Finish(unsigned char (&digest)[32]) = 0;
    };
    // A digest of no bytes yet; null, and the error, when none can be made.
    virtual std::unique_ptr<Digest> Start(unsigned& error) const = 0;

private:
    static unsigned Finish(Digest& digest, std::string& hex);
};

// "CNG" or "CryptoAPI".
const char* WayName(Sha256Hashing::Way way);
