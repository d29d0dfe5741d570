// Measures what the rows cost in memory: the main dialog's private bytes
// and working set with its list empty and after a fill, against a plain
// list control holding the same rows' texts, as the old design held them.
// Each measure runs in a process of its own, so that no heap is reused
// from another; several runs show how much it varies. Prints figures only.
//
//   memory_bench [rows] [runs]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "bench/PlainList.h"

#include <psapi.h>

namespace {

constexpr double kMegabyte = 1024.0 * 1024.0;

struct Memory {
    double privateBytes = 0;
    double workingSet = 0;
};

// Private bytes are counted from the address space: Wine 8 reports none.
Memory ProcessMemory()
{
    SIZE_T privateBytes = 0;
    MEMORY_BASIC_INFORMATION region;
    for (auto* address = static_cast<const char*>(nullptr);
         ::VirtualQuery(address, &region, sizeof region) == sizeof region; address += region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            privateBytes += region.RegionSize;
    }
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return {privateBytes / kMegabyte, counters.WorkingSetSize / kMegabyte};
}

// Lists `count` files, the first only once opened.
class GatedProtection final : public FileProtection {
public:
    explicit GatedProtection(unsigned count) : m_files(count) {}
    ~GatedProtection() override { ::CloseHandle(m_hOpen); }
    GatedProtection(const GatedProtection&) = delete;
    GatedProtection& operator=(const GatedProtection&) = delete;

    void Open() { ::SetEvent(m_hOpen); }
    bool NextProtectedFile(std::uint32_t& cursor, std::string& path) override
    {
        if (cursor == 0)
            ::WaitForSingleObject(m_hOpen, INFINITE);
        return m_files.NextProtectedFile(cursor, path);
    }
    bool IsFileProtected(const std::string&) override { return false; }

private:
    InstantProtection m_files;
    HANDLE m_hOpen = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
};

// One run's figures: the window empty, then holding the rows.
struct Run {
    Memory empty;
    Memory filled;
};

void Print(const Run& run)
{
    std::printf("%f %f %f %f\n", run.empty.privateBytes, run.empty.workingSet, run.filled.privateBytes,
                run.filled.workingSet);
}

Run MeasureDialog(unsigned rows)
{
    InitBenchControls();
    BenchServices platform;
    GatedProtection protection(rows);
    PlatformServices services = platform.With(protection);
    Run run;
    FilledDialog(
        services, [&](FilledDialog&) { run.filled = ProcessMemory(); },
        [&](FilledDialog&) {
            run.empty = ProcessMemory();
            protection.Open();
        })
        .DoModal();
    return run;
}

Run MeasurePlainList(unsigned rows)
{
    InitBenchControls();
    std::vector<std::string> paths;
    for (unsigned n = 1; n <= rows; ++n)
        paths.push_back(BenchPath(n));
    PlainList list;
    Run run;
    run.empty = ProcessMemory();
    list.Append(paths);
    run.filled = ProcessMemory();
    return run;
}

// Runs this program again with `arguments`, and reads the run it prints.
Run RunMeasure(const std::string& arguments)
{
    char exe[MAX_PATH];
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string command = std::string("\"") + exe + "\" " + arguments;
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE hRead = nullptr;
    HANDLE hWrite = nullptr;
    ::CreatePipe(&hRead, &hWrite, &inherited, 0);
    ::SetHandleInformation(hRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = hWrite;
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    std::string output;
    if (::CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        ::CloseHandle(hWrite);
        char buffer[256];
        DWORD read = 0;
        while (::ReadFile(hRead, buffer, sizeof buffer, &read, nullptr) && read)
            output.append(buffer, read);
        ::WaitForSingleObject(process.hProcess, INFINITE);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    } else {
        ::CloseHandle(hWrite);
    }
    ::CloseHandle(hRead);
    Run run;
    std::sscanf(output.c_str(), "%lf %lf %lf %lf", &run.empty.privateBytes, &run.empty.workingSet,
                &run.filled.privateBytes, &run.filled.workingSet);
    return run;
}

std::string Spread(const std::vector<double>& megabytes)
{
    const auto [least, most] = std::minmax_element(megabytes.begin(), megabytes.end());
    char text[64];
    std::snprintf(text, sizeof text, "%.1f MB (%.1f-%.1f)", Median(megabytes), *least, *most);
    return text;
}

void Report(const char* what, const std::vector<Run>& runs)
{
    std::vector<double> emptyPrivate;
    std::vector<double> emptySet;
    std::vector<double> addedPrivate;
    std::vector<double> addedSet;
    for (const Run& run : runs) {
        emptyPrivate.push_back(run.empty.privateBytes);
        emptySet.push_back(run.empty.workingSet);
        addedPrivate.push_back(run.filled.privateBytes - run.empty.privateBytes);
        addedSet.push_back(run.filled.workingSet - run.empty.workingSet);
    }
    std::printf("%s: empty %s private, %s working set; the rows add %s private, %s working set\n", what,
                Spread(emptyPrivate).c_str(), Spread(emptySet).c_str(), Spread(addedPrivate).c_str(),
                Spread(addedSet).c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 2 && std::strcmp(argv[1], "--dialog") == 0) {
        Print(MeasureDialog(static_cast<unsigned>(std::atoi(argv[2]))));
        return 0;
    }
    if (argc > 2 && std::strcmp(argv[1], "--plain-list") == 0) {
        Print(MeasurePlainList(static_cast<unsigned>(std::atoi(argv[2]))));
        return 0;
    }
    const int rows = argc > 1 ? std::atoi(argv[1]) : 30001;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    std::vector<Run> dialog;
    std::vector<Run> plain;
    // Runs in turn, so that the machine's load treats both alike.
    for (int run = 0; run < runs; ++run) {
        dialog.push_back(RunMeasure("--dialog " + std::to_string(rows)));
        plain.push_back(RunMeasure("--plain-list " + std::to_string(rows)));
    }
    std::printf("memory with %d rows, median and range of %d runs, each in a process of its own:\n", rows, runs);
    Report("  the dialog, rows in the model", dialog);
    Report("  a plain list holding the texts (old)", plain);
    return 0;
}
