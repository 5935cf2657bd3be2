#pragma once
#include <string>

// Language file for a system locale name ("zh-CN" → "cn_simp.ini", unknown → "en.ini").
std::wstring LanguageFileForLocale(const std::wstring& locale);
bool IsChineseFileName(const std::wstring& name);
bool IsCJKFileName(const std::wstring& name);
// The process-wide name holds at most this many characters (terminating zero not counted).
constexpr size_t kMaxLanguageFileName = 31;
