#include "command_line.h"

#include "singleton.h"

size_t SwitchPrefixLength(const std::wstring& token) {
    if (token.empty() || (token[0] != L'-' && token[0] != L'/')) return 0;
    return (token.size() > 1 && token[1] == L'-') ? 2 : 1;
}

std::wstring UnquoteSpaces(const std::wstring& text) {
    if (text.size() >= 2 && text.front() == L'"' && text.back() == L'"')
        return text.substr(1, text.size() - 2);
    return text;
}

void CCommandLine::Parse(const std::wstring& text) {
    m_text = text;
    m_switches.clear();
    m_positionals.clear();

    const size_t n = text.size();
    size_t i = 0;
    wchar_t previous = 0;  // carries over between tokens
    while (i < n) {
        if (text[i] == L' ') {
            ++i;
            continue;
        }
        const size_t start = i;
        size_t equals = std::wstring::npos;
        bool quoted = false;
        for (; i < n; ++i) {
            const wchar_t c = text[i];
            if (c == L' ' && !quoted) break;
            const bool escaped = previous == L'\\';
            if (c == L'"' && !escaped) quoted = !quoted;
            if (c == L'=' && equals == std::wstring::npos) equals = i - start;
            previous = c;
        }
        const std::wstring token = text.substr(start, i - start);
        const size_t prefix = SwitchPrefixLength(token);
        if (token.size() >= 2 && prefix > 0) {
            std::wstring name, value;
            if (equals == std::wstring::npos) {
                name = token.substr(prefix);
            } else {
                name = equals > prefix ? token.substr(prefix, equals - prefix) : std::wstring();
                value = token.substr(equals + 1);
                if (value.size() >= 2 && value.front() == L'"' && value.back() == L'"')
                    value = value.substr(1, value.size() - 2);
            }
            m_switches[name] = value;
        } else {
            m_positionals.push_back(token);
        }
    }
}

const std::wstring* CCommandLine::Find(const std::wstring& name) const {
    auto it = m_switches.find(name);
    if (it != m_switches.end()) return &it->second;
    const size_t prefix = SwitchPrefixLength(name);
    if (prefix == 0) return nullptr;
    it = m_switches.find(name.substr(prefix));
    return it != m_switches.end() ? &it->second : nullptr;
}

bool CCommandLine::HasSwitch(const std::wstring& name) const { return Find(name) != nullptr; }

bool CCommandLine::GetSwitchValue(const std::wstring& name, std::wstring& value) const {
    const std::wstring* found = Find(name);
    value = found ? *found : std::wstring();
    return found != nullptr;
}

std::wstring CCommandLine::SelectFilePath(
    const std::function<bool(const std::wstring&)>& exists) const {
    for (const std::wstring& arg : m_positionals) {
        const std::wstring path = UnquoteSpaces(arg);
        if (path.empty() || !exists(path)) continue;
        const size_t dot = path.rfind(L'.');
        if (dot != std::wstring::npos && path.compare(dot, std::wstring::npos, L".exe") == 0)
            continue;
        return path;
    }
    return std::wstring();
}

CCommandLine* CommandLineInstance() { return CSingletonT<CCommandLine>::Instance(); }
void DestroyCommandLineInstance() { CSingletonT<CCommandLine>::DestroyInstance(); }
