#pragma once
// Reading the first file of a drop without trusting the handle.
#include <windows.h>

#include <string>

// The first file named by a drop handle of this process, or false when the handle is not a
// well-formed file list. The caller finishes the drop.
bool FirstDroppedFile(HDROP drop, std::wstring& file);
