#pragma once
#include "framework/PixelRect.h"

// Where a click counts as a click on the link: the client area from its left
// edge to half an average character past the end of the text, over the full
// height.
PixelRect LinkHitRect(const PixelRect& client, int textWidth, int aveCharWidth);
