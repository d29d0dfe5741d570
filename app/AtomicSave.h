#pragma once
#include <string>
#include <string_view>

class LeadBytes;

// What saving a file whole needs of the file system. Each operation gives
// 0, or the system's error code when it fails.
class SaveFileSystem {
public:
    virtual ~SaveFileSystem() = default;
    // Makes a new, empty file with a name of its own in `directory` (empty
    // for the current one) and puts its path in `path`.
    virtual unsigned CreateTemporaryFile(const std::string& directory, std::string& path) = 0;
    // Writes all of `bytes` to the file and has them on the disk.
    virtual unsigned WriteAndFlush(const std::string& path, std::string_view bytes) = 0;
    // Puts the file `from` in the place of `to`, replacing any file there.
    virtual unsigned Replace(const std::string& from, const std::string& to) = 0;
    virtual void Delete(const std::string& path) = 0;
};

// Writes `bytes` to the file at `path` so that it is never half written: a
// temporary file beside it gets the bytes, then takes its place. On any
// failure the file at `path` is as it was, the temporary file is gone, and
// the result is the system's error code; 0 when the file was written. The
// folder of `path` is found in the code page with the lead bytes `lead`.
unsigned SaveAtomically(SaveFileSystem& files, const std::string& path, std::string_view bytes,
                        const LeadBytes& lead);
