#pragma once
// The Search button's step: the next row, from where the last press left
// off, whose file name holds the search text, letter case folded.
#include <optional>
#include <string>

class CaseFolding;
class RowModel;

// The rows searched, in display order: each row's file name.
class SearchableRows {
public:
    virtual ~SearchableRows() = default;
    virtual int RowCount() = 0;
    // Replaces `name` with the file name of the row's path.
    virtual void ReadName(int row, std::string& name) = 0;
};

// The file list's rows as the search reads them.
class ModelNames final : public SearchableRows {
public:
    explicit ModelNames(const RowModel& rows) : m_rows(rows) {}

    int RowCount() override;
    void ReadName(int row, std::string& name) override;

private:
    const RowModel& m_rows;
};

// What a search remembers from one press to the next: the folded text of
// the last press, the row the next press starts at, and the row the last
// successful press selected (-1 for none).
struct SearchMemory {
    std::string& lastSearch;
    int& start;
    int& hit;
};

struct SearchMatch {
    int row;
    // The row the previous match selected, -1 for none: it is to lose its
    // selection.
    int previousHit;
};

// One press with the typed `text`: updates `memory` and gives the row found.
// An empty text changes nothing; a scan without a match leaves the start
// and hit rows as they were.
std::optional<SearchMatch> SearchNext(std::string text, const SearchMemory& memory, SearchableRows& rows,
                                      const CaseFolding& folding);
