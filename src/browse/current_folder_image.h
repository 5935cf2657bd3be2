#pragma once
// The pictures of the folder of the picture on screen, in Explorer's or natural order, and the
// position of that picture. Lists the folder on a scan thread; used on the user-interface thread.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "folder_list_model.h"
#include "message_window.h"
#include "win_handle.h"

class IFolderPositionSink;
struct FolderScan;

class CCurrentFolderImage : public FCMessageWindow {
public:
    CCurrentFolderImage();
    ~CCurrentFolderImage() override;

    void SetPositionSink(IFolderPositionSink* sink) { m_positionSink = sink; }

    // The picture now on screen; notify receives 0x81F9 when the list changes.
    void SetFile(HWND notify, const std::wstring& path);
    // The full path at offset (+1 or -1), or empty when there is nowhere to go.
    std::wstring GetNeighbour(int offset) const;
    bool CanMove(int offset) const;
    // A file was deleted: the path to show next, or empty.
    std::wstring Remove(const std::wstring& path);
    void Reset();
    // Stops a running scan without waiting for its thread; its result never arrives.
    void StopScan();

    bool IsScanning() const { return bool(m_scanThread); }
    const std::wstring& Folder() const { return m_model.Folder(); }
    const std::deque<std::wstring>& Names() const { return m_model.Names(); }
    int CurrentIndex() const { return m_model.CurrentIndex(); }
    int Count() const { return m_model.Count(); }

    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void StartScan();
    void StopScan(DWORD waitMs);
    void OnScanFinished(FolderScanResult& result);
    void ReportPosition(int index, int count);
    void HandToPreloadCache();
    static bool LoopInFolder();

    HWND m_notify = nullptr;
    CFolderListModel m_model;  // folder, names and current index
    UniqueHandle m_scanThread;
    std::shared_ptr<FolderScan> m_scan;  // shared with the scan thread
    IFolderPositionSink* m_positionSink = nullptr;
};
