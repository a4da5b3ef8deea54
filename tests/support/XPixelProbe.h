#pragma once
// Reads what the X server shows, on a connection of its own, so a test or a
// benchmark sees the screen whichever process drew it (and from any one thread).

#include <cstdint>
#include <vector>

struct _XDisplay;

class XPixelProbe
{
public:
    // Opens the display named by $DISPLAY.
    XPixelProbe();
    ~XPixelProbe();
    XPixelProbe(const XPixelProbe&) = delete;
    XPixelProbe& operator=(const XPixelProbe&) = delete;

    bool IsOpen() const { return m_Display != nullptr; }
    // The root window's pixel at (x, y) as 0xRRGGBB; -1 when it cannot be read.
    long PixelAt(int x, int y);
    // The pixels of a rectangle, row by row, read in one request (so all from one
    // moment); empty when they cannot be read.
    std::vector<long> Pixels(int x, int y, int width, int height);
    int ScreenWidth() const;
    int ScreenHeight() const;

    static constexpr long Rgb(int r, int g, int b) { return (long(r) << 16) | (long(g) << 8) | long(b); }

private:
    _XDisplay* m_Display = nullptr;
};
