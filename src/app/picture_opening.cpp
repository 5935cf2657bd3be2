#include "picture_opening.h"

#include <windows.h>
#include <shlwapi.h>

#include "current_picture.h"
#include "image_type.h"
#include "picture_title_sink.h"
#include "window_title.h"

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
}  // namespace

void ConnectPictureToTitle() {
    static CTitleSink sink;
    CCurrentPicture::Instance()->SetTitleSink(&sink);
}

void OpenPictureInView(const std::wstring& path) {
    CCurrentPicture::Instance()->Open(path);
    // Until the image view lands the window shows the picture's title only.
    CWindowTitle::Instance()->Recompose();
}
