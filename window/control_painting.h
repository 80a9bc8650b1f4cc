// The paint routines of the self-drawn kinds. Each draws into a device context and a client
// rectangle, so WM_PAINT and WM_PRINTCLIENT share them.
#pragma once

#include "window/jpeg_picture.h"

#include <windows.h>

#include <cstdint>
#include <string_view>

namespace wavoro::painting {

// A form colour as COLORREF: 0xFF000000 is the button face, looked up now.
[[nodiscard]] COLORREF resolveColour(std::int64_t formColour);

void fill(HDC dc, const RECT& area, COLORREF colour);

struct Caption {
    std::string_view text;
    HFONT font = nullptr;
    COLORREF colour = 0;
    int effect = 0;      // 0 plain, 1 to 3 the shadow effects
    unsigned format = 0; // DrawText format
};

// The caption over the whole client rectangle, on a transparent background.
void drawCaption(HDC dc, const RECT& client, const Caption& caption);

// The picture in the client rectangle by display mode: 0 natural size in the top-left corner,
// 1 stretched, 2 centred and shrunk to fit when larger, keeping its proportions.
void drawPicture(HDC dc, const RECT& client, const DecodedPicture& picture, int displayMode);

} // namespace wavoro::painting
