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
class WorkerThreads;

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
    WorkerThreads& threads;
    TrustService& trust;

    static PlatformServices& Production();
};

// The Windows folder whose System32 the shell reaches through Sysnative in
// this process: a 32-bit build on 64-bit Windows, Vista on. Empty where
// System32 is reached as it is.
std::string SysnativeWindowsDirectory(PlatformServices& services);
