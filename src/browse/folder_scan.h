#pragma once
// One pass over a folder: its pictures in natural or Explorer order. Runs on the scan thread.
#include <atomic>
#include <cstdint>
#include <string>

#include "folder_list_model.h"

// Fills result for the folder (no trailing backslash) and the name of the opened picture.
// Returns early with a partial result when stop becomes non-zero. Needs COM on the thread.
void ScanFolder(const std::wstring& folder, const std::wstring& openedName,
                const std::atomic<int32_t>& stop, FolderScanResult& result);
