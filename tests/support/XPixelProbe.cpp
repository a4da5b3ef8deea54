#include "XPixelProbe.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

XPixelProbe::XPixelProbe() : m_Display(XOpenDisplay(nullptr)) {}

XPixelProbe::~XPixelProbe()
{
    if (m_Display) XCloseDisplay(m_Display);
}

long XPixelProbe::PixelAt(int x, int y)
{
    const std::vector<long> one = Pixels(x, y, 1, 1);
    return one.empty() ? -1 : one[0];
}

std::vector<long> XPixelProbe::Pixels(int x, int y, int width, int height)
{
    std::vector<long> pixels;
    if (!m_Display) return pixels;
    XImage* image =
        XGetImage(m_Display, DefaultRootWindow(m_Display), x, y, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
    if (!image) return pixels;
    // Each channel scaled to 0..255 from wherever its mask puts it.
    auto channel = [](unsigned long pixel, unsigned long mask) -> int {
        if (!mask) return 0;
        const int shift = __builtin_ctzl(mask);
        return int(((pixel & mask) >> shift) * 255 / (mask >> shift));
    };
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column) {
            const unsigned long pixel = XGetPixel(image, column, row);
            pixels.push_back(Rgb(channel(pixel, image->red_mask), channel(pixel, image->green_mask),
                                 channel(pixel, image->blue_mask)));
        }
    XDestroyImage(image);
    return pixels;
}

int XPixelProbe::ScreenWidth() const { return m_Display ? DisplayWidth(m_Display, DefaultScreen(m_Display)) : 0; }
int XPixelProbe::ScreenHeight() const { return m_Display ? DisplayHeight(m_Display, DefaultScreen(m_Display)) : 0; }
