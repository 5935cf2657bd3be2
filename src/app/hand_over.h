#pragma once
// Requests passed to a running instance by WM_COPYDATA.
#include <windows.h>

#include <string>

constexpr ULONG_PTR kHandOverCopyDataId = 0x22678201;
extern const wchar_t kMainWindowClass[];
extern const wchar_t kIdleMainTitle[];
extern const wchar_t kSingleInstanceReceiverTitle[];
extern const wchar_t kAlwaysReceiverTitle[];

// Sends text to the window; true when the receiver accepted it.
bool SendHandOver(HWND target, const std::wstring& text);
// Sends to the message-only window with this title; false when there is none or it refused.
bool SendToReceiver(const wchar_t* title, const std::wstring& text);
// The text of a received hand-over, or false when the data is not a well-formed request.
bool ReadHandOver(const COPYDATASTRUCT* data, std::wstring& text);
