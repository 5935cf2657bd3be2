#pragma once
// Where settings text lives; the program uses an INI file, tests a map.
#include <cstddef>
#include <string>

class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;
    // The key's text as a read with the default "\n" into a buffer of bufferChars characters
    // (terminating zero included) returns it: longer values come back cut.
    virtual std::wstring Read(const std::wstring& section, const std::wstring& key,
                              size_t bufferChars) = 0;
    virtual void Write(const std::wstring& section, const std::wstring& key,
                       const std::wstring& value) = 0;
};

// Reads a key that may be long: 256 characters first, 4,096 when the text fills the first buffer.
std::wstring ReadLongKey(ISettingsStore& store, const std::wstring& section,
                         const std::wstring& key);
// True when a read result means the key is missing.
inline bool IsAbsentText(const std::wstring& text) { return text.empty() || text == L"\n"; }
