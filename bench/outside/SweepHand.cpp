// The sweep hand's angle from anti-aliasing: each row's coverage of the blue hand over the dial gives the
// hand's centre to a few hundredths of a pixel, and the hand hangs from the dial's centre.
#include "SweepHand.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double CentreX = 100;
constexpr double CentreY = 100;
constexpr Rgb HandColour{0, 0, 255};
constexpr double DegreesPerTick = 0.6;
constexpr int TicksPerMinute = 600;
// Our reading of a blend may differ from the painter's rounding by a couple of levels a channel.
constexpr double BlendTolerance = 4;

// How much of the pixel the hand covers, or nothing if the pixel is no blend of hand and dial.
std::optional<double> handCoverage(const Rgb& pixel, const Rgb& dial)
{
    const double dr = HandColour.r - dial.r, dg = HandColour.g - dial.g, db = HandColour.b - dial.b;
    const double pr = pixel.r - dial.r, pg = pixel.g - dial.g, pb = pixel.b - dial.b;
    const double coverage = (pr * dr + pg * dg + pb * db) / (dr * dr + dg * dg + db * db);
    const double off = std::max({std::abs(pr - coverage * dr), std::abs(pg - coverage * dg), std::abs(pb - coverage * db)});
    if (off > BlendTolerance)
        return std::nullopt;
    return std::clamp(coverage, 0.0, 1.0);
}
}

std::optional<double> sweepHandDegrees(const SweepStrip& strip)
{
    const Image& image = strip.pixels;
    // The strip's outer columns lie well clear of the hand: they show the dial's own colour.
    const Rgb dial = image.at(0, image.height() / 2);
    if (dial == HandColour)
        return std::nullopt;
    double sumOffsetTimesHeight = 0;
    double sumHeightSquared = 0;
    for (int row = 0; row < image.height(); ++row) {
        double covered = 0;
        double moment = 0;
        for (int column = 0; column < image.width(); ++column) {
            const std::optional<double> coverage = handCoverage(image.at(column, row), dial);
            if (!coverage)
                return std::nullopt;
            covered += *coverage;
            moment += *coverage * (strip.left + column + 0.5);
        }
        if (covered < 4)
            return std::nullopt;
        const double offset = moment / covered - CentreX;
        const double height = CentreY - (strip.top + row + 0.5);
        sumOffsetTimesHeight += offset * height;
        sumHeightSquared += height * height;
    }
    return std::atan(sumOffsetTimesHeight / sumHeightSquared) * 180 / M_PI;
}

int ticksForAngleNearTop(double degrees) { return TicksPerMinute + static_cast<int>(std::lround(degrees / DegreesPerTick)); }
