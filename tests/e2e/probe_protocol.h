#pragma once
// How the tests talk to zarv_probe.dll once it is loaded into zarv.exe. Both files lie next to the
// DLL; the driver writes the request before it loads the DLL, the DLL answers and unloads itself.
//
// Request: one line, the kind of read:
//   menu      every visible pop-up menu of the process (the #32768 windows), top window first
//   pictures  the picture of every item of the top menu that has one, drawn by its owner
//             (WM_DRAWITEM, as the menu does when it paints) into a bitmap of the probe's own
//   drop <tab> window <tab> path [<tab> path ...]
//             posts WM_DROPFILES with those files (UTF-8) to the window (decimal handle), as
//             the shell does when they are dropped on it
//   controls <tab> window
//             the window and every window inside it, with their fonts
//   pixels <tab> window <tab> left <tab> top <tab> right <tab> bottom
//             what the window shows in that part of its client area
//   columns <tab> list view
//             the list view's columns with the width their captions need
//   dpichanged <tab> window <tab> dpi <tab> left <tab> top <tab> right <tab> bottom
//             sends the window WM_DPICHANGED with that DPI and suggested rectangle, as the
//             system does when the window moves to a monitor of another DPI
//   messages <tab> window <tab> ms
//             the messages the window's thread takes from its queue during ms milliseconds
//   windowproc <tab> window
//             from inside the window's procedure: the error modes of its thread and of the
//             process, and the module of each frame a stack walk from there finds
//   loadwalk <tab> window <tab> hot-key id <tab> DLL
//             posts the window WM_HOTKEY with the id and answers the frames of a stack walk
//             from inside the load of the DLL that follows
//   accessible <tab> window [<tab> child]
//             the accessible object of the window's client area, asked on the window's thread,
//             and its children; with a child number, that child's default action is done
//   syscolors <tab> window <tab> window-text <tab> button-face
//             sets those system colours of the process (SetSysColors; decimal COLORREFs)
// Result (UTF-8, one record a line, fields separated by tabs; the result file appears complete,
// renamed into place):
//   ok
//   menu  left  top  right  bottom  item-count
//   item  fType(hex)  fState(hex)  wID  has-bitmap(0/1)  dwItemData  has-submenu(0/1)  caption
//   picture  wID  drawn(0/1: anything differs from the background)  fingerprint  width  height
//            drawn-width  drawn-height
//            (width x height: the item's picture as the owner measures it (WM_MEASUREITEM), the
//            bitmap it draws into; drawn-: the extent of what it drew)
//   control  depth  class  id  left  top  right  bottom  font-height  text
//            (depth 0 the window itself, in screen coordinates; the others in the client
//            coordinates of the window; font-height the LOGFONT height of WM_GETFONT, 0 none)
//   column  index  width  caption-width  caption
//            (caption-width: the caption's width in the header's font or in the default GUI
//            font, whichever is wider)
//   message  number(hex)
//   mode  thread's mode  process's mode   (windowproc, in decimal; then:)
//   frame  module file name  offset(hex)   (one a frame, innermost first; "?" outside every
//          module)
//   child  role  shortcut  name
//   drawn  left  top  right  bottom
//            (the extent, in client coordinates, of the pixels of the part that differ from
//            its top-left pixel; all 0 when none does)
//   (drop, dpichanged and syscolors answer ok alone)
// or
//   error  text

namespace probe {

inline constexpr char kRequestFile[] = "probe.request";
inline constexpr char kResultFile[] = "probe.result";

}  // namespace probe
