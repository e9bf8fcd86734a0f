#pragma once
// What a screen reader learns of the button bar: its windowless buttons are drawn, not windows,
// so the bar answers WM_GETOBJECT with an accessible object of its own whose children are the
// buttons (name, role, shortcut, state, place and the click as default action).
#include <windows.h>

namespace zarv {

class TExpress;

// The answer to WM_GETOBJECT for the bar: 0 when the request is not for its client object (the
// system's own object answers then) or no object can be made.
LRESULT BarAccessibleObject(TExpress& bar, WPARAM wp, LPARAM lp);

// The bar's window is going: objects a client still holds answer that the bar is gone.
void BarAccessibleGone(TExpress& bar);

}  // namespace zarv
