#pragma once
#include <functional>
#include <string>

// The suggested save-as name: the path without its extension plus "(n).jpg", the first n from
// 1 whose file does not exist; n stops at 99.
std::wstring SuggestSaveAsName(const std::wstring& path,
                               const std::function<bool(const std::wstring&)>& exists);
