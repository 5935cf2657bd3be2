#include "title_model.h"

#include <cstdio>
#include <vector>

namespace {
std::wstring Num(long long v) { return std::to_wstring(v); }
}  // namespace

std::wstring ShortenName(const std::wstring& name) {
    if (name.size() <= 10) return name;
    const size_t dot = name.rfind(L'.');
    const std::wstring ext = dot == std::wstring::npos ? std::wstring() : name.substr(dot + 1);
    return name.substr(0, 10) + L"..." + ext;
}

std::wstring MegapixelText(int64_t p, const TitleTexts& t) {
    if (t.chinese) {
        if (p < 1000000) return std::wstring();
        if (p < 10000000) return t.mp13 + Num(p / 1000000) + t.mp12;
        const int64_t tens = p / 10000000;
        const int64_t m = (p % 10000000) / 1000000;
        if (m > 0) return Num(tens) + t.mp11 + Num(m) + t.mp12;
        return Num(tens) + t.mp10;
    }
    if (p > 1000000) return Num(p / 1000000) + L"M " + t.mp10;
    return std::wstring();
}

std::wstring RewriteDate(const std::wstring& date, const TitleTexts& t) {
    std::vector<std::wstring> parts;
    std::wstring cur;
    for (wchar_t c : date) {
        if (c == L' ' || c == L':') {
            if (!cur.empty()) parts.push_back(cur);
            cur.clear();
        } else {
            cur.push_back(c);
        }
    }
    if (!cur.empty()) parts.push_back(cur);
    if (parts.size() == 6 && t.cjk) return parts[0] + t.year + parts[1] + t.month + parts[2] + t.day;
    return date;
}

void CTitleModel::SetPicture(const std::wstring& path, const std::wstring* dateText, int32_t width,
                             int32_t height, const TitleTexts& texts) {
    const size_t slash = path.find_last_of(L"\\/");
    m_name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    m_width = width;
    m_height = height;
    m_position.clear();
    m_zoom = 100;
    m_date = dateText ? RewriteDate(*dateText, texts) : std::wstring();
}

void CTitleModel::SetPosition(const std::wstring& before, int index, int count,
                              const std::wstring& after) {
    m_position = before + Num(static_cast<long long>(index) + 1) + L"/" + Num(count) + after;
}

void CTitleModel::SetZoom(double ratio) {
    const double z = ratio * 100.0;
    m_zoom = z > 2e9 ? 2000000000 : z < -2e9 ? -2000000000 : int32_t(z);
}

std::wstring CTitleModel::Compose(const TitleTexts& texts) const {
    if (m_name.empty()) return std::wstring();
    if (m_width == 0) return m_name + L" - " + m_position;
    std::wstring text = ShortenName(m_name) + L" ( " + Num(m_width) + L"x" + Num(m_height);
    const std::wstring mp = MegapixelText(int64_t(m_width) * m_height, texts);
    if (!mp.empty()) text += L" , " + mp;
    if (!m_date.empty()) text += L" , " + m_date;
    text += L" ) - " + m_position + L" " + Num(m_zoom) + L"%";
    return text;
}
