#pragma once
// The Search button's step: the next row, from where the last press left
// off, whose file name holds the search text, letter case folded.
#include <optional>
#include <string>

class CaseFolding;

// The rows searched, in display order: each row's full path.
class SearchableRows {
public:
    virtual ~SearchableRows() = default;
    virtual int RowCount() = 0;
    // Replaces `path` with the row's full path.
    virtual void ReadPath(int row, std::string& path) = 0;
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
