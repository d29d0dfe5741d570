#pragma once
#include <span>
#include <string>

#include "framework/Afx.h"

// Puts the SHA-256 of what is left of `file`, from where its pointer
// stands, into `hex` as 64 upper-case hexadecimal digits. 0, or the
// system's error code when the file cannot be read or hashed. Through
// CryptoAPI's PROV_RSA_AES provider, which Windows XP has from SP3 on.
unsigned Sha256OfFile(HANDLE file, std::string& hex);

// The same for `bytes`.
unsigned Sha256OfBytes(std::span<const unsigned char> bytes, std::string& hex);
