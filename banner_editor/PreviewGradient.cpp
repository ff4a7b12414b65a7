#include "banner_editor/PreviewGradient.h"

namespace banner_editor {

namespace {

std::uint8_t stepComponent(std::uint8_t from, std::uint8_t to, int i, int numSteps)
{
    // C++ integer division truncates toward zero, as the band rule asks for falling components too.
    const int delta = int(to) - int(from);
    return static_cast<std::uint8_t>(int(from) + delta * i / numSteps);
}

} // namespace

Rgb gradientStepColor(Rgb start, Rgb end, int i, int numSteps)
{
    return {stepComponent(start.r, end.r, i, numSteps), stepComponent(start.g, end.g, i, numSteps),
            stepComponent(start.b, end.b, i, numSteps)};
}

std::vector<GradientBand> backgroundGradient(GradientDirection direction, SurfaceSize target, Rgb startColor,
                                             Rgb endColor, int numSteps, double VStart, double VStop, double HStart,
                                             double HStop)
{
    std::vector<GradientBand> bands;
    if (numSteps < 1)
        return bands;
    // Worked out along the direction ("along") and across it, then put back as x and y.
    const bool leftToRight = direction == GradientDirection::LeftToRight;
    const double alongStart = leftToRight ? HStart : VStart;
    const double alongStop = leftToRight ? HStop : VStop;
    const double acrossStart = leftToRight ? VStart : HStart;
    double acrossStop = leftToRight ? VStop : HStop;
    if (acrossStop == 0)
        acrossStop = leftToRight ? target.height : target.width;

    const bool whole = alongStart == 0 && alongStop == 0;
    const double alongExtent = leftToRight ? target.width : target.height;
    const double step = whole ? alongExtent / numSteps : (alongStop - alongStart) / numSteps;
    double at = whole ? 0 : alongStart;
    bands.reserve(static_cast<std::size_t>(numSteps));
    for (int i = 0; i < numSteps; ++i) {
        const Rgb color = gradientStepColor(startColor, endColor, i, numSteps);
        const double across = acrossStop - acrossStart;
        bands.push_back(leftToRight ? GradientBand{at, acrossStart, step, across, color}
                                    : GradientBand{acrossStart, at, across, step, color});
        at += step;
    }
    return bands;
}

} // namespace banner_editor
