#include "tests/skin/engine/screen.h"

#include "tests/support/win_support.h"

#include <cstdio>

namespace wavoro::skin::testing {

void pump(int ms) {
    const DWORD start = GetTickCount();
    MSG msg;
    for (;;) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= static_cast<DWORD>(ms)) {
            return;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(ms) - elapsed, QS_ALLINPUT);
    }
}

bool pumpUntil(const std::function<bool()>& done, int ms) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= static_cast<DWORD>(ms)) {
            return false;
        }
        pump(20);
    }
    return true;
}

std::uint32_t Shot::colourAt(int x, int y) const {
    const std::uint32_t p = at(x, y);
    return (p >> 16 & 0xFF) | (p & 0xFF00) | (p & 0xFF) << 16;
}

Shot captureScreen(const RECT& area) {
    Shot shot;
    shot.width = area.right - area.left;
    shot.height = area.bottom - area.top;
    shot.pixels = test::capturePixels(area);
    for (std::uint32_t& p : shot.pixels) {
        p &= 0xFFFFFF;
    }
    return shot;
}

Shot captureWindow(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return captureScreen(r);
}

Shot captureWhen(HWND hwnd, int x, int y, std::uint32_t colour, int ms) {
    Shot shot;
    pumpUntil(
        [&] {
            shot = captureWindow(hwnd);
            return x < shot.width && y < shot.height && shot.colourAt(x, y) == colour;
        },
        ms);
    pump(50);
    return captureWindow(hwnd);
}

namespace {

std::uint32_t crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0) {
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

void putBE(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(v >> shift));
    }
}

void chunk(std::vector<std::uint8_t>& out, const char* type,
           const std::vector<std::uint8_t>& body) {
    putBE(out, static_cast<std::uint32_t>(body.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    putBE(out, crc32(out.data() + start, out.size() - start));
}

} // namespace

bool savePng(const Shot& shot, const std::string& path) {
    std::vector<std::uint8_t> raw;
    for (int y = 0; y < shot.height; ++y) {
        raw.push_back(0); // no filter
        for (int x = 0; x < shot.width; ++x) {
            const std::uint32_t p = shot.at(x, y);
            raw.push_back(static_cast<std::uint8_t>(p >> 16));
            raw.push_back(static_cast<std::uint8_t>(p >> 8));
            raw.push_back(static_cast<std::uint8_t>(p));
        }
    }
    // zlib stream of stored blocks.
    std::vector<std::uint8_t> z = {0x78, 0x01};
    std::size_t pos = 0;
    do {
        const std::size_t n = std::min<std::size_t>(65535, raw.size() - pos);
        z.push_back(pos + n == raw.size() ? 1 : 0);
        z.push_back(static_cast<std::uint8_t>(n));
        z.push_back(static_cast<std::uint8_t>(n >> 8));
        z.push_back(static_cast<std::uint8_t>(~n));
        z.push_back(static_cast<std::uint8_t>(~n >> 8));
        z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(pos),
                 raw.begin() + static_cast<std::ptrdiff_t>(pos + n));
        pos += n;
    } while (pos < raw.size());
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (std::uint8_t v : raw) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    putBE(z, b << 16 | a);

    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    putBE(header, static_cast<std::uint32_t>(shot.width));
    putBE(header, static_cast<std::uint32_t>(shot.height));
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8-bit RGB
    chunk(png, "IHDR", header);
    chunk(png, "IDAT", z);
    chunk(png, "IEND", {});
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
        return false;
    }
    const bool ok = std::fwrite(png.data(), 1, png.size(), f) == png.size();
    return std::fclose(f) == 0 && ok;
}

namespace {

INPUT mouseInput(DWORD flags, int x = 0, int y = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if ((flags & MOUSEEVENTF_ABSOLUTE) != 0) {
        const int w = GetSystemMetrics(SM_CXSCREEN);
        const int h = GetSystemMetrics(SM_CYSCREEN);
        input.mi.dx = (x * 65535 + (w - 1) / 2) / (w - 1);
        input.mi.dy = (y * 65535 + (h - 1) / 2) / (h - 1);
    }
    return input;
}

void sendMouse(DWORD flags, int x = 0, int y = 0) {
    INPUT input = mouseInput(flags, x, y);
    SendInput(1, &input, sizeof input);
}

} // namespace

void mouseMove(int x, int y) {
    sendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y);
    pumpUntil(
        [&] {
            POINT p{};
            GetCursorPos(&p);
            return p.x == x && p.y == y;
        },
        1000);
    pump(60);
}

void mouseDown() {
    sendMouse(MOUSEEVENTF_LEFTDOWN);
    pump(80);
}

void mouseUp() {
    sendMouse(MOUSEEVENTF_LEFTUP);
    pump(80);
}

void drag(POINT from, int dx, int dy) {
    mouseMove(from.x, from.y);
    const DWORD move = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    INPUT inputs[] = {mouseInput(MOUSEEVENTF_LEFTDOWN),
                      mouseInput(move, from.x + dx / 3, from.y + dy / 3),
                      mouseInput(move, from.x + 2 * dx / 3, from.y + 2 * dy / 3),
                      mouseInput(move, from.x + dx, from.y + dy), mouseInput(MOUSEEVENTF_LEFTUP)};
    SendInput(5, inputs, sizeof(INPUT));
    pump(600);
}

POINT windowPoint(HWND hwnd, int x, int y) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return {r.left + x, r.top + y};
}

} // namespace wavoro::skin::testing
