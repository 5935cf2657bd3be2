#include "current_folder_image.h"

#include <process.h>

#include "app_config.h"
#include "auto_init.h"
#include "browse_instances.h"
#include "browse_messages.h"
#include "folder_position_sink.h"
#include "folder_scan.h"
#include "system_cache.h"

// What one scan shares between its thread and the list: the thread reads only its own copies
// and writes only the result and the done mark.
struct FolderScan {
    std::wstring folder;
    std::wstring name;
    HWND window = nullptr;
    std::atomic<int32_t> stop{0};
    std::atomic<bool> done{false};
    FolderScanResult result;
};

namespace {

unsigned __stdcall ScanThreadProc(void* param) {
    std::unique_ptr<std::shared_ptr<FolderScan>> owned(
        static_cast<std::shared_ptr<FolderScan>*>(param));
    FolderScan& scan = **owned;
    FCAutoInitializeCOM com;
    try {
        ScanFolder(scan.folder, scan.name, scan.stop, scan.result);
    } catch (...) {
        // Out of memory on a huge folder: hand back "not found" so the scan still ends.
        scan.result.subfolders.clear();
        scan.result.names.clear();
        scan.result.index = -1;
    }
    scan.done = true;
    // A stopped scan's window is already gone; a send to it would fail anyway.
    if (!scan.stop.load())
        ::SendMessageW(scan.window, kMsgFolderScanFinished, reinterpret_cast<WPARAM>(&scan.result),
                       0);
    return 0;
}

const DWORD kFinalScanWaitMs = 1000;

std::wstring WithBackslashes(std::wstring path) {
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

}  // namespace

CCurrentFolderImage::CCurrentFolderImage() = default;

// Lets a last scan end before the program goes on to tear down what the process shares.
CCurrentFolderImage::~CCurrentFolderImage() { StopScan(kFinalScanWaitMs); }

bool CCurrentFolderImage::LoopInFolder() { return CAppConfig::Instance()->viewFolderLoop != 0; }

void CCurrentFolderImage::SetFile(HWND notify, const std::wstring& path) {
    m_notify = notify;
    std::wstring folder, name;
    SplitPicturePath(WithBackslashes(path), folder, name);
    if (name.empty()) {
        Reset();
        return;
    }
    if (IsScanning()) {
        StopScan();
    } else if (m_model.MoveTo(folder, name)) {
        ReportPosition(m_model.CurrentIndex(), m_model.Count());
        HandToPreloadCache();
        if (m_notify && ::IsWindow(m_notify)) ::SendMessageW(m_notify, kMsgFolderListChanged, 0, 0);
        return;
    }
    m_model.Start(folder, name);
    ReportPosition(0, 1);
    StartScan();
}

void CCurrentFolderImage::StartScan() {
    if (!Create(nullptr)) return;
    // A relative path has no folder to list; the list keeps the one picture.
    if (m_model.Folder().empty()) {
        DestroyWindow();
        return;
    }
    auto scan = std::make_shared<FolderScan>();
    scan->folder = m_model.Folder();
    scan->name = m_model.Names().front();
    scan->window = GetSafeHwnd();
    std::unique_ptr<std::shared_ptr<FolderScan>> forThread(new std::shared_ptr<FolderScan>(scan));
    const uintptr_t thread =
        ::_beginthreadex(nullptr, 0, &ScanThreadProc, forThread.get(), 0, nullptr);
    if (!thread) {
        DestroyWindow();
        return;
    }
    forThread.release();  // the thread owns it now
    m_scan = scan;
    m_scanThread.reset(reinterpret_cast<HANDLE>(thread));
}

void CCurrentFolderImage::StopScan() { StopScan(0); }

void CCurrentFolderImage::StopScan(DWORD waitMs) {
    // Destroyed first, so a scan thread about to send its result fails instead of reaching us.
    DestroyWindow();
    if (!m_scanThread) return;
    m_scan->stop.store(1);
    // The thread owns what it uses, so it may end on its own: a folder on a slow share or a
    // hung Explorer window must not freeze the user interface. Only at the end do we wait a
    // little, answering a send that was already queued for the old window.
    HANDLE thread = m_scanThread.get();
    const ULONGLONG end = ::GetTickCount64() + waitMs;
    for (ULONGLONG now = ::GetTickCount64(); waitMs && now < end; now = ::GetTickCount64()) {
        if (::MsgWaitForMultipleObjects(1, &thread, FALSE, DWORD(end - now), QS_SENDMESSAGE) !=
            WAIT_OBJECT_0 + 1)
            break;
        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    m_scanThread.reset();
    m_scan.reset();
}

LRESULT CCurrentFolderImage::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kMsgFolderScanFinished) {
        // Only our own scan's finished result is taken; anyone can send to a window.
        if (m_scan && m_scan->done.load() && wParam == reinterpret_cast<WPARAM>(&m_scan->result))
            OnScanFinished(m_scan->result);
        return 0;
    }
    return FCMessageWindow::OnMessage(msg, wParam, lParam);
}

void CCurrentFolderImage::OnScanFinished(FolderScanResult& result) {
    m_model.Adopt(result);
    // The thread may finish now.
    if (::InSendMessage()) ::ReplyMessage(0);
    m_scanThread.reset();
    m_scan.reset();
    DestroyWindow();
    ReportPosition(m_model.CurrentIndex(), m_model.Count());
    if (m_notify && ::IsWindow(m_notify)) ::PostMessageW(m_notify, kMsgFolderListChanged, 0, 0);
    HandToPreloadCache();
}

std::wstring CCurrentFolderImage::GetNeighbour(int offset) const {
    if (IsScanning()) return std::wstring();
    return m_model.GetNeighbour(offset, LoopInFolder());
}

bool CCurrentFolderImage::CanMove(int offset) const {
    return !IsScanning() && m_model.CanMove(offset, LoopInFolder());
}

std::wstring CCurrentFolderImage::Remove(const std::wstring& path) {
    if (IsScanning()) Reset();
    std::wstring folder, name;
    SplitPicturePath(WithBackslashes(path), folder, name);
    // A file of another folder is not ours, whatever its name.
    if (!EqualsIgnoreCase(folder, m_model.Folder())) name.clear();
    std::wstring next = m_model.Remove(name);
    if (next.empty()) Reset();
    return next;
}

void CCurrentFolderImage::Reset() {
    // A scan still running would otherwise hand its list to the emptied object.
    StopScan();
    m_notify = nullptr;
    m_model.Reset();
}

void CCurrentFolderImage::ReportPosition(int index, int count) {
    if (m_positionSink) m_positionSink->SetPosition(index, count);
}

void CCurrentFolderImage::HandToPreloadCache() {
    GetSystemCache()->Update(m_model.Folder(), m_model.CurrentIndex(), m_model.Names());
}
