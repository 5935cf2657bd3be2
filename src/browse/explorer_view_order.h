#pragma once
// The item order of an open Explorer window that shows a given folder.
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

// Names (with extension) in the view order of the first Explorer window on folder
// (case-insensitive). False when no such window is found, including when the system's
// window collection cannot be walked. Stops early, returning false, when stop becomes non-zero.
// Needs COM initialised on the calling thread.
bool ReadExplorerViewOrder(const std::wstring& folder, const std::atomic<int32_t>& stop,
                           std::vector<std::wstring>& names);
