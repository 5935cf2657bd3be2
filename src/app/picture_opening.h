#pragma once
// Opening a picture in the main window.
#include <string>

// True when the file's extension is one of the picture formats the viewer reads.
bool IsSupportedPictureFile(const std::wstring& path);
// Opens path as the current picture and shows it; an empty path shows the start page.
void OpenPictureInView(const std::wstring& path);
// Lets the current picture report what it opens to the window title.
void ConnectPictureToTitle();
