#pragma once

#include <windows.h>

// The size of an icon's image in pixels; 0 x 0 for no icon.
inline SIZE IconSize(HICON icon)
{
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info))
        return {0, 0};
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    // A monochrome icon keeps its image and its mask one above the other in one bitmap.
    const SIZE size{bitmap.bmWidth, info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2};
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return size;
}
