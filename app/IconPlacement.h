#pragma once

// Where the icon of the minimized window goes on an axis of `clientExtent`
// pixels: centred, rounded toward zero as the window always placed it.
constexpr int CenteredIconOffset(int clientExtent, int iconExtent)
{
    return (clientExtent - iconExtent + 1) / 2;
}
