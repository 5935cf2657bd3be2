#pragma once
// Scoped start-up of COM and GDI+.
#include <windows.h>
#include <objbase.h>

#include <cstdint>

class FCAutoInitializeCOM {
public:
    FCAutoInitializeCOM() : m_hr(::CoInitialize(nullptr)) {}
    ~FCAutoInitializeCOM() {
        if (SUCCEEDED(m_hr)) ::CoUninitialize();
    }
    FCAutoInitializeCOM(const FCAutoInitializeCOM&) = delete;
    FCAutoInitializeCOM& operator=(const FCAutoInitializeCOM&) = delete;
    HRESULT Result() const { return m_hr; }

private:
    HRESULT m_hr;
};

class FCAutoInitGDIPlus {
public:
    FCAutoInitGDIPlus();
    ~FCAutoInitGDIPlus();
    FCAutoInitGDIPlus(const FCAutoInitGDIPlus&) = delete;
    FCAutoInitGDIPlus& operator=(const FCAutoInitGDIPlus&) = delete;
    bool Started() const { return m_token != 0; }

private:
    ULONG_PTR m_token = 0;
};
