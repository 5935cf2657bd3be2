#pragma once
// Where a window's layout and images come from: the skin archive beside the program, a zip
// archive compiled into the executable, or plain files of a folder.
#include <windows.h>

#include <memory>
#include <string>

#include "zip_archive.h"

namespace markup {

enum UILIB_RESOURCETYPE { UILIB_FILE = 1, UILIB_ZIP = 2, UILIB_RESOURCE = 3, UILIB_ZIPRESOURCE = 4 };

class ResourceSource {
public:
    ResourceSource() = default;
    ResourceSource(std::shared_ptr<const ZipArchive> zip, std::wstring folder)
        : m_zip(std::move(zip)), m_folder(std::move(folder)) {}
    bool Valid() const { return m_zip != nullptr || !m_folder.empty(); }
    // The named file's bytes; false when missing, unsafe or unreadable.
    bool Load(const std::string& name, std::string& out) const;

private:
    std::shared_ptr<const ZipArchive> m_zip;
    std::wstring m_folder;
};

// Process-wide settings that start-up gives the framework, and the opened archives.
class CResourceManager {
public:
    static void SetInstance(HINSTANCE instance);
    static HINSTANCE GetInstance();
    // Folder of the skin, with or without a trailing backslash.
    static void SetResourcePath(const std::wstring& folder);
    static std::wstring GetResourcePath();
    static void SetResourceZip(const std::wstring& name);
    static std::wstring GetResourceZip();

    // Archives stay open for the life of the process once read.
    static std::shared_ptr<const ZipArchive> OpenZipFile(const std::wstring& path);
    static std::shared_ptr<const ZipArchive> OpenZipResource(UINT id, const wchar_t* type);
};

}  // namespace markup
