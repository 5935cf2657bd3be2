#pragma once
// The preload cache: warms the shell's thumbnail cache for the neighbours of the picture on
// screen and draws a quick preview of that picture while its full decode still runs.
#include <windows.h>

#include <deque>
#include <set>
#include <string>
#include <vector>

#include "async_task.h"
#include "preload_plan.h"

// Makes the shell extract and store the large thumbnail of one picture.
class CAsyncCreateSystemCache : public CAsyncTask {
public:
    explicit CAsyncCreateSystemCache(const std::wstring& path);

    void Run() override;
    void OnFinished() override;

    void SetNotifyWindow(HWND window) { m_notify = window; }
    const std::wstring& Path() const { return m_path; }
    std::wstring Name() const;

private:
    HWND m_notify = nullptr;
    std::wstring m_path;
};

class CSystemCache : public CAsyncTaskQueue {
public:
    CSystemCache();

    int MaxRunning() override;
    void OnTaskStarting(CAsyncTask* task) override;

    // The folder list's new position: queues warm-ups for the neighbours.
    void Update(const std::wstring& folder, int currentIndex,
                const std::deque<std::wstring>& names);
    // Lets warm-ups run; the view calls it once the picture on screen has been drawn.
    void Start();
    void SetDirection(int direction) { m_direction = direction; }
    // True when the current picture is being warmed up right now; window then receives 0x81F8.
    bool NotifyWhenWarmedUp(HWND window);
    // A preview of the current picture at width x height into *bitmap (replaced only when
    // something is drawn). True when it is good enough to show for the picture.
    bool CreateQuickPreview(int width, int height, HBITMAP* bitmap);

    int Direction() const { return m_direction; }
    bool Started() const { return m_started != 0; }
    const std::wstring& Folder() const { return m_folder; }
    const std::set<std::wstring>& Requested() const { return m_requested; }
    std::vector<std::wstring> QueuedPaths() const;
    std::vector<std::wstring> RunningPaths() const;

private:
    int m_direction = kDirectionNone;
    std::set<std::wstring> m_requested;  // names, exact comparison
    std::wstring m_folder;
    int m_started = 0;
};
