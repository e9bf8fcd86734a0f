#pragma once
// Contrast between two colours as the readability guidelines measure it, and a marking colour
// made legible on its ground. Colours are 0x00BBGGRR, as Windows keeps them.
#include <cstdint>

namespace zarv {

// (L1 + 0.05) / (L2 + 0.05) of the lighter and the darker colour's relative luminance: 1 for
// equal colours, 21 for black on white.
double ContrastRatio(std::uint32_t a, std::uint32_t b);

// The least legible text contrast.
inline constexpr double kLegibleContrast = 4.5;

// colour itself when it has kLegibleContrast on ground; otherwise colour mixed towards black
// (on a light ground) or white (on a dark one) just far enough to have it.
std::uint32_t LegibleOn(std::uint32_t colour, std::uint32_t ground);

}  // namespace zarv
