#include "export/ListFile.h"

#include "export/AtomicSave.h"
#include "export/ListExport.h"
#include "framework/File.h"

unsigned SaveCsv(SaveFileSystem& files, const std::wstring& path, const Record& header,
                 const std::vector<Record>& records)
{
    // The temporary file goes in the target's own folder, which only the
    // full path names: "C:list.csv" or "C:/lists/list.csv" name none.
    return SaveAtomically(files, FullPath(path), CsvDocument(header, records));
}
