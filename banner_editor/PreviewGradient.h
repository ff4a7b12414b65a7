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
    ColorValue color = 0;
};

// The colour of band i of numSteps between start and end (red in the low byte).
ColorValue gradientStepColor(ColorValue start, ColorValue end, int i, int numSteps);

// Horizontal bands from top to bottom. Band height: the surface height / numSteps from y = 0 when VStart
// and VStop are both 0, else (VStop - VStart) / numSteps from VStart. The bands run from x = HStart to
// HStop, an HStop of 0 meaning the surface width. No bands when numSteps is below 1.
std::vector<GradientBand> BackgroundVerticalGradient(SurfaceSize target, ColorValue startColor, ColorValue endColor,
                                                     int numSteps, double VStart, double VStop, double HStart,
                                                     double HStop);

// The same with x and y exchanged: vertical strips from left to right, from y = VStart to VStop (a VStop
// of 0 meaning the surface height).
std::vector<GradientBand> BackgroundHorizontalGradient(SurfaceSize target, ColorValue startColor, ColorValue endColor,
                                                       int numSteps, double VStart, double VStop, double HStart,
                                                       double HStop);

} // namespace banner_editor
