#pragma once
// The display's scale. Vorlane is aware of the system's DPI (its manifest
// says so): Windows draws it at the real scale, and every measure the
// program gives in pixels is given for 96 DPI and scaled here.

// Pixels per logical inch of the screen, 96 at 100 %.
int ScreenDpi();

// `pixels` at 96 DPI, on this screen: 40 at 96 DPI is 60 at 144.
int ScaleForDpi(int pixels);
