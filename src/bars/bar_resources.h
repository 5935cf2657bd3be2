#pragma once
#include <string>

// The full path of an interface picture in the program's resources folder.
std::wstring BarResource(const wchar_t* name);
