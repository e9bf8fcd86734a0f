#include "core/dpi.h"

#include <algorithm>
#include <cstdint>

namespace zarv {
namespace {

// No screen reaches this; a source that answers more has answered nonsense.
constexpr int kMaxDpi = 96 * 16;

bool Plausible(int dpi) { return dpi > 0 && dpi <= kMaxDpi; }

}  // namespace

int MulDivRound(int v, int numerator, int denominator) {
    if (denominator == 0) return 0;
    std::int64_t product = static_cast<std::int64_t>(v) * numerator;
    std::int64_t d = denominator;
    if (d < 0) product = -product, d = -d;
    const std::int64_t half = d / 2;
    const std::int64_t q = product >= 0 ? (product + half) / d : -((-product + half) / d);
    return static_cast<int>(q);
}

Rect ScaleRectToDpi(Rect r, int dpi) {
    return {ScaleToDpi(r.left, dpi), ScaleToDpi(r.top, dpi), ScaleToDpi(r.right, dpi),
            ScaleToDpi(r.bottom, dpi)};
}

DpiSource ChooseDpiSource(const DpiFunctions& have, bool forWindow) {
    if (forWindow && have.dpiForWindow) return DpiSource::Window;
    if (have.dpiForMonitor) return DpiSource::Monitor;
    return DpiSource::System;
}

int UsableDpi(int reported, int systemDpi) {
    if (Plausible(reported)) return reported;
    return Plausible(systemDpi) ? systemDpi : kBaseDpi;
}

Size ScaleOuterSize(Size size96, int dpi) {
    return {ScaleToDpi(size96.width, dpi), ScaleToDpi(size96.height, dpi)};
}

Rect EditorTableBoundsForDpi(int windowWidth, int windowHeight, int panelWidth, int dpi) {
    const int margin = ScaleToDpi(8, dpi);
    const int width = std::max(0, windowWidth - panelWidth - ScaleToDpi(24, dpi));
    const int height = std::max(0, windowHeight - ScaleToDpi(48, dpi));
    return {margin, margin, margin + width, margin + height};
}

int SmallIconSizeForDpi(int dpi) { return ScaleToDpi(16, dpi); }

}  // namespace zarv
