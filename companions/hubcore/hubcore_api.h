#pragma once
// The calls the viewer makes into hubcore.dll, looked up by name at run time.

// Plug-in wrapper handed out by CreatePLibWrapper; the viewer calls it by slot.
struct IPLibWrapper {
    virtual int Init(int flags, const wchar_t* product, int reserved) = 0;  // slot 0
    virtual void Uninit() = 0;                                              // slot 1
    virtual void Reserved2() = 0;                                           // slot 2
    virtual void Reserved3() = 0;                                           // slot 3
    virtual void SetQuickIndex(int value) = 0;                              // slot 4
    virtual int GetQuickIndex() = 0;                                        // slot 5
};

extern "C" {
typedef void(__cdecl* PFN_StartStat)();
typedef int(__cdecl* PFN_SendStatUrl)(const wchar_t* category, const wchar_t* event);
typedef void(__cdecl* PFN_WaitStatComplete)(int milliseconds);
typedef const wchar_t*(__cdecl* PFN_GetOsVersion)();
typedef IPLibWrapper*(__cdecl* PFN_CreatePLibWrapper)();
typedef void*(__cdecl* PFN_CreateMultiTabWebView)();
}
