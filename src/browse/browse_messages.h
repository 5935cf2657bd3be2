#pragma once
// Messages of the folder list and the preload cache.
#include <windows.h>

// To the folder list's own window: a scan finished; wParam a FolderScanResult*.
constexpr UINT kMsgFolderScanFinished = 0x8032;
// To the image view: the folder list changed.
constexpr UINT kMsgFolderListChanged = 0x81F9;
// To the pre-renderer: the picture it waits for has been warmed up in the thumbnail cache.
constexpr UINT kMsgPreloadWarmedUp = 0x81F8;
