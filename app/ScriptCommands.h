#pragma once
#include <string>

#include "export/ListFile.h"

struct PlatformServices;

// A FILE or REPORT of "-" is standard output, where the document is
// written whole once it is made; a BASELINE of "-" is standard input. With
// OutputFormat::JsonLines the document is JSON Lines (export/JsonLines.h)
// whose last line sums up the outcome, exit code included.

// Vorlane.exe /save FILE: lists the protected files as the dialog would, on
// this thread and without a window, and saves them to `file` as CSV; with
// `all` (/all) the walk goes on past the row limit. Gives
// the process's exit code (ExitCode); for any code but kWritten, `message`
// says what happened.
int RunSaveCommand(PlatformServices& services, const std::wstring& file, bool all, std::wstring& message,
                   OutputFormat format = OutputFormat::Csv);

// Vorlane.exe /verify FILE: lists the protected files the same way,
// verifies each file's signature and takes its SHA-256, and saves the
// results to `file` as CSV: N, Path, Signature, Signer, SHA256. The exit
// code as for /save, and kWrittenUntrusted when any file is not signed by
// a trusted signer.
int RunVerifyCommand(PlatformServices& services, const std::wstring& file, bool all, std::wstring& message,
                     OutputFormat format = OutputFormat::Csv);

// Vorlane.exe /compare BASELINE REPORT: reads the baseline (what /verify
// wrote, CSV or JSON Lines), lists and verifies every protected file as /verify /all does, and
// saves how they differ from the baseline's to `reportFile` as CSV, one row
// a difference in the order of the paths. kWritten when nothing differs but
// updates, kWrittenDifferent when more does; kNotWritten, with `message`
// saying why, leaves an existing report as it was.
int RunCompareCommand(PlatformServices& services, const std::wstring& baselineFile, const std::wstring& reportFile,
                      std::wstring& message, OutputFormat format = OutputFormat::Csv);
