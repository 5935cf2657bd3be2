#pragma once
// The process's command line: switches without their prefix, positional arguments, the text.
#include <functional>
#include <map>
#include <string>
#include <vector>

class CCommandLine {
public:
    void Parse(const std::wstring& text);

    bool HasSwitch(const std::wstring& name) const;
    bool GetSwitchValue(const std::wstring& name, std::wstring& value) const;
    const std::wstring& GetText() const { return m_text; }
    const std::map<std::wstring, std::wstring>& Switches() const { return m_switches; }
    const std::vector<std::wstring>& Positionals() const { return m_positionals; }

    // The first positional argument that exists (after removing one pair of surrounding quotes)
    // and whose extension is not exactly ".exe".
    std::wstring SelectFilePath(const std::function<bool(const std::wstring&)>& exists) const;
    // SelectFilePath against the file system.
    std::wstring GetFilePath() const;

    // Decides whether this process becomes the viewer (true) or exits (false).
    bool DispatchStartup();

private:
    const std::wstring* Find(const std::wstring& name) const;

    std::map<std::wstring, std::wstring> m_switches;
    std::vector<std::wstring> m_positionals;
    std::wstring m_text;
};

// Removes one pair of double quotes around the whole text.
std::wstring UnquoteSpaces(const std::wstring& text);
// The switch prefix length of a token: 0, 1 ("-x", "/x") or 2 ("--x").
size_t SwitchPrefixLength(const std::wstring& token);

// The process's command line, parsed once at start.
CCommandLine* CommandLineInstance();
void DestroyCommandLineInstance();
