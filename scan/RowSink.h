#pragma once
#include "scan/ListRow.h"

// Where the enumeration puts the rows it finds.
class RowSink {
public:
    virtual ~RowSink() = default;
    virtual void AddRow(ListRow row) = 0;
    // One more file was asked about, protected or not.
    virtual void FileChecked() {}
    // True once the list's owner no longer wants rows; producers check it
    // between entries and return promptly.
    virtual bool StopRequested() const = 0;
    // The walk has just added the row numbered at the row limit: true to go
    // on past it, to the end; false to stop there. It may wait for the
    // list's owner to decide.
    virtual bool GoOnPastLimit() { return false; }
};
