#pragma once
#include <string>

namespace kernel_objects {

// Tries to open the named mutex the way every presence test does and returns the error of the
// attempt: 0 when it opened, ERROR_ACCESS_DENIED when it exists but is not ours to open,
// ERROR_FILE_NOT_FOUND when it does not exist.
unsigned long ProbeMutex(const std::wstring& name);

// True when the named mutex exists, whether or not this process may open it.
bool IsMutexPresent(const std::wstring& name);

}  // namespace kernel_objects
