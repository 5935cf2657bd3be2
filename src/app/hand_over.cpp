#include "hand_over.h"

const wchar_t kMainWindowClass[] = L"PelionMainFrameClass-b1f78b3cc4bd764c";
const wchar_t kIdleMainTitle[] = L"晴光影览";
const wchar_t kSingleInstanceReceiverTitle[] = L"43AF68E358C97DCF97C45EA164F";
const wchar_t kAlwaysReceiverTitle[] = L"IPC-2FF8B16C98D54B499063C7F270264781_Always";

namespace {
// A hung peer must not freeze this start for ever.
constexpr UINT kHandOverTimeoutMs = 15000;
// Longest request accepted, in characters; paths and command lines stay far below it.
constexpr size_t kMaxHandOverChars = 32768;
}  // namespace

bool SendHandOver(HWND target, const std::wstring& text) {
    if (text.size() > kMaxHandOverChars) return false;
    COPYDATASTRUCT cds = {};
    cds.dwData = kHandOverCopyDataId;
    cds.cbData = DWORD((text.size() + 1) * sizeof(wchar_t));
    cds.lpData = const_cast<wchar_t*>(text.c_str());
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds),
                               SMTO_NORMAL | SMTO_ABORTIFHUNG, kHandOverTimeoutMs, &result))
        return false;
    return result != 0;
}

bool SendToReceiver(const wchar_t* title, const std::wstring& text) {
    HWND receiver = ::FindWindowExW(HWND_MESSAGE, nullptr, nullptr, title);
    return receiver && SendHandOver(receiver, text);
}

bool ReadHandOver(const COPYDATASTRUCT* data, std::wstring& text) {
    text.clear();
    if (!data || data->dwData != kHandOverCopyDataId || !data->lpData) return false;
    if (data->cbData < sizeof(wchar_t) || data->cbData % sizeof(wchar_t) != 0) return false;
    const size_t chars = data->cbData / sizeof(wchar_t);
    if (chars > kMaxHandOverChars + 1) return false;
    const wchar_t* p = static_cast<const wchar_t*>(data->lpData);
    // Take the text up to its terminating zero, never past the buffer.
    size_t len = 0;
    while (len < chars && p[len] != 0) ++len;
    if (len == chars) return false;
    text.assign(p, len);
    return true;
}
