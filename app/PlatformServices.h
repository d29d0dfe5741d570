#pragma once
#include <string>


class Clipboard;
class CommonFileDialogs;
class DirectorySearch;
class FileProtection;
class FileSystemRedirection;
class SaveFileSystem;
class Shell;
class SystemInfo;
class TrustService;
class VersionSource;
class ThreadStarter;

// The platform services the main dialog uses. The program runs on the real
// ones; tests hand the dialog stand-ins.
struct PlatformServices {
    FileProtection& protection;
    DirectorySearch& directories;
    SystemInfo& system;
    VersionSource& versions;
    CommonFileDialogs& fileDialogs;
    Shell& shell;
    FileSystemRedirection& redirection;
    Clipboard& clipboard;
    SaveFileSystem& files;
    ThreadStarter& threads;
    TrustService& trust;

    static PlatformServices& Production();
};
