#include "layout_values.h"

#include <vector>

namespace markup {
namespace {

std::string Trim(const std::string& s) {
    size_t a = 0, b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t')) ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t')) --b;
    return s.substr(a, b - a);
}

bool ParseInts(const std::string& text, size_t maxCount, std::vector<int>& out) {
    out.clear();
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        int v = 0;
        if (!ParseInt(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start), v))
            return false;
        out.push_back(v);
        if (out.size() > maxCount) return false;
        if (comma == std::string::npos) return true;
        start = comma + 1;
    }
}

}  // namespace

bool ParseInt(const std::string& text, int& out) {
    const std::string t = Trim(text);
    if (t.empty()) return false;
    size_t i = 0;
    bool negative = false;
    if (t[0] == '-' || t[0] == '+') {
        negative = t[0] == '-';
        i = 1;
    }
    if (i >= t.size()) return false;
    long long v = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9') return false;
        v = v * 10 + (t[i] - '0');
        if (v > kMaxLayoutNumber) return false;
    }
    out = int(negative ? -v : v);
    return true;
}

bool ParseRect(const std::string& text, UiRect& out) {
    std::vector<int> v;
    if (!ParseInts(text, 4, v)) return false;
    v.resize(4, 0);
    out = {v[0], v[1], v[2], v[3]};
    return true;
}

bool ParseSize(const std::string& text, UiSize& out) {
    std::vector<int> v;
    if (!ParseInts(text, 2, v) || v.size() != 2 || v[0] < 0 || v[1] < 0) return false;
    out = {v[0], v[1]};
    return true;
}

bool ParseColor(const std::string& text, uint32_t& out) {
    std::string t = Trim(text);
    if (!t.empty() && t[0] == '#') t = t.substr(1);
    else if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) t = t.substr(2);
    else return false;
    if (t.size() != 6 && t.size() != 8) return false;
    uint32_t v = 0;
    for (char c : t) {
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return false;
        v = (v << 4) | uint32_t(d);
    }
    out = t.size() == 6 ? (0xFF000000u | v) : v;
    return true;
}

bool ParseBool(const std::string& text, bool& out) {
    const std::string t = Trim(text);
    if (t == "true" || t == "1") out = true;
    else if (t == "false" || t == "0") out = false;
    else return false;
    return true;
}

bool ParseImageString(const std::string& text, ImageSpec& out) {
    out = ImageSpec();
    const std::string t = Trim(text);
    if (t.empty()) return false;
    if (t.find('=') == std::string::npos) {
        out.file = t;
        return true;
    }
    size_t p = 0;
    while (p < t.size()) {
        while (p < t.size() && (t[p] == ' ' || t[p] == '\t')) ++p;
        if (p >= t.size()) break;
        const size_t eq = t.find('=', p);
        if (eq == std::string::npos || eq + 1 >= t.size()) return false;
        const std::string key = Trim(t.substr(p, eq - p));
        const char quote = t[eq + 1];
        if (quote != '\'' && quote != '"') return false;
        const size_t end = t.find(quote, eq + 2);
        if (end == std::string::npos) return false;
        const std::string value = t.substr(eq + 2, end - eq - 2);
        p = end + 1;
        if (key == "file") {
            out.file = value;
        } else if (key == "source") {
            if (!ParseRect(value, out.source)) return false;
            out.hasSource = true;
        } else if (key == "dest") {
            if (!ParseRect(value, out.dest)) return false;
            out.hasDest = true;
        } else if (key == "corner") {
            if (!ParseRect(value, out.corner)) return false;
        } else if (key == "fade") {
            if (!ParseInt(value, out.fade) || out.fade < 0 || out.fade > 255) return false;
        }
        // Other keys are ignored so that later layouts stay readable.
    }
    return !out.file.empty();
}

}  // namespace markup
