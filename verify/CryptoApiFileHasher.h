#pragma once
#include "verify/FileHasher.h"

// SHA-256 through CryptoAPI's PROV_RSA_AES provider, which Windows XP has
// from SP3 on. Each call has its own provider context.
class CryptoApiFileHasher final : public FileHasher {
public:
    std::string Sha256(const std::string& path) override;
};
