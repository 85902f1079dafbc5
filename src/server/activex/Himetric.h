#pragma once
// HIMETRIC (0.01 mm) units, in which OLE hosts give extents, and screen pixels.

namespace corvane::server {

int HimetricToPixelsX(long himetric);
int HimetricToPixelsY(long himetric);
long PixelsToHimetricX(int pixels);
long PixelsToHimetricY(int pixels);

} // namespace corvane::server
