#pragma once
#include <type_traits>

class Clipboard;
class CommonFileDialogs;
class DirectorySearch;
class FileProtection;
class FileSystemRedirection;
class SaveFileSystem;
class Shell;
class StandardStreams;
class SystemInfo;
class TrustService;
class VersionSource;
class ThreadStarter;

// The platform services the program runs on: the real ones, or the
// stand-ins that tests hand the dialog. A service is added here, in
// Production() and in the tests' stand-ins; everyone else takes a bundle
// and replaces what it must with With().
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
    StandardStreams& streams;
    ThreadStarter& threads;
    TrustService& trust;

    // These services with each of `replacements` in the place of the one
    // whose interface it implements.
    template <class... Replacements>
    PlatformServices With(Replacements&... replacements) const
    {
        static_assert((Replaces<Replacements>() && ...), "each replacement implements a service");
        return {Pick(protection, replacements...), Pick(directories, replacements...),
                Pick(system, replacements...),     Pick(versions, replacements...),
                Pick(fileDialogs, replacements...), Pick(shell, replacements...),
                Pick(redirection, replacements...), Pick(clipboard, replacements...),
                Pick(files, replacements...),      Pick(streams, replacements...),
                Pick(threads, replacements...),
                Pick(trust, replacements...)};
    }

    static PlatformServices& Production();

private:
    template <class Replacement>
    static constexpr bool Replaces()
    {
        return std::is_base_of_v<FileProtection, Replacement> || std::is_base_of_v<DirectorySearch, Replacement> ||
               std::is_base_of_v<SystemInfo, Replacement> || std::is_base_of_v<VersionSource, Replacement> ||
               std::is_base_of_v<CommonFileDialogs, Replacement> || std::is_base_of_v<Shell, Replacement> ||
               std::is_base_of_v<FileSystemRedirection, Replacement> || std::is_base_of_v<Clipboard, Replacement> ||
               std::is_base_of_v<SaveFileSystem, Replacement> || std::is_base_of_v<StandardStreams, Replacement> ||
               std::is_base_of_v<ThreadStarter, Replacement> ||
               std::is_base_of_v<TrustService, Replacement>;
    }

    // The last of `replacements` that implements Service, else `own`.
    template <class Service, class... Replacements>
    static Service& Pick(Service& own, Replacements&... replacements)
    {
        Service* picked = &own;
        const auto take = [&picked]<class Replacement>(Replacement& replacement) {
            if constexpr (std::is_base_of_v<Service, Replacement>)
                picked = &replacement;
        };
        (take(replacements), ...);
        return *picked;
    }
};
