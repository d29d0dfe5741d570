#include "inspect/CommonFileDialogs.h"

namespace {

class SystemFileDialogs final : public CommonFileDialogs {
public:
    BOOL GetOpenFileName(OPENFILENAMEW& record) override { return ::GetOpenFileNameW(&record); }
    BOOL GetSaveFileName(OPENFILENAMEW& record) override { return ::GetSaveFileNameW(&record); }
};

}  // namespace

CommonFileDialogs& CommonFileDialogs::System()
{
    static SystemFileDialogs dialogs;
    return dialogs;
}
