#pragma once

class DirectorySearch;
class FileProtection;
class Shell;
class SystemInfo;

// The platform services the main dialog uses. The program runs on the real
// ones; tests hand the dialog stand-ins.
struct PlatformServices {
    FileProtection& protection;
    DirectorySearch& directories;
    SystemInfo& system;
    Shell& shell;

    static PlatformServices& Production();
};
