#include "log_line.h"

#include <cstdio>
#include <atomic>
#include <cstring>

#include "text_util.h"

std::wstring FormatLogPrefix(const wchar_t* tag, const char* sourcePath, int line) {
    // The base name lies between the last path separator and the last dot.
    const std::string path = sourcePath ? sourcePath : "";
    const size_t slash = path.find_last_of("\\/");
    const size_t dot = path.rfind('.');
    std::wstring base;
    if (slash != std::string::npos && dot != std::string::npos && dot > slash + 1)
        base = textutil::Utf8ToWide(path.substr(slash + 1, dot - slash - 1));
    wchar_t pos[64];
    std::swprintf(pos, 64, L"[%4d]", line);
    std::wstring out = tag ? tag : L"";
    out += pos;
    if (!base.empty()) out += L"[" + base + L"]";
    out += L" ";
    return out;
}

CLogLine::CLogLine(const wchar_t* tag, const char* sourcePath, int line) {
    m_stream << FormatLogPrefix(tag, sourcePath, line);
}

CLogLine& CLogLine::operator<<(const std::string& v) {
    m_stream << textutil::Utf8ToWide(v);
    return *this;
}

CLogLine& CLogLine::operator<<(const char* v) {
    m_stream << textutil::Utf8ToWide(v ? v : "");
    return *this;
}

namespace {
std::atomic<LogSink> g_sink{nullptr};
}

void SetLogSink(LogSink sink) { g_sink = sink; }

CLogLine::~CLogLine() {
    const LogSink sink = g_sink.load();
    if (!sink) return;
    try {
        sink(m_stream.str());
    } catch (...) {
    }
}
