#include "window_report.h"

#include "utf8.h"

#include <windows.h>

#include <cstdio>

namespace WindowReport {
namespace {

// Counts the icon's pixels by kind: transparent, black, yellow (255,255,0), other.
void DescribeIcon(FILE* report, HICON icon) {
    ICONINFO info = {};
    if (icon == nullptr || !GetIconInfo(icon, &info)) {
        std::fprintf(report, "large_icon_pixels none\n");
        return;
    }
    BITMAP colour = {};
    GetObjectW(info.hbmColor, sizeof colour, &colour);
    const int width = colour.bmWidth;
    const int height = colour.bmHeight;
    BITMAPINFO format = {};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    static DWORD pixels[64 * 64];
    static DWORD mask[64 * 64];
    int counts[4] = {};
    HDC screen = GetDC(nullptr);
    if (width * height <= 64 * 64 &&
        GetDIBits(screen, info.hbmColor, 0, static_cast<UINT>(height), pixels, &format,
                  DIB_RGB_COLORS) != 0 &&
        GetDIBits(screen, info.hbmMask, 0, static_cast<UINT>(height), mask, &format,
                  DIB_RGB_COLORS) != 0) {
        for (int i = 0; i < width * height; ++i) {
            const DWORD rgb = pixels[i] & 0xFFFFFF;
            const int kind = (mask[i] & 0xFFFFFF) != 0 ? 0 : rgb == 0 ? 1 : rgb == 0xFFFF00 ? 2 : 3;
            ++counts[kind];
        }
    }
    ReleaseDC(nullptr, screen);
    std::fprintf(report, "large_icon_pixels %dx%d transparent %d black %d yellow %d other %d\n",
                 width, height, counts[0], counts[1], counts[2], counts[3]);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

void DescribeFont(FILE* report, int id, HFONT font) {
    LOGFONTW f = {};
    if (font == nullptr || GetObjectW(font, sizeof f, &f) != sizeof f) {
        std::fprintf(report, "control %d font none\n", id);
        return;
    }
    const std::string face = Utf8::FromWide(f.lfFaceName);
    std::fprintf(report, "control %d font %ld %ld %ld %ld %ld %d %d %d %d %d %d %d %d %s\n", id,
                 f.lfHeight, f.lfWidth, f.lfEscapement, f.lfOrientation, f.lfWeight, f.lfItalic,
                 f.lfUnderline, f.lfStrikeOut, f.lfCharSet, f.lfOutPrecision, f.lfClipPrecision,
                 f.lfQuality, f.lfPitchAndFamily, face.c_str());
}

BOOL CALLBACK DescribeWindow(HWND window, LPARAM parameter) {
    auto* report = reinterpret_cast<FILE*>(parameter);
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (lstrcmpW(className, L"NORMAL0") != 0) {
        return TRUE;
    }
    const auto stock = [](HANDLE a, HANDLE b) { return a == b ? 1 : 0; };
    std::fprintf(report, "class_icon_is_stock_application %d\n",
                 stock(reinterpret_cast<HANDLE>(GetClassLongPtrW(window, GCLP_HICON)),
                       LoadIconW(nullptr, IDI_APPLICATION)));
    std::fprintf(report, "class_small_icon_is_stock_winlogo %d\n",
                 stock(reinterpret_cast<HANDLE>(GetClassLongPtrW(window, GCLP_HICONSM)),
                       LoadIconW(nullptr, IDI_WINLOGO)));
    std::fprintf(report, "class_cursor_is_stock_arrow %d\n",
                 stock(reinterpret_cast<HANDLE>(GetClassLongPtrW(window, GCLP_HCURSOR)),
                       LoadCursorW(nullptr, IDC_ARROW)));
    LOGBRUSH brush = {};
    GetObjectW(reinterpret_cast<HGDIOBJ>(GetClassLongPtrW(window, GCLP_HBRBACKGROUND)),
               sizeof brush, &brush);
    std::fprintf(report, "class_background style %u colour %06lx button_face %06lx\n",
                 brush.lbStyle, brush.lbColor, GetSysColor(COLOR_BTNFACE));
    const auto largeIcon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0));
    const auto smallIcon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
    std::fprintf(report, "large_icon %d small_icon %d\n", largeIcon != nullptr ? 1 : 0,
                 smallIcon != nullptr ? 1 : 0);
    DescribeIcon(report, largeIcon);
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        DescribeFont(report, GetDlgCtrlID(child),
                     reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)));
    }
    return TRUE;
}

} // namespace

void WriteOnce() {
    static bool written = false;
    wchar_t path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"HID2_WINDOW_REPORT", path, MAX_PATH);
    if (written || length == 0 || length >= MAX_PATH) {
        return;
    }
    written = true;
    FILE* report = _wfopen(path, L"w");
    if (report != nullptr) {
        EnumThreadWindows(GetCurrentThreadId(), DescribeWindow, reinterpret_cast<LPARAM>(report));
        std::fclose(report);
    }
}

} // namespace WindowReport
