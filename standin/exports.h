// The stand-in's three exports in the calling convention of the build: stdcall, or with
// HID2_STANDIN_CDECL the caller-pops cdecl, as some libraries are. With
// HID2_STANDIN_EXPORTS_BY_DEF a definition file linked in names the exports instead.
#pragma once

#if defined(HID2_STANDIN_EXPORTS_BY_DEF)
#define HID2_EXPORT extern "C" int __stdcall
#elif defined(HID2_STANDIN_CDECL)
#define HID2_EXPORT extern "C" __declspec(dllexport) int __cdecl
#else
#define HID2_EXPORT extern "C" __declspec(dllexport) int __stdcall
#endif
