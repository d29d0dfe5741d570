#pragma once
#include <string>
#include <string_view>

// What saving a file whole needs of the file system. Paths are full paths.
// Each operation gives 0, or the system's error code when it fails.
class SaveFileSystem {
public:
    virtual ~SaveFileSystem() = default;
    virtual bool Exists(const std::wstring& path) = 0;
    // 0 when the file at `path` could be put aside for another one now: no
    // program holds it open without letting it be renamed or deleted, and
    // the user may.
    virtual unsigned CheckReplaceable(const std::wstring& path) = 0;
    // Makes a new file with a name of its own in `directory`, never taking
    // one that exists, and writes all of `bytes` to it, on the disk, through
    // the handle that made it. `path` names the file as soon as it exists,
    // also when the writing then fails.
    virtual unsigned WriteNewFile(const std::wstring& directory, std::string_view bytes, std::wstring& path) = 0;
    // Puts the file `from` in the place of the file at `to`, which hands its
    // attributes and security on to the new one.
    virtual unsigned Replace(const std::wstring& from, const std::wstring& to) = 0;
    // Moves the file `from` to `to`, where no file is.
    virtual unsigned Move(const std::wstring& from, const std::wstring& to) = 0;
    virtual void Delete(const std::wstring& path) = 0;
};

// Writes `bytes` to the file at the full path `path` so that it is never
// half written: a temporary file beside it gets the bytes, then takes its
// place. 0 when the file was written; else the system's error code, and
// the file at `path` is as it was, and the temporary file is gone. A file
// that cannot be replaced fails the save before anything is made. Should a
// replace fail after the old file was taken away, the new one goes in its
// place; where even that fails, the temporary file, the one copy left,
// stays.
unsigned SaveAtomically(SaveFileSystem& files, const std::wstring& path, std::string_view bytes);
