#include "export/ListFile.h"

#include "export/AtomicSave.h"
#include "export/ListExport.h"
#include "framework/File.h"

unsigned SaveDocument(SaveFileSystem& files, const std::wstring& path, std::string_view bytes)
{
    // The temporary file goes in the target's own folder, which only the
    // full path names: "C:list.csv" or "C:/lists/list.csv" name none.
    return SaveAtomically(files, FullPath(path), bytes);
}

unsigned SaveCsv(SaveFileSystem& files, const std::wstring& path, const Record& header,
                 const std::vector<Record>& records)
{
    return SaveDocument(files, path, CsvDocument(header, records));
}
