#pragma once
// Drives the real viewer from a test: program-folder copies, a clean data folder, processes,
// windows, messages, keys, WM_COPYDATA and pixels.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace driver {

extern const wchar_t kMainClass[];
extern const wchar_t kIdleTitle[];

// build/dist as the build laid it out (found relative to the test executable).
std::wstring DistFolder();
// The folder of the test executable, with a trailing backslash.
std::wstring TestBinFolder();
// A private copy of the program folder; files named in `skip` (relative paths) are left out.
std::wstring MakeProgramCopy(const std::wstring& name, const std::vector<std::wstring>& skip = {});
// %APPDATA%\Pelion\, emptied (and not recreated).
std::wstring ResetDataFolder();
std::wstring DataFolder();

bool DeleteTree(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool WriteUtf16File(const std::wstring& path, const std::wstring& text);
std::string ReadFileBytes(const std::wstring& path);
bool FileExists(const std::wstring& path);
std::wstring ReadIni(const std::wstring& path, const wchar_t* section, const wchar_t* key);

// Pumps this thread's messages while waiting, so windows of the test stay responsive.
void PumpFor(DWORD ms);
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

class Process {
public:
    Process() = default;
    ~Process();
    Process(Process&& o) noexcept;
    Process& operator=(Process&& o) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Starts exe with the command line "\"exe\" args".
    static Process Start(const std::wstring& exe, const std::wstring& args);
    bool Valid() const { return m_process != nullptr; }
    DWORD Pid() const { return m_pid; }
    // Exit code, or STILL_ACTIVE when it did not end in time. Pumps messages while waiting.
    DWORD WaitExit(DWORD timeoutMs);
    bool Running() const;
    void Kill();

    // The process's top-level window of that class (visible or not), or null after timeout.
    HWND WaitForWindow(const wchar_t* className, DWORD timeoutMs) const;
    std::vector<HWND> TopWindows() const;

private:
    HANDLE m_process = nullptr;
    DWORD m_pid = 0;
};

// Processes whose executable file name is name (no path), e.g. "PelionTray.exe".
std::vector<DWORD> ProcessesNamed(const wchar_t* name);
void KillProcessesNamed(const wchar_t* name);

std::wstring WindowTitle(HWND hwnd);
std::wstring WindowClass(HWND hwnd);
RECT WindowRect(HWND hwnd);

// Key press and release posted to the window (the modal loop's dialog handling sees it).
void PostKey(HWND hwnd, UINT vk);
// WM_COPYDATA; returns the receiver's result, or 0 when sending failed.
LRESULT SendCopyData(HWND hwnd, ULONG_PTR id, const void* data, DWORD bytes);
LRESULT SendText(HWND hwnd, const std::wstring& text);

// Pixels of a window as the screen shows them, 32 bits per pixel, top-down BGRA.
struct Capture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[size_t(y) * width + x]; }
};
Capture CaptureWindow(HWND hwnd);

// Skin windows: the screen rectangle of a visible control found by name (the window answers
// a WM_COPYDATA query), and a left click at its centre as the mouse would send it.
bool FindControlRect(HWND window, const std::wstring& name, RECT& rect);
bool ClickControl(HWND window, const std::wstring& name);
// Left click at a screen point of the window.
void ClickAt(HWND window, POINT screen);
// The first visible top-level window of the process with that class, or null after timeout.
HWND WaitForVisibleWindow(const Process& process, const wchar_t* className, DWORD timeoutMs);

// build/artifacts\, created on demand: pictures the tests keep for people to look at.
std::wstring ArtifactsFolder();
bool SavePng(const Capture& capture, const std::wstring& path);

// A top-level window of the test's own process that answers WM_COPYDATA and records the texts.
class FakeMainWindow {
public:
    FakeMainWindow(const wchar_t* className, const wchar_t* title, LRESULT answer = 1);
    ~FakeMainWindow();
    HWND Hwnd() const { return m_hwnd; }
    const std::vector<std::wstring>& Received() const { return m_received; }

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND m_hwnd = nullptr;
    LRESULT m_answer;
    std::vector<std::wstring> m_received;
};

}  // namespace driver
