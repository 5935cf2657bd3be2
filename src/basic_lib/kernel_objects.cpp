#include "kernel_objects.h"

#include <windows.h>

#include "win_handle.h"

namespace kernel_objects {

unsigned long ProbeMutex(const std::wstring& name) {
    // The unnamed mutex clears the thread's last error, so the open's failure is its own.
    UniqueHandle reset(::CreateMutexW(nullptr, FALSE, nullptr));
    UniqueHandle opened(::OpenMutexW(MUTEX_MODIFY_STATE, FALSE, name.c_str()));
    const DWORD error = opened ? 0 : ::GetLastError();
    return error;
}

bool IsMutexPresent(const std::wstring& name) {
    const unsigned long error = ProbeMutex(name);
    return error == 0 || error == ERROR_ACCESS_DENIED;
}

}  // namespace kernel_objects
