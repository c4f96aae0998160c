// Test aid: a description of the calling program's main window, written from inside its
// process. A test driver outside cannot see a window's fonts and icons under Wine, which
// does not carry WM_GETFONT or WM_GETICON across processes.
#pragma once

namespace WindowReport {

// If HID2_WINDOW_REPORT names a file, describes there, once, the top-level windows of
// the calling thread with their class, icons, background and the fonts of their
// controls. Called at the first hidinit, which comes while the window is being created.
void WriteOnce();

} // namespace WindowReport
