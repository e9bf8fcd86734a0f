#include "core/contrast.h"

namespace zarv {
namespace {

// y to the power 2.4 for y in (0, 1]: y squared times the square of its fifth root, the root by
// Newton's steps (the executable carries no pow for this one use).
double Power24(double y) {
    double r = 1.0;
    for (int i = 0; i < 12; ++i) r -= (r * r * r * r * r - y) / (5 * r * r * r * r);
    return y * y * r * r;
}

double Channel(std::uint32_t colour, int shift) {
    const double c = ((colour >> shift) & 0xFF) / 255.0;
    return c <= 0.04045 ? c / 12.92 : Power24((c + 0.055) / 1.055);
}

double Luminance(std::uint32_t colour) {
    return 0.2126 * Channel(colour, 0) + 0.7152 * Channel(colour, 8) + 0.0722 * Channel(colour, 16);
}

std::uint32_t Mix(std::uint32_t colour, std::uint32_t target, int step, int steps) {
    std::uint32_t mixed = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int from = static_cast<int>((colour >> shift) & 0xFF);
        const int to = static_cast<int>((target >> shift) & 0xFF);
        mixed |= static_cast<std::uint32_t>(from + (to - from) * step / steps) << shift;
    }
    return mixed;
}

}  // namespace

double ContrastRatio(std::uint32_t a, std::uint32_t b) {
    const double la = Luminance(a), lb = Luminance(b);
    return la > lb ? (la + 0.05) / (lb + 0.05) : (lb + 0.05) / (la + 0.05);
}

std::uint32_t LegibleOn(std::uint32_t colour, std::uint32_t ground) {
    const std::uint32_t target = Luminance(ground) > 0.18 ? 0x000000 : 0xFFFFFF;
    constexpr int kSteps = 64;
    for (int step = 0; step < kSteps; ++step) {
        const std::uint32_t mixed = Mix(colour, target, step, kSteps);
        if (ContrastRatio(mixed, ground) >= kLegibleContrast) return mixed;
    }
    return target;
}

}  // namespace zarv
