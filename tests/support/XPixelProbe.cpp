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
    if (!m_Display) return -1;
    XImage* image = XGetImage(m_Display, DefaultRootWindow(m_Display), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) return -1;
    const unsigned long pixel = XGetPixel(image, 0, 0);
    // Each channel scaled to 0..255 from wherever its mask puts it.
    auto channel = [pixel](unsigned long mask) -> int {
        if (!mask) return 0;
        const int shift = __builtin_ctzl(mask);
        return int(((pixel & mask) >> shift) * 255 / (mask >> shift));
    };
    const long rgb = Rgb(channel(image->red_mask), channel(image->green_mask), channel(image->blue_mask));
    XDestroyImage(image);
    return rgb;
}

int XPixelProbe::ScreenWidth() const { return m_Display ? DisplayWidth(m_Display, DefaultScreen(m_Display)) : 0; }
int XPixelProbe::ScreenHeight() const { return m_Display ? DisplayHeight(m_Display, DefaultScreen(m_Display)) : 0; }
