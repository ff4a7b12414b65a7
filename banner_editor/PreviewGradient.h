#pragma once

// The gradient arithmetic of the colour preview: a rectangle cut into numSteps bands, band i coloured
// start + (end - start) * i / numSteps per component with integer division truncating toward zero.
// The last band takes the colour for i = numSteps - 1, so the end colour itself is only approached.

#include <vector>

#include "banner_editor/ColorScheme.h"

namespace banner_editor {

// The size of the drawing surface a gradient is painted on.
struct SurfaceSize
{
    double width = 0;
    double height = 0;
};

// One band to fill: its rectangle (real-valued, in the surface's units) and colour.
struct GradientBand
{
    double x = 0, y = 0, width = 0, height = 0;
    Rgb color;
};

// Which way the colour runs: down the surface in horizontal bands (a vertical gradient), or across it
// in vertical strips (a horizontal gradient).
enum class GradientDirection { TopToBottom, LeftToRight };

// The colour of band i of numSteps between start and end.
Rgb gradientStepColor(Rgb start, Rgb end, int i, int numSteps);

// The bands of a gradient over a rectangle of target. Along the direction: when the rectangle's two
// edges in that direction (VStart and VStop top to bottom, HStart and HStop left to right) are both 0,
// the bands cover the whole surface from 0; otherwise they run from the first edge to the second. Across
// it, the bands reach from the first edge to the second, a second edge of 0 meaning the surface's far
// side. No bands when numSteps is below 1.
std::vector<GradientBand> backgroundGradient(GradientDirection direction, SurfaceSize target, Rgb startColor,
                                             Rgb endColor, int numSteps, double VStart, double VStop, double HStart,
                                             double HStop);

} // namespace banner_editor
