#pragma once
// Small text helpers shared by the subsystems; no platform headers.
#include <cstdint>
#include <string>
#include <vector>

namespace textutil {

// Decimal conversion that skips leading blanks, takes one sign and stops at the first non-digit
// ("abc" gives 0). Saturates instead of overflowing.
int64_t ParseInt64Prefix(const std::wstring& text);

// Like the shell's string-to-int: optional leading minus, digits, stops at the first non-digit;
// no leading blanks. Saturates to the int32 range.
int32_t ParseInt32Strict(const std::wstring& text);

std::vector<std::wstring> Split(const std::wstring& text, wchar_t sep);

wchar_t FoldCase(wchar_t c);
bool EqualsNoCase(const std::wstring& a, const std::wstring& b);
bool StartsWithNoCase(const std::wstring& text, const std::wstring& prefix);
bool ContainsNoCase(const std::wstring& text, const std::wstring& part);

std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);

}  // namespace textutil
