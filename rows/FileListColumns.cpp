#include "rows/FileListColumns.h"

namespace {

const TableColumn<ListRow> kColumns[] = {
    {{" N", 40, false, ColumnSort::ByNumber}, "N", "n", [](const ListRow& row) { return FormatRowNumber(row.number); }},
    {{" File Path", 460, true, ColumnSort::ByFileName, true}, "Path", "path", [](const ListRow& row) { return row.path; }},
};

}  // namespace

TableSchema<ListRow> FileListColumns()
{
    return kColumns;
}
