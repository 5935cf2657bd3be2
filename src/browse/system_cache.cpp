#include "system_cache.h"

#include <algorithm>

#include "app_config.h"
#include "browse_messages.h"
#include "current_picture.h"
#include "image_type.h"
#include "imaging_options.h"
#include "shell_thumbnail.h"
#include "wic_image_loader.h"

namespace {
bool IsWarmable(const std::wstring& name) { return IsThumbnailCacheType(GetImageType(name)); }
}  // namespace

CAsyncCreateSystemCache::CAsyncCreateSystemCache(const std::wstring& path) : m_path(path) {}

std::wstring CAsyncCreateSystemCache::Name() const {
    const size_t slash = m_path.find_last_of(L'\\');
    return slash == std::wstring::npos ? m_path : m_path.substr(slash + 1);
}

void CAsyncCreateSystemCache::Run() {
    if (!KeepRunning()) return;
    // Only the shell's side effect counts: it stores the thumbnail in its cache.
    CShellThumbnail thumbnail;
    thumbnail.Fetch(m_path, 0, CShellThumbnail::kModeWarmUp);
}

void CAsyncCreateSystemCache::OnFinished() {
    if (m_notify && ::IsWindow(m_notify)) ::SendMessageW(m_notify, kMsgPreloadWarmedUp, 0, 0);
}

CSystemCache::CSystemCache() = default;

int CSystemCache::MaxRunning() {
    return CAppConfig::Instance()->preloadEnable && m_started ? 1 : 0;
}

void CSystemCache::OnTaskStarting(CAsyncTask* task) {
    if (auto* warmUp = dynamic_cast<CAsyncCreateSystemCache*>(task))
        m_requested.insert(warmUp->Name());
}

void CSystemCache::Update(const std::wstring& folder, int currentIndex,
                          const std::deque<std::wstring>& names) {
    // A warm-up already running goes on: its name is already taken as requested.
    DiscardPending();
    if (folder != m_folder) {
        m_direction = kDirectionNone;
        m_requested.clear();
        m_folder = folder;
    }
    for (int i : PlanWarmUps(m_direction, currentIndex, names, m_requested, IsWarmable))
        Add(std::make_shared<CAsyncCreateSystemCache>(folder + L"\\" + names[size_t(i)]));
}

void CSystemCache::Start() {
    if (m_started) return;
    m_started = 1;
    Pump();
}

bool CSystemCache::NotifyWhenWarmedUp(HWND window) {
    const std::wstring& current = CCurrentPicture::Instance()->Path();
    for (const auto& entry : RunningTasks()) {
        auto* warmUp = dynamic_cast<CAsyncCreateSystemCache*>(entry.second.get());
        if (warmUp && warmUp->Path() == current) {
            warmUp->SetNotifyWindow(window);
            return true;
        }
    }
    return false;
}

bool CSystemCache::CreateQuickPreview(int width, int height, HBITMAP* bitmap) {
    if (!bitmap || width <= 0 || height <= 0) return false;
    CCurrentPicture* picture = CCurrentPicture::Instance();
    if (picture->HasPreview()) {
        // The view already drew this picture once: its best bitmap beats any thumbnail.
        IWICBitmap* preview = picture->Preview();
        UINT previewWidth = 0, previewHeight = 0;
        if (!preview || FAILED(preview->GetSize(&previewWidth, &previewHeight))) return false;
        std::shared_ptr<CWICImageLoader> loader = CWICImageLoader::FromSource(preview, nullptr);
        if (!loader || !loader->RenderToBitmap(width, height, bitmap)) return false;
        return previewWidth >= UINT(width);
    }
    const std::wstring& path = picture->Path();
    if (!IsThumbnailCacheType(GetImageType(path))) return false;
    std::shared_ptr<CWICImageLoader> loader = picture->Loader();
    const int transform = loader ? OrientationTransform(loader->Orientation()) : kTransformNone;
    // Colour managed like the full rendering: the profile applies unless the user ignores it.
    IWICColorContext* context =
        loader && !GetImagingOptions().ignoreEmbeddedIcc ? loader->ColorContext() : nullptr;
    CShellThumbnail thumbnail;
    if (!thumbnail.Fetch(path, UINT(std::max(width, height)), CShellThumbnail::kModePreview))
        return false;
    if (!RenderThumbnail(thumbnail.Bitmap(), thumbnail.AlphaType(), width, height, bitmap,
                         transform, context))
        return false;
    return thumbnail.Quality() != 1;
}

std::vector<std::wstring> CSystemCache::QueuedPaths() const {
    std::vector<std::wstring> paths;
    for (const auto& task : PendingTasks())
        if (auto* warmUp = dynamic_cast<const CAsyncCreateSystemCache*>(task.get()))
            paths.push_back(warmUp->Path());
    return paths;
}

std::vector<std::wstring> CSystemCache::RunningPaths() const {
    std::vector<std::wstring> paths;
    for (const auto& entry : RunningTasks())
        if (auto* warmUp = dynamic_cast<const CAsyncCreateSystemCache*>(entry.second.get()))
            paths.push_back(warmUp->Path());
    return paths;
}
