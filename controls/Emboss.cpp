#include "controls/Emboss.h"

namespace {

template <typename Channel>
ColourRef PerChannel(ColourRef colour, Channel channel)
{
    return Rgb(channel(colour & 0xFF), channel(colour >> 8 & 0xFF), channel(colour >> 16 & 0xFF));
}

}  // namespace

ColourRef Lightened(ColourRef colour)
{
    return PerChannel(colour, [](unsigned c) { return c >= 235 ? 255 : c + 20; });
}

ColourRef Darkened(ColourRef colour)
{
    return PerChannel(colour, [](unsigned c) { return c <= 20 ? 0 : c - 20; });
}

EmbossShades LogoShades(const ButtonColours& system, bool highContrast)
{
    if (highContrast)
        return {system.shadow, system.highlight, system.text};
    return {Darkened(system.shadow), Lightened(system.highlight), Lightened(system.face)};
}

EmbossPasses LogoPassRects(int clientRight, int clientBottom, int aveCharWidth, int charHeight, int textWidth,
                           int textHeight)
{
    EmbossPasses passes;
    passes.dark = {clientRight - aveCharWidth / 2 - textWidth, clientBottom - charHeight / 5 - textHeight,
                   clientRight, clientBottom};
    passes.light = passes.dark;
    passes.light.left += -3 * aveCharWidth / 5;
    passes.face = passes.light;
    passes.face.left += aveCharWidth / 5;
    return passes;
}
