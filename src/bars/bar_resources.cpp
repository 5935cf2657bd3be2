#include "bar_resources.h"

#include "folders.h"

std::wstring BarResource(const wchar_t* name) { return ProgramFolder() + L"resources\\" + name; }
