// What each command of the main window does.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "app_config.h"
#include "browse_instances.h"
#include "command_ids.h"
#include "current_folder_image.h"
#include "current_picture.h"
#include "dlg_delete_confirm2.h"
#include "file_dialogs.h"
#include "language.h"
#include "map_link.h"
#include "wic_image_loader.h"
#include "hubcore_client.h"
#include "main_messages.h"
#include "orbview_dlg.h"
#include "pending_operations.h"
#include "save_as_name.h"
#include "picture_opening.h"

bool COrbviewDlg::RunCommand(int id) {
    CAppConfig* config = CAppConfig::Instance();
    switch (id) {
    case kCloseButtonId:
        RequestClose();
        return true;
    case kMaxButtonId:
        ::SendMessageW(m_hWnd, WM_SYSCOMMAND, ::IsZoomed(m_hWnd) ? SC_RESTORE : SC_MAXIMIZE, 0);
        return true;
    case kMinButtonId:
        ::SendMessageW(m_hWnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        return true;
    case kFullScreenButtonId:
    case kCmdFullScreen:
        ToggleFullScreen();
        return true;
    case kCmdAlwaysOnTop: {
        const bool topmost = (::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        ::SetWindowPos(m_hWnd, topmost ? HWND_NOTOPMOST : HWND_TOPMOST, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE);
        return true;
    }
    case kCmdWheelSwitches:
    case kCmdWheelZooms:
        config->mouseWheelAction = id == kCmdWheelZooms ? 1 : 0;
        config->showWheelFavorite = 0;
        return true;
    case kCmdToolbarTop:
    case kCmdToolbarBottom:
        config->toolbarDock = id == kCmdToolbarBottom ? 1 : 0;
        LayoutChildren();
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        return true;
    case kCmdShowInFolder: {
        const std::wstring path = CCurrentPicture::Instance()->Path();
        if (path.empty() || !::PathFileExistsW(path.c_str())) return true;
        PIDLIST_ABSOLUTE item = ::ILCreateFromPathW(path.c_str());
        if (item) {
            ::SHOpenFolderAndSelectItems(item, 0, nullptr, 0);
            ::ILFree(item);
        }
        return true;
    }
    case kCmdShowLocation:
        if (auto loader = CCurrentPicture::Instance()->Loader())
            ShowOnMap(loader->Info().gpsPosition);
        SendUsageEvent(L"feature", L"location");
        return true;
    case kCmdResize:
        if (CCurrentPicture::Instance()->Path().empty()) return true;
        SendUsageEvent(L"feature", L"clip");
        pending_ops::ResizeCurrent(m_hWnd);
        return true;
    case kCmdNothing:
        return true;
    case kCmdRefresh:
        m_imageView.ShowCurrentImage();
        return true;
    case kCmdInfoPanel: m_toolbar.ToggleInfoPanel(); return true;
    case kCmdActualSize: m_imageView.ToggleActual(); return true;
    case kCmdZoomIn: m_imageView.ZoomStep(+1); return true;
    case kCmdZoomOut: m_imageView.ZoomStep(-1); return true;
    case kCmdPrevious:
    case kCmdNext: {
        const std::wstring path = NeighbourPicture(id == kCmdNext ? +1 : -1);
        if (!path.empty()) OpenPath(path);
        return true;
    }
    case kCmdRotateLeft: m_imageView.RotateCurrent(0); return true;
    case kCmdRotateRight: m_imageView.RotateCurrent(1); return true;
    case kCmdScrollUp: m_imageView.ScrollVertical(+1); return true;
    case kCmdScrollDown: m_imageView.ScrollVertical(-1); return true;
    case kCmdDelete: DeleteCurrent(); return true;
    case kCmdEnhance: m_toolbar.ToggleEnhance(); return true;
    case kCmdMainMenu: m_menubar.ShowMainMenu(); return true;
    case kCmdConvert: pending_ops::ConvertCurrent(m_hWnd); return true;
    case kCmdOpen: {
        wchar_t format[1024] = {};
        ::LoadStringW(::GetModuleHandleW(nullptr), 500, format, 1024);
        std::wstring filter = format;
        const size_t slot = filter.find(L"%s");
        if (slot != std::wstring::npos) filter.replace(slot, 2, GetText(L"FILE", L"SUPPORT_FILE"));
        std::wstring folder = CCurrentPicture::Instance()->Path();
        const size_t slash = folder.find_last_of(L'\\');
        folder = slash == std::wstring::npos ? std::wstring() : folder.substr(0, slash);
        const std::wstring chosen = DlgOpenFile(m_hWnd, filter, folder);
        if (!chosen.empty()) OpenPath(chosen);
        return true;
    }
    case kCmdSaveAs: {
        const std::wstring current = CCurrentPicture::Instance()->Path();
        if (current.empty()) return true;
        const std::wstring suggested = SuggestSaveAsName(current, [](const std::wstring& p) {
            return ::PathFileExistsW(p.c_str()) != FALSE;
        });
        const std::wstring chosen = DlgSaveAsFile(m_hWnd, suggested);
        if (!chosen.empty()) pending_ops::SaveCurrentAs(chosen);
        return true;
    }
    case kCmdCopy: CopyPictureToClipboard(*CCurrentPicture::Instance()); return true;
    case kCmdPrint: pending_ops::PrintCurrent(m_hWnd); return true;
    case kCmdWallpaper: pending_ops::SetAsWallpaper(); return true;
    case kCmdOpenWith: pending_ops::OpenWith(m_hWnd); return true;
    case kCmdSettings: pending_ops::ShowSettings(m_hWnd, 0); return true;
    case kCmdAbout: pending_ops::ShowAbout(m_hWnd); return true;
    case kCmdFeedback: pending_ops::ShowFeedback(m_hWnd); return true;
    case kCmdDefaultViewer:
        config->setDefaultViewer = config->setDefaultViewer ? 0 : 1;
        pending_ops::ApplyDefaultViewer(config->setDefaultViewer);
        return true;
    default:
        return false;
    }
}

namespace {
// The shell's delete of one file; with undo it goes to the recycle bin.
void ShellDelete(const std::wstring& path, FILEOP_FLAGS flags) {
    std::wstring list = path;
    list.push_back(L'\0');  // the list ends with two zeros
    SHFILEOPSTRUCTW op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = list.c_str();
    op.fFlags = flags;
    ::SHFileOperationW(&op);
}
}  // namespace

void COrbviewDlg::DeleteCurrent() {
    const std::wstring path = CCurrentPicture::Instance()->Path();
    if (path.empty() || !::PathFileExistsW(path.c_str())) return;
    if (CAppConfig::Instance()->showDeleteConfirm) {
        DlgDeleteConfirm2 confirm;
        if (confirm.DoModal() != kDlgConfirm) return;
    }
    ShellDelete(path, FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT);
    if (::PathFileExistsW(path.c_str())) {
        // Let the shell explain what stands in the way.
        ShellDelete(path, FOF_ALLOWUNDO);
        return;
    }
    OpenPath(GetFolderImage()->Remove(path));
}
