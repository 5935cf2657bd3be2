#pragma once
// Shared helpers of the folder list and preload cache tests: a temporary folder of files and a
// window that counts what it is told. Waiting with a message loop comes from the driver.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "folder_position_sink.h"
#include "message_window.h"
#include "pelion_driver.h"

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

// Runs the message loop until pred holds or the time is up.
template <class Pred>
bool PumpUntil(Pred pred, DWORD timeoutMs = 10000) {
    return driver::WaitUntil(pred, timeoutMs);
}
// A file of the folder the test programs are built into.
std::wstring TestBinFile(const wchar_t* relative);

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
    std::pair<int, int> Last() const {
        return calls.empty() ? std::make_pair(-9, -9) : calls.back();
    }
    std::vector<std::pair<int, int>> calls;
};
