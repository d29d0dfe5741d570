// Measures how the list leaves the program: Vorlane.exe /save of a service
// that answers at once, and the dialog's "Copy all rows" and "Save list"
// on its filled list, against the old way of the two commands, which read
// every cell out of a plain list control. Counts the messages each makes
// to read a row's text, in a pass of its own. Prints figures only.
//
//   export_bench [rows]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/ScriptCommands.h"
#include "bench/BenchSupport.h"
#include "platform/TextConversion.h"
#include "bench/ListTextReads.h"
#include "bench/PlainList.h"
#include "export/ListFile.h"

namespace {

constexpr int kRounds = 5;

struct Measure {
    std::vector<double> seconds;
    long textReads = 0;
};

// The old design's records, ANSI, as the saver takes them: UTF-8.
std::vector<Record> Utf8Records(std::vector<Record> records)
{
    for (Record& record : records) {
        for (std::string& field : record)
            field = Utf8Text(field);
    }
    return records;
}

// Runs `action` kRounds times for the time, then once more counting.
Measure Run(const std::function<void()>& action)
{
    Measure measure;
    for (int round = 0; round < kRounds; ++round) {
        const double start = Now();
        action();
        measure.seconds.push_back(Now() - start);
    }
    const ListTextReads reads;
    action();
    measure.textReads = reads.Count();
    return measure;
}

void Print(const char* what, const Measure& measure)
{
    std::printf("  %-40s %s, %ld text messages\n", what, Milliseconds(measure.seconds).c_str(), measure.textReads);
}

std::string TempFile(const char* name)
{
    char folder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

}  // namespace

int main(int argc, char** argv)
{
    const int rows = argc > 1 ? std::atoi(argv[1]) : 30001;
    InitBenchControls();
    BenchServices platform;
    InstantProtection protection(static_cast<unsigned>(rows));
    const std::string file = TempFile("vorlane-export-bench.csv");
    ChosenFile chosen(file);
    PlatformServices services = platform.With(protection, chosen);

    const Measure save = Run([&] {
        std::wstring error;
        if (RunSaveCommand(services, WideText(file), false, error))
            std::printf("the save failed: %s", AnsiText(error.c_str()).c_str());
    });

    Measure copy;
    Measure saveList;
    Measure oldCopy;
    Measure oldSave;
    FilledDialog(services, [&](FilledDialog& dlg) {
        copy = Run([&] { dlg.SendMessage(WM_COMMAND, ID_LIST_COPY_ALL); });
        saveList = Run([&] { dlg.SendMessage(WM_COMMAND, ID_LIST_SAVE); });
        // The old commands' steps: the same texts, read from the list.
        PlainList list;
        std::vector<std::string> paths;
        for (unsigned n = 1; n <= static_cast<unsigned>(rows); ++n)
            paths.push_back(BenchPath(n));
        list.Append(paths);
        WindowsClipboard clipboard;
        WindowsSaveFileSystem files;
        oldCopy = Run([&] { clipboard.SetText(dlg.m_hWnd, TabSeparatedLines(list.Records())); });
        oldSave = Run([&] { SaveCsv(files, WideText(file), {"N", "Path"}, Utf8Records(list.Records())); });
    }).DoModal();
    ::DeleteFileA(file.c_str());

    std::printf("%d rows leaving the program, median and range of %d:\n", rows, kRounds);
    Print("/save, enumeration included:", save);
    Print("copy all rows, from the model:", copy);
    Print("copy all rows, old, from a plain list:", oldCopy);
    Print("save list, from the model:", saveList);
    Print("save list, old, from a plain list:", oldSave);
    return 0;
}
