// A raised or sunken 3D edge around an ellipse, as the clock's face, rings and marks use it.
#pragma once

#include <windows.h>

// The ellipse in the rectangle is outlined in a light top-left and a dark bottom-right half
// (swapped when sunken), divided by the rectangle's diagonal or, with the diagonal flag, by a
// steeper line through the quarter points of its top and bottom edges. Shaded halves are
// three arcs of alternating colours; solid ones are filled chords with a second outline
// inside and the rest of the ellipse in the button face colour.
void DrawEllipseEdge(HDC dc, int left, int top, int right, int bottom, BOOL sunken, BOOL diagonal, BOOL solid,
                     BOOL shaded);
