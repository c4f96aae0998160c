// What hid2check finds out about the library before running any of its code: where it
// is, the file and its kind, its export names. Every finding goes to the console.
#pragma once

#include "pe_image.h"
#include "report.h"

#include <cstdint>
#include <string>

namespace LibraryFindings {

// The HID2.DLL that Windows would give a KORVAN3.exe in hid2check's folder, named with
// where it was found and any later one it wins over; empty when there is none.
std::wstring LibraryWindowsWouldLoad();

// The file and its kind: what stops KORVAN3.exe before Windows even tries the library.
// False, with the verdict's reason in `problem`, when it would.
bool CheckFile(const std::wstring& path, PeImage::Description& image, std::string& problem);

// The export names, as the file spells them, with advice for each near miss.
Report::Names CheckNames(const PeImage::Description& image);

// Windows' own words for an error, in the language of the findings where it has them.
std::string SystemMessage(uint32_t error);

} // namespace LibraryFindings
