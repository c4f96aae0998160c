// The environment variables the stand-in HID2.DLL reads to pass its calls on and to record
// them, named once for the stand-in and for hid2check --record, which sets them. No board
// maker's library reads HID2_FORWARD: a library whose file holds that name is a stand-in.
#pragma once

namespace StandInVariables {

// The library every call is passed on to.
constexpr const wchar_t* FORWARD = L"HID2_FORWARD";
// The file each call is recorded in.
constexpr const wchar_t* LOG = L"HID2_LOG";

} // namespace StandInVariables
