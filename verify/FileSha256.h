#pragma once
#include <span>
#include <string>

#include "framework/Afx.h"

// Puts the SHA-256 of what is left of `file`, from where its pointer
// stands, into `hex` as 64 upper-case hexadecimal digits. 0, or the
// system's error code when the file cannot be read or hashed. Through the
// fastest hashing the platform gives (Sha256Hashing::Fastest, with the
// system's loader): CNG from Windows Vista on, CryptoAPI's PROV_RSA_AES
// provider on Windows XP SP3; its provider is opened the first time either
// function is called, and kept. Any thread may call them, several at once.
unsigned Sha256OfFile(HANDLE file, std::string& hex);
// The SHA-256 of `bytes`, as Sha256OfFile gives it.
unsigned Sha256OfBytes(std::span<const unsigned char> bytes, std::string& hex);
