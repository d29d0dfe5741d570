#include "export/ListFile.h"

#include "export/AtomicSave.h"
#include "export/ListExport.h"
#include "framework/File.h"
#include "platform/TextConversion.h"

unsigned SaveCsv(SaveFileSystem& files, const std::wstring& path, const Record& header,
                 const std::vector<Record>& records)
{
    // The temporary file goes in the target's own folder, which only the
    // full path names: "C:list.csv" or "C:/lists/list.csv" name none.
    return SaveAtomically(files, FullPath(path), CsvDocument(header, records, Utf8Text));
}

unsigned SaveUtf8Csv(SaveFileSystem& files, const std::wstring& path, const Record& header,
                     const std::vector<Record>& records)
{
    return SaveAtomically(files, FullPath(path), CsvDocument(header, records, [](const std::string& utf8) {
                              return utf8;
                          }));
}
