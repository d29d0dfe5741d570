#pragma once
#include "rows/TableSchema.h"
#include "scan/ListRow.h"

// The file list's columns: " N", the row's number, and " File Path", the
// full path, which fills the list's width. The list, Copy all rows, Save
// list as... and /save show them.
TableSchema<ListRow> FileListColumns();
