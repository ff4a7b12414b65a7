#include "banner_editor/PreviewGradient.h"

namespace banner_editor {

namespace {

int component(ColorValue color, int shift)
{
    return static_cast<int>((color >> shift) & 0xFF);
}

} // namespace

ColorValue gradientStepColor(ColorValue start, ColorValue end, int i, int numSteps)
{
    ColorValue result = 0;
    for (const int shift : {0, 8, 16}) {
        const int from = component(start, shift);
        const int delta = component(end, shift) - from;
        // C++ integer division truncates toward zero, as the band rule asks for falling components too.
        const int value = from + delta * i / numSteps;
        result |= static_cast<ColorValue>(value & 0xFF) << shift;
    }
    return result;
}

std::vector<GradientBand> BackgroundVerticalGradient(SurfaceSize target, ColorValue startColor, ColorValue endColor,
                                                     int numSteps, double VStart, double VStop, double HStart,
                                                     double HStop)
{
    std::vector<GradientBand> bands;
    if (numSteps < 1)
        return bands;
    const bool whole = VStart == 0 && VStop == 0;
    const double bandHeight = whole ? target.height / numSteps : (VStop - VStart) / numSteps;
    double y = whole ? 0 : VStart;
    if (HStop == 0)
        HStop = target.width;
    bands.reserve(static_cast<std::size_t>(numSteps));
    for (int i = 0; i < numSteps; ++i) {
        bands.push_back({HStart, y, HStop - HStart, bandHeight, gradientStepColor(startColor, endColor, i, numSteps)});
        y += bandHeight;
    }
    return bands;
}

std::vector<GradientBand> BackgroundHorizontalGradient(SurfaceSize target, ColorValue startColor, ColorValue endColor,
                                                       int numSteps, double VStart, double VStop, double HStart,
                                                       double HStop)
{
    std::vector<GradientBand> bands;
    if (numSteps < 1)
        return bands;
    const bool whole = HStart == 0 && HStop == 0;
    const double bandWidth = whole ? target.width / numSteps : (HStop - HStart) / numSteps;
    double x = whole ? 0 : HStart;
    if (VStop == 0)
        VStop = target.height;
    bands.reserve(static_cast<std::size_t>(numSteps));
    for (int i = 0; i < numSteps; ++i) {
        bands.push_back({x, VStart, bandWidth, VStop - VStart, gradientStepColor(startColor, endColor, i, numSteps)});
        x += bandWidth;
    }
    return bands;
}

} // namespace banner_editor
