#pragma once
// The optional diagnostic log main.log, on only while main.log.on exists in the data folder.
#include <sstream>
#include <string>

#include "critical_section.h"
#include "log_line.h"
#include "win_handle.h"

class CMyLog {
public:
    static CMyLog* Instance();
    static void DestroyInstance();

    void Open();
    void Write(const std::wstring& line);
    bool IsOpen() const { return bool(m_file); }

private:
    std::wostringstream m_collect;
    UniqueHandle m_file;
    _BaseModule::CCriticalSection m_lock;
};
