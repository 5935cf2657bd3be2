#include "pelion_driver.h"

#include "gdiplus_include.h"

#include "control_query.h"

#include <shlobj.h>
#include <tlhelp32.h>

#include <utility>

namespace driver {

const wchar_t kMainClass[] = L"PelionMainFrameClass-b1f78b3cc4bd764c";
const wchar_t kIdleTitle[] = L"晴光影览";

namespace {

std::wstring Parent(std::wstring path) {
    if (!path.empty() && path.back() == L'\\') path.pop_back();
    const size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? path : path.substr(0, slash + 1);
}

bool CopyTree(const std::wstring& from, const std::wstring& to, const std::wstring& rel,
              const std::vector<std::wstring>& skip) {
    ::CreateDirectoryW(to.c_str(), nullptr);
    WIN32_FIND_DATAW fd;
    HANDLE find = ::FindFirstFileW((from + L"*").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    do {
        const std::wstring name = fd.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring relName = rel + name;
        bool skipped = false;
        for (const auto& s : skip)
            if (::lstrcmpiW(s.c_str(), relName.c_str()) == 0) skipped = true;
        if (skipped) continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ok = CopyTree(from + name + L"\\", to + name + L"\\", relName + L"\\", skip) && ok;
        else
            ok = ::CopyFileW((from + name).c_str(), (to + name).c_str(), FALSE) && ok;
    } while (::FindNextFileW(find, &fd));
    ::FindClose(find);
    return ok;
}

struct EnumState {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTop(HWND hwnd, LPARAM lp) {
    auto* st = reinterpret_cast<EnumState*>(lp);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid == st->pid) st->found.push_back(hwnd);
    return TRUE;
}

}  // namespace

std::wstring TestBinFolder() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return Parent(path);
}

std::wstring DistFolder() { return Parent(TestBinFolder()) + L"dist\\"; }

std::wstring MakeProgramCopy(const std::wstring& name, const std::vector<std::wstring>& skip) {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring root = std::wstring(temp) + L"pelion-e2e\\";
    ::CreateDirectoryW(root.c_str(), nullptr);
    const std::wstring folder = root + name + L"\\";
    DeleteTree(folder);
    CopyTree(DistFolder(), folder, L"", skip);
    return folder;
}

std::wstring DataFolder() {
    wchar_t appData[MAX_PATH] = {};
    ::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData);
    return std::wstring(appData) + L"\\Pelion\\";
}

std::wstring ResetDataFolder() {
    const std::wstring folder = DataFolder();
    DeleteTree(folder);
    return folder;
}

bool DeleteTree(const std::wstring& path) {
    std::wstring dir = path;
    if (!dir.empty() && dir.back() == L'\\') dir.pop_back();
    const DWORD attr = ::GetFileAttributesW(dir.c_str());
    if (attr == INVALID_FILE_ATTRIBUTES) return true;
    if (!(attr & FILE_ATTRIBUTE_DIRECTORY)) return ::DeleteFileW(dir.c_str()) != FALSE;
    WIN32_FIND_DATAW fd;
    HANDLE find = ::FindFirstFileW((dir + L"\\*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..") continue;
            DeleteTree(dir + L"\\" + name);
        } while (::FindNextFileW(find, &fd));
        ::FindClose(find);
    }
    return ::RemoveDirectoryW(dir.c_str()) != FALSE;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(h, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    ::CloseHandle(h);
    return ok && written == bytes.size();
}

bool WriteUtf16File(const std::wstring& path, const std::wstring& text) {
    std::string bytes = "\xFF\xFE";
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    return WriteFileBytes(path, bytes);
}

std::string ReadFileBytes(const std::wstring& path) {
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::string();
    std::string out;
    char buf[65536];
    DWORD got = 0;
    while (::ReadFile(h, buf, sizeof(buf), &got, nullptr) && got > 0) out.append(buf, got);
    ::CloseHandle(h);
    return out;
}

bool FileExists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring ReadIni(const std::wstring& path, const wchar_t* section, const wchar_t* key) {
    wchar_t buf[4096] = {};
    ::GetPrivateProfileStringW(section, key, L"\n", buf, 4096, path.c_str());
    return buf;
}

void PumpFor(DWORD ms) {
    const ULONGLONG end = ::GetTickCount64() + ms;
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        const ULONGLONG now = ::GetTickCount64();
        if (now >= end) return;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(end - now), QS_ALLINPUT);
    }
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (::GetTickCount64() >= end) return false;
        PumpFor(20);
    }
}

Process::~Process() {
    if (m_process) {
        if (Running()) Kill();
        ::CloseHandle(m_process);
    }
}

Process::Process(Process&& o) noexcept
    : m_process(std::exchange(o.m_process, nullptr)), m_pid(std::exchange(o.m_pid, 0)) {}

Process& Process::operator=(Process&& o) noexcept {
    if (this != &o) {
        if (m_process) ::CloseHandle(m_process);
        m_process = std::exchange(o.m_process, nullptr);
        m_pid = std::exchange(o.m_pid, 0);
    }
    return *this;
}

Process Process::Start(const std::wstring& exe, const std::wstring& args) {
    std::wstring cmd = L"\"" + exe + L"\"";
    if (!args.empty()) cmd += L" " + args;
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    Process p;
    if (::CreateProcessW(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                         &pi)) {
        ::CloseHandle(pi.hThread);
        p.m_process = pi.hProcess;
        p.m_pid = pi.dwProcessId;
    }
    return p;
}

DWORD Process::WaitExit(DWORD timeoutMs) {
    if (!m_process) return DWORD(-2);
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        const ULONGLONG now = ::GetTickCount64();
        const DWORD left = now >= end ? 0 : DWORD(end - now);
        const DWORD r = ::MsgWaitForMultipleObjects(1, &m_process, FALSE, left, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) break;
        if (r == WAIT_OBJECT_0 + 1) {
            PumpFor(0);
            continue;
        }
        return STILL_ACTIVE;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(m_process, &code);
    return code;
}

bool Process::Running() const {
    return m_process && ::WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT;
}

void Process::Kill() {
    if (m_process) {
        ::TerminateProcess(m_process, 0xDEAD);
        ::WaitForSingleObject(m_process, 5000);
    }
}

std::vector<HWND> Process::TopWindows() const {
    EnumState st{m_pid, {}};
    ::EnumWindows(&CollectTop, reinterpret_cast<LPARAM>(&st));
    return st.found;
}

HWND Process::WaitForWindow(const wchar_t* className, DWORD timeoutMs) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND h : TopWindows())
                if (WindowClass(h) == className && ::IsWindowVisible(h)) {
                    found = h;
                    return true;
                }
            return !Running();
        },
        timeoutMs);
    return found;
}

std::vector<DWORD> ProcessesNamed(const wchar_t* name) {
    std::vector<DWORD> pids;
    HANDLE snap = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) return pids;
    PROCESSENTRY32W pe = {sizeof(pe)};
    for (BOOL ok = ::Process32FirstW(snap, &pe); ok; ok = ::Process32NextW(snap, &pe))
        if (::lstrcmpiW(pe.szExeFile, name) == 0) pids.push_back(pe.th32ProcessID);
    ::CloseHandle(snap);
    return pids;
}

void KillProcessesNamed(const wchar_t* name) {
    for (DWORD pid : ProcessesNamed(name)) {
        HANDLE h = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
        if (!h) continue;
        ::TerminateProcess(h, 0xDEAD);
        ::WaitForSingleObject(h, 5000);
        ::CloseHandle(h);
    }
}

std::wstring WindowTitle(HWND hwnd) {
    wchar_t buf[1024] = {};
    ::GetWindowTextW(hwnd, buf, 1024);
    return buf;
}

std::wstring WindowClass(HWND hwnd) {
    wchar_t buf[1024] = {};
    ::GetClassNameW(hwnd, buf, 1024);
    return buf;
}

RECT WindowRect(HWND hwnd) {
    RECT r = {};
    ::GetWindowRect(hwnd, &r);
    return r;
}

void PostKey(HWND hwnd, UINT vk) {
    const UINT scan = ::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    ::PostMessageW(hwnd, WM_KEYDOWN, vk, LPARAM(1 | (scan << 16)));
    ::PostMessageW(hwnd, WM_KEYUP, vk, LPARAM(1 | (scan << 16) | (1u << 30) | (1u << 31)));
}

LRESULT SendCopyData(HWND hwnd, ULONG_PTR id, const void* data, DWORD bytes) {
    COPYDATASTRUCT cds = {id, bytes, const_cast<void*>(data)};
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(hwnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds),
                               SMTO_NORMAL, 10000, &result))
        return 0;
    return LRESULT(result);
}

LRESULT SendText(HWND hwnd, const std::wstring& text) {
    return SendCopyData(hwnd, 0x22678201, text.c_str(), DWORD((text.size() + 1) * 2));
}

Capture CaptureWindow(HWND hwnd) {
    Capture cap;
    const RECT r = WindowRect(hwnd);
    cap.width = r.right - r.left;
    cap.height = r.bottom - r.top;
    if (cap.width <= 0 || cap.height <= 0) return Capture();
    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = cap.width;
    bi.bmiHeader.biHeight = -cap.height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(mem, dib);
    ::BitBlt(mem, 0, 0, cap.width, cap.height, screen, r.left, r.top, SRCCOPY);
    ::GdiFlush();
    const uint32_t* px = static_cast<const uint32_t*>(bits);
    cap.pixels.assign(px, px + size_t(cap.width) * cap.height);
    ::SelectObject(mem, old);
    ::DeleteObject(dib);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    return cap;
}

FakeMainWindow::FakeMainWindow(const wchar_t* className, const wchar_t* title, LRESULT answer)
    : m_answer(answer) {
    WNDCLASSEXW wc = {sizeof(wc)};
    wc.lpfnWndProc = &FakeMainWindow::Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    ::RegisterClassExW(&wc);
    m_hwnd = ::CreateWindowExW(0, className, title, WS_OVERLAPPEDWINDOW, 10, 10, 300, 200,
                               nullptr, nullptr, wc.hInstance, this);
}

FakeMainWindow::~FakeMainWindow() {
    if (m_hwnd) ::DestroyWindow(m_hwnd);
}

LRESULT CALLBACK FakeMainWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<FakeMainWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_COPYDATA && self) {
        auto* cds = reinterpret_cast<COPYDATASTRUCT*>(lp);
        if (cds && cds->lpData && cds->cbData >= 2)
            self->m_received.emplace_back(static_cast<const wchar_t*>(cds->lpData),
                                          cds->cbData / 2 - 1);
        return self->m_answer;
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace driver

namespace driver {

namespace {

bool QueryControlRect(HWND window, const std::wstring& name, RECT& rect) {
    COPYDATASTRUCT cds = {markup::kControlQueryId, DWORD(name.size() * sizeof(wchar_t)),
                          const_cast<wchar_t*>(name.data())};
    DWORD_PTR answer = 0;
    if (!::SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_ABORTIFHUNG,
                               5000, &answer) || answer == 0)
        return false;
    int l, t, r, b;
    markup::UnpackScreenRect(int64_t(answer), l, t, r, b);
    rect = {l, t, r, b};
    return r > l && b > t;
}

}  // namespace

bool FindControlRect(HWND window, const std::wstring& name, RECT& rect) {
    if (!window || name.empty() || name.size() > markup::kControlQueryMaxChars) return false;
    return QueryControlRect(window, name, rect);
}

void ClickAt(HWND window, POINT screen) {
    POINT pt = screen;
    ::ScreenToClient(window, &pt);
    const LPARAM at = MAKELPARAM(pt.x, pt.y);
    ::PostMessageW(window, WM_MOUSEMOVE, 0, at);
    ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageW(window, WM_LBUTTONUP, 0, at);
}

bool ClickControl(HWND window, const std::wstring& name) {
    RECT rc;
    if (!FindControlRect(window, name, rc)) return false;
    ClickAt(window, POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
    return true;
}

HWND WaitForVisibleWindow(const Process& process, const wchar_t* className, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND h : process.TopWindows()) {
            if (::IsWindowVisible(h) && WindowClass(h) == className) {
                found = h;
                return true;
            }
        }
        return false;
    }, timeoutMs);
    return found;
}

std::wstring ArtifactsFolder() {
    const std::wstring folder = DistFolder() + L"..\\artifacts\\";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

bool SavePng(const Capture& capture, const std::wstring& path) {
    if (capture.width <= 0 || capture.height <= 0) return false;
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
    bool ok = false;
    {
        std::vector<uint32_t> opaque(capture.pixels);
        for (uint32_t& p : opaque) p |= 0xFF000000u;
        Gdiplus::Bitmap bmp(capture.width, capture.height, capture.width * 4, PixelFormat32bppARGB,
                            reinterpret_cast<BYTE*>(opaque.data()));
        // The PNG encoder's class id.
        const CLSID png = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
        ok = bmp.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
    }
    Gdiplus::GdiplusShutdown(token);
    return ok;
}

}  // namespace driver
