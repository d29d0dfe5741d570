#include "inspect/CommonFileDialogs.h"

namespace {

class SystemFileDialogs final : public CommonFileDialogs {
public:
    BOOL GetOpenFileName(OPENFILENAMEA& record) override { return ::GetOpenFileNameA(&record); }
    BOOL GetSaveFileName(OPENFILENAMEA& record) override { return ::GetSaveFileNameA(&record); }
};

}  // namespace

CommonFileDialogs& CommonFileDialogs::System()
{
    static SystemFileDialogs dialogs;
    return dialogs;
}
