#pragma once
// Shared helpers of the folder list and preload cache tests: a temporary folder of files, a
// message loop with a deadline and a window that counts what it is told.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "folder_position_sink.h"
#include "message_window.h"

// A fresh folder under the temporary folder, deleted with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Path() const { return m_path; }
    std::wstring operator/(const std::wstring& name) const { return m_path + L"\\" + name; }
    // An empty file.
    void AddFile(const std::wstring& name) const;
    void AddFolder(const std::wstring& name) const;
    void Delete(const std::wstring& name) const;
    // Removes the folder and its content now.
    void RemoveAll() const;

private:
    std::wstring m_path;
};

bool PathExists(const std::wstring& path);

// Runs the message loop until pred holds or the time is up.
template <class Pred>
bool PumpUntil(Pred pred, int timeoutMs = 10000) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (pred()) return true;
        if (::GetTickCount() - start > DWORD(timeoutMs)) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}
void PumpFor(int ms);

// Counts the folder list's and the preload cache's notifications.
class NotifyCounter : public FCMessageWindow {
public:
    NotifyCounter() { Create(nullptr); }
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    int listChanged = 0;
    int warmedUp = 0;
};

class PositionRecorder : public IFolderPositionSink {
public:
    void SetPosition(int index, int count) override { calls.emplace_back(index, count); }
    std::pair<int, int> Last() const { return calls.empty() ? std::make_pair(-9, -9) : calls.back(); }
    std::vector<std::pair<int, int>> calls;
};
