#include "picture_opening.h"

#include <windows.h>
#include <shlwapi.h>

#include "browse_instances.h"
#include "current_folder_image.h"
#include "current_picture.h"
#include "folder_position_sink.h"
#include "system_cache.h"
#include "image_type.h"
#include "picture_title_sink.h"
#include "window_title.h"
#include "wnd_main_image_view.h"

bool IsSupportedPictureFile(const std::wstring& path) { return GetImageType(path) != 0; }

namespace {
// The current picture reports what it opened to the window title.
class CTitleSink : public IPictureTitleSink {
public:
    void SetPicture(const std::wstring& path, const std::wstring* dateText, int width,
                    int height) override {
        CWindowTitle::Instance()->SetPicture(path, dateText, width, height);
    }
};

// The folder list reports the picture's place in its folder to the window title.
class CPositionSink : public IFolderPositionSink {
public:
    void SetPosition(int index, int count) override {
        CWindowTitle::Instance()->SetPosition(index, count);
    }
};
}  // namespace

void ConnectPictureToTitle() {
    static CTitleSink sink;
    static CPositionSink position;
    CCurrentPicture::Instance()->SetTitleSink(&sink);
    GetFolderImage()->SetPositionSink(&position);
    FolderNavigation navigation;
    navigation.collect = [](HWND notify, const std::wstring& path) {
        GetFolderImage()->SetFile(notify, path);
    };
    navigation.canMove = [](int offset) { return GetFolderImage()->CanMove(offset); };
    WndMainImageView::SetFolderNavigation(std::move(navigation));
}

std::wstring NeighbourPicture(int offset) {
    const std::wstring path = GetFolderImage()->GetNeighbour(offset);
    if (!path.empty()) GetSystemCache()->SetDirection(offset < 0 ? 2 : 1);
    return path;
}
