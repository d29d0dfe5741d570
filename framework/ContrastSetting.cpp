#include "framework/ContrastSetting.h"

#include "framework/Afx.h"

namespace {

class SystemContrast final : public ContrastSetting {
public:
    bool HighContrast() const override
    {
        HIGHCONTRASTA setting{sizeof setting, 0, nullptr};
        return ::SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
               (setting.dwFlags & HCF_HIGHCONTRASTON);
    }
};

}  // namespace

const ContrastSetting& ContrastSetting::System()
{
    static const SystemContrast system;
    return system;
}
