#include "controls/LinkGeometry.h"

PixelRect LinkHitRect(const PixelRect& client, int textWidth, int aveCharWidth)
{
    PixelRect hit = client;
    hit.right = textWidth + aveCharWidth / 2;
    return hit;
}
