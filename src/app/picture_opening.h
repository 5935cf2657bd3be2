#pragma once
// Opening a picture in the main window.
#include <string>

// True when the file's extension is one of the picture formats the viewer reads.
bool IsSupportedPictureFile(const std::wstring& path);
// Lets the current picture and the folder list report to the window title and the view.
void ConnectPictureToTitle();
// The picture before (-1) or after (+1) the current one in its folder, or empty; a found one
// sets the direction the preload cache warms up in.
std::wstring NeighbourPicture(int offset);
