#pragma once
// Formatting of one log line; no platform headers.
#include <sstream>
#include <string>

// "[I][  16][app_config] ": tag, line number in four places, base name of the source file.
std::wstring FormatLogPrefix(const wchar_t* tag, const char* sourcePath, int line);

// Collects one line and hands it to the log when it goes out of scope.
class CLogLine {
public:
    CLogLine(const wchar_t* tag, const char* sourcePath, int line);
    ~CLogLine();
    CLogLine(const CLogLine&) = delete;
    CLogLine& operator=(const CLogLine&) = delete;

    template <class T>
    CLogLine& operator<<(const T& v) {
        m_stream << v;
        return *this;
    }
    CLogLine& operator<<(const std::string& v);
    CLogLine& operator<<(const char* v);

private:
    std::wostringstream m_stream;
};

// Where finished lines go; lines are dropped while no sink is set.
using LogSink = void (*)(const std::wstring& line);
void SetLogSink(LogSink sink);

#define PLOG_INFO CLogLine(L"[I]", __FILE__, __LINE__)
