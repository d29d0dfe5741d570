#pragma once

// Whether the user has a high-contrast theme on, asked afresh each time:
// the theme can change while the program runs. The program asks the
// system's; tests hand in one of their own, as Wine cannot turn the theme on.
class ContrastSetting {
public:
    virtual ~ContrastSetting() = default;
    virtual bool HighContrast() const = 0;

    // The system's setting (SPI_GETHIGHCONTRAST).
    static const ContrastSetting& System();
};
