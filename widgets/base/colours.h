#pragma once
// The system's colours as the windows use them: whether a high-contrast theme is on, and marking
// colours kept legible on the system colour they are drawn on.
#include <windows.h>

#include "core/contrast.h"

namespace zarv {

inline bool HighContrast() {
    HIGHCONTRASTW hc{sizeof hc, 0, nullptr};
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) &&
           (hc.dwFlags & HCF_HIGHCONTRASTON);
}

// A colour that marks a state: colour itself, or the nearest colour of its hue that reads on the
// system colour ground.
inline COLORREF MarkColour(COLORREF colour, int groundIndex) {
    return LegibleOn(static_cast<std::uint32_t>(colour),
                     static_cast<std::uint32_t>(GetSysColor(groundIndex)));
}

}  // namespace zarv
