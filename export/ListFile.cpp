#include "export/ListFile.h"

#include "export/AtomicSave.h"
#include "export/ListExport.h"
#include "framework/File.h"
#include "scan/WidePath.h"

namespace {

std::string Utf8Of(const std::string& ansi)
{
    const std::wstring wide = WidePath(ansi);
    const int length =
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(length > 0 ? length : 0), '\0');
    if (length > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length, nullptr,
                              nullptr);
    return utf8;
}

}  // namespace

unsigned SaveCsv(SaveFileSystem& files, const std::wstring& path, const Record& header,
                 const std::vector<Record>& records)
{
    // The temporary file goes in the target's own folder, which only the
    // full path names: "C:list.csv" or "C:/lists/list.csv" name none.
    return SaveAtomically(files, FullPath(path), CsvDocument(header, records, Utf8Of));
}

unsigned SaveRowsAsCsv(SaveFileSystem& files, const std::wstring& path, const std::vector<ListRow>& rows)
{
    return SaveCsv(files, path, {"N", "Path"}, RowRecords(rows));
}
