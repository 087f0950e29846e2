// Polyline drawing in the controls' convention: each segment stops short of its end point.
#ifndef PEMZ_CONTROLS_DRAWLINES_H
#define PEMZ_CONTROLS_DRAWLINES_H

#include <windows.h>

#include <initializer_list>

namespace controls {

// Selects `pen` and draws through the points; the pen stays selected, so the caller
// keeps a guard on the pen it found.
inline void DrawLines(HDC dc, HGDIOBJ pen, std::initializer_list<POINT> points) {
    SelectObject(dc, pen);
    auto point = points.begin();
    MoveToEx(dc, point->x, point->y, nullptr);
    for (++point; point != points.end(); ++point) LineTo(dc, point->x, point->y);
}

}  // namespace controls

#endif
