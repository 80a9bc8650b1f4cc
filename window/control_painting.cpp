#include "window/control_painting.h"

#include "window/form_values.h"
#include "window/gdi.h"

#include <algorithm>

namespace wavoro::painting {

COLORREF resolveColour(std::int64_t formColour) {
    if (formColour == form::defaultColour) {
        return GetSysColor(COLOR_BTNFACE);
    }
    return static_cast<COLORREF>(formColour & 0x00FFFFFF);
}

void fill(HDC dc, const RECT& area, COLORREF colour) {
    const gdi::Brush brush(CreateSolidBrush(colour));
    FillRect(dc, &area, brush.get());
}

namespace {

void drawTextAt(HDC dc, RECT area, int dx, int dy, std::string_view text, COLORREF colour,
                unsigned format) {
    OffsetRect(&area, dx, dy);
    SetTextColor(dc, colour);
    DrawTextA(dc, text.data(), static_cast<int>(text.size()), &area, format);
}

} // namespace

void drawCaption(HDC dc, const RECT& client, const Caption& caption) {
    if (caption.text.empty()) {
        return;
    }
    const gdi::Selection font(dc, caption.font != nullptr ? static_cast<HGDIOBJ>(caption.font)
                                                          : GetStockObject(DEFAULT_GUI_FONT));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = GetTextColor(dc);
    constexpr COLORREF white = RGB(255, 255, 255);
    constexpr COLORREF black = RGB(0, 0, 0);
    switch (caption.effect) {
    case 1: // a white copy 1 pixel right and down, under the text
        drawTextAt(dc, client, 1, 1, caption.text, white, caption.format);
        drawTextAt(dc, client, 0, 0, caption.text, caption.colour, caption.format);
        break;
    case 2: // a white copy at the text's place, the text 1 pixel right and down
        drawTextAt(dc, client, 0, 0, caption.text, white, caption.format);
        drawTextAt(dc, client, 1, 1, caption.text, caption.colour, caption.format);
        break;
    case 3: // a black copy 2 pixels right and down, under the text
        drawTextAt(dc, client, 2, 2, caption.text, black, caption.format);
        drawTextAt(dc, client, 0, 0, caption.text, caption.colour, caption.format);
        break;
    default:
        drawTextAt(dc, client, 0, 0, caption.text, caption.colour, caption.format);
        break;
    }
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

void drawPicture(HDC dc, const RECT& client, const DecodedPicture& picture, int displayMode) {
    if (picture.width <= 0 || picture.height <= 0) {
        return;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    const int boxWidth = client.right - client.left;
    const int boxHeight = client.bottom - client.top;
    int left = client.left;
    int top = client.top;
    int width = picture.width;
    int height = picture.height;
    if (displayMode == 1) {
        width = boxWidth;
        height = boxHeight;
    } else if (displayMode == 2) {
        if (width > boxWidth || height > boxHeight) {
            // Shrink by the tighter of the two ratios.
            if (static_cast<long long>(width) * boxHeight >
                static_cast<long long>(height) * boxWidth) {
                height = static_cast<int>(static_cast<long long>(height) * boxWidth / width);
                width = boxWidth;
            } else {
                width = static_cast<int>(static_cast<long long>(width) * boxHeight / height);
                height = boxHeight;
            }
        }
        left += (boxWidth - width) / 2;
        top += (boxHeight - height) / 2;
    }
    const int oldMode = SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchDIBits(dc, left, top, width, height, 0, 0, picture.width, picture.height,
                  picture.pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    SetStretchBltMode(dc, oldMode);
}

} // namespace wavoro::painting
