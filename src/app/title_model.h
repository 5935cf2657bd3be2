#pragma once
// The parts of the main window's title and how they compose into its text.
#include <cstdint>
#include <string>

// Language texts and predicates the composition depends on.
struct TitleTexts {
    std::wstring mp10, mp11, mp12, mp13;   // megapixel words
    std::wstring year, month, day;         // date words
    bool chinese = false;
    bool cjk = false;
};

class CTitleModel {
public:
    void SetPicture(const std::wstring& path, const std::wstring* dateText, int32_t width,
                    int32_t height, const TitleTexts& texts);
    void SetSize(int32_t width, int32_t height) {
        m_width = width;
        m_height = height;
    }
    void SetPosition(const std::wstring& before, int index, int count, const std::wstring& after);
    void SetZoom(double ratio);
    std::wstring Compose(const TitleTexts& texts) const;

    const std::wstring& Name() const { return m_name; }
    bool HasPicture() const { return !m_name.empty(); }

private:
    std::wstring m_name;
    int32_t m_width = 0, m_height = 0;
    std::wstring m_position;
    int32_t m_zoom = 100;
    std::wstring m_date;
};

std::wstring ShortenName(const std::wstring& name);
std::wstring MegapixelText(int64_t pixels, const TitleTexts& texts);
std::wstring RewriteDate(const std::wstring& date, const TitleTexts& texts);
