#pragma once
// Where the folder list reports the position of the picture on screen. The main window's title
// implements it; the folder list does not know the window.
class IFolderPositionSink {
public:
    virtual ~IFolderPositionSink() = default;
    // index counts from 0; the title shows index + 1 of count.
    virtual void SetPosition(int index, int count) = 0;
};
