#pragma once
// What the current picture tells the window title when a picture is opened. The main window's
// title model implements it.
#include <string>

class IPictureTitleSink {
public:
    virtual ~IPictureTitleSink() = default;
    // dateText is null when the picture could not be decoded.
    virtual void SetPicture(const std::wstring& path, const std::wstring* dateText, int width,
                            int height) = 0;
};
