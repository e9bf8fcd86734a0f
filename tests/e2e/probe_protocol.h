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
//   messages <tab> window <tab> ms
//             the messages the window's thread takes from its queue during ms milliseconds
// Result (UTF-8, one record a line, fields separated by tabs; the result file appears complete,
// renamed into place):
//   ok
//   menu  left  top  right  bottom  item-count
//   item  fType(hex)  fState(hex)  wID  has-bitmap(0/1)  dwItemData  has-submenu(0/1)  caption
//   picture  wID  drawn(0/1: anything differs from the background)  fingerprint
//   message  number(hex)
//   (drop answers ok alone)
// or
//   error  text

namespace probe {

inline constexpr char kRequestFile[] = "probe.request";
inline constexpr char kResultFile[] = "probe.result";

}  // namespace probe
