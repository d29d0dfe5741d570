#pragma once
// Stand-ins for the protection service and for the list's row sink.
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "scan/FileProtection.h"
#include "scan/RowSink.h"

// Protects the files its rule accepts and lists the paths it was given.
class StandInProtection final : public FileProtection {
public:
    std::function<bool(const std::string&)> isProtected = [](const std::string&) { return true; };
    std::vector<std::string> listed;
    // How the cursor moves on with each file.
    std::uint32_t cursorStep = 1;
    // Why the service cannot be used; 0 when it can.
    unsigned serviceError = 0;
    // Why the service fails after the files listed; 0 when they are all.
    unsigned listingError = 0;

    unsigned ServiceError() const override { return serviceError; }
    unsigned ListingError() const override { return listingError; }
    bool NextProtectedFile(std::uint32_t& cursor, std::string& path) override
    {
        ++nextCalls;
        if (cursor >= listed.size())
            return false;
        path = listed[cursor];
        cursor += cursorStep;
        return true;
    }
    bool IsFileProtected(const std::string& path) override
    {
        asked.push_back(path);
        return isProtected(path);
    }

    std::vector<std::string> asked;
    std::atomic<int> nextCalls{0};
};

// Keeps the rows; asks to stop once it holds `stopAfter` rows; lets the
// walk past the row limit when `pastLimit`.
class CollectingSink final : public RowSink {
public:
    explicit CollectingSink(std::size_t stopAfter = SIZE_MAX) : m_stopAfter(stopAfter) {}
    void AddRow(ListRow row) override { rows.push_back(std::move(row)); }
    void FileChecked() override { ++checked; }
    bool StopRequested() const override { return rows.size() >= m_stopAfter; }
    bool GoOnPastLimit() override { return pastLimit; }

    std::vector<ListRow> rows;
    std::size_t checked = 0;
    bool pastLimit = false;

private:
    std::size_t m_stopAfter;
};
