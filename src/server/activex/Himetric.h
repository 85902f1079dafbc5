#pragma once
// HIMETRIC (0.01 mm) units, in which OLE hosts give extents, and screen pixels.

namespace corvane::server {

// At the screen's density.
int HimetricToPixelsX(long himetric);
int HimetricToPixelsY(long himetric);
long PixelsToHimetricX(int pixels);
long PixelsToHimetricY(int pixels);
// At a window's density: a control on a monitor of another density than the
// screen's gives and takes its extent in that monitor's pixels.
int HimetricToPixels(long himetric, int pixelsPerInch);
long PixelsToHimetric(int pixels, int pixelsPerInch);

} // namespace corvane::server
