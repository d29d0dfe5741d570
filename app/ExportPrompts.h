#pragma once
// The user's side of copying and saving a table: the file dialog, and a
// message box saying why when it fails.
#include <functional>
#include <string>

class CWnd;
class Clipboard;
class CommonFileDialogs;

// Puts `text` on the clipboard for `owner`, or says why it could not.
void CopyOrSayWhy(CWnd& owner, Clipboard& clipboard, const std::string& text);

// What the file dialogs offer where a CSV file is asked for.
inline constexpr wchar_t kCsvFilter[] = L"CSV files (*.csv)\0*.csv\0All files (*.*)\0*.*\0";
// A baseline is what /verify wrote, as CSV or as JSON Lines.
inline constexpr wchar_t kBaselineFilter[] =
    L"Baselines (*.csv, *.jsonl)\0*.csv;*.jsonl\0All files (*.*)\0*.*\0";

// Asks where to save a CSV file, offering `fileName`, and saves it there
// with `save`, which gives a system error code or 0; when that fails, says
// that `what` ("The list") could not be saved there, and why.
void SaveCsvAsked(CWnd& owner, CommonFileDialogs& fileDialogs, const char* fileName, const char* what,
                  const std::function<unsigned(const std::wstring& path)>& save);
