#pragma once
#include <string>
#include <string_view>

class LeadBytes;

// What saving a file whole needs of the file system. Each operation gives
// 0, or the system's error code when it fails.
class SaveFileSystem {
public:
    virtual ~SaveFileSystem() = default;
    // Makes a new file with a name of its own in `directory`, never taking
    // one that exists, and writes all of `bytes` to it, on the disk, through
    // the handle that made it. `path` names the file as soon as it exists,
    // also when the writing then fails.
    virtual unsigned WriteNewFile(const std::string& directory, std::string_view bytes, std::string& path) = 0;
    // Puts the file `from` in the place of `to`. A file already at `to`
    // hands its attributes and security on to the new one.
    virtual unsigned Replace(const std::string& from, const std::string& to) = 0;
    virtual void Delete(const std::string& path) = 0;
};

// Writes `bytes` to the file at the full path `path` so that it is never
// half written: a temporary file beside it gets the bytes, then takes its
// place. On any failure the file at `path` is as it was, the temporary file
// is gone, and the result is the system's error code; 0 when the file was
// written. The folder of `path` is found in the code page with the lead
// bytes `lead`.
unsigned SaveAtomically(SaveFileSystem& files, const std::string& path, std::string_view bytes,
                        const LeadBytes& lead);
