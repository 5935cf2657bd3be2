#pragma once
// The main window's title: keeps its parts and writes the text into control 1025 and the
// window caption.
#include <string>

#include "title_model.h"

class CWindowTitle {
public:
    static CWindowTitle* Instance();
    static void DestroyInstance();

    // Does not recompose; the view does once it shows the picture.
    void SetPicture(const std::wstring& path, const std::wstring* dateText, int width, int height);
    void SetSize(int width, int height);
    void SetPosition(int index, int count);
    void SetZoom(double ratio);
    void Recompose();

    std::wstring Text() const;
    bool HasPicture() const { return m_model.HasPicture(); }

private:
    CTitleModel m_model;
};

TitleTexts LoadTitleTexts();
