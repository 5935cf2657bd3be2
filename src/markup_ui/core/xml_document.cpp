#include "xml_document.h"

#include <cstdint>

namespace markup {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '.' || c == ':' || (static_cast<unsigned char>(c) >= 0x80);
}

void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

class Parser {
public:
    explicit Parser(const std::string& s) : m_s(s) {}

    std::unique_ptr<XmlNode> Run(std::string& error) {
        if (m_s.compare(0, 3, "\xEF\xBB\xBF") == 0) m_p = 3;
        std::unique_ptr<XmlNode> root;
        while (SkipMisc()) {
            if (m_p >= m_s.size()) break;
            if (root) return Fail(error, "more than one root element");
            root = Element(1);
            if (!root) return Fail(error, m_error);
        }
        if (!m_error.empty()) return Fail(error, m_error);
        if (!root) return Fail(error, "no root element");
        return root;
    }

private:
    std::unique_ptr<XmlNode> Fail(std::string& error, const std::string& why) {
        error = why + " near byte " + std::to_string(m_p);
        return nullptr;
    }
    bool Err(const char* why) {
        if (m_error.empty()) m_error = why;
        return false;
    }
    bool StartsWith(const char* t) const { return m_s.compare(m_p, std::char_traits<char>::length(t), t) == 0; }
    void SkipSpace() {
        while (m_p < m_s.size() && IsSpace(m_s[m_p])) ++m_p;
    }
    bool SkipPast(const char* end) {
        const size_t at = m_s.find(end, m_p);
        if (at == std::string::npos) return Err("unterminated markup");
        m_p = at + std::char_traits<char>::length(end);
        return true;
    }
    // Skips blanks, comments, declarations and processing instructions; false on error.
    bool SkipMisc() {
        for (;;) {
            SkipSpace();
            if (StartsWith("<!--")) {
                if (!SkipPast("-->")) return false;
            } else if (StartsWith("<?")) {
                if (!SkipPast("?>")) return false;
            } else if (StartsWith("<!")) {
                if (!SkipPast(">")) return false;
            } else {
                return true;
            }
        }
    }
    bool Name(std::string& out) {
        const size_t start = m_p;
        while (m_p < m_s.size() && IsNameChar(m_s[m_p])) ++m_p;
        if (m_p == start) return Err("name expected");
        out = m_s.substr(start, m_p - start);
        return true;
    }
    bool Decode(const std::string& raw, std::string& out) {
        out.clear();
        for (size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] != '&') {
                out += raw[i];
                continue;
            }
            const size_t semi = raw.find(';', i);
            if (semi == std::string::npos || semi - i > 10) return Err("bad entity");
            const std::string ent = raw.substr(i + 1, semi - i - 1);
            if (ent == "lt") out += '<';
            else if (ent == "gt") out += '>';
            else if (ent == "amp") out += '&';
            else if (ent == "quot") out += '"';
            else if (ent == "apos") out += '\'';
            else if (ent.size() > 1 && ent[0] == '#') {
                const bool hex = ent[1] == 'x' || ent[1] == 'X';
                const size_t from = hex ? 2 : 1;
                if (from >= ent.size()) return Err("bad character reference");
                uint32_t cp = 0;
                for (size_t k = from; k < ent.size(); ++k) {
                    const char c = ent[k];
                    int v = -1;
                    if (c >= '0' && c <= '9') v = c - '0';
                    else if (hex && c >= 'a' && c <= 'f') v = c - 'a' + 10;
                    else if (hex && c >= 'A' && c <= 'F') v = c - 'A' + 10;
                    if (v < 0) return Err("bad character reference");
                    cp = cp * (hex ? 16 : 10) + uint32_t(v);
                    if (cp > 0x10FFFF) return Err("bad character reference");
                }
                if (cp == 0 || (cp >= 0xD800 && cp <= 0xDFFF)) return Err("bad character reference");
                AppendUtf8(out, cp);
            } else {
                return Err("unknown entity");
            }
            i = semi;
        }
        return true;
    }
    std::unique_ptr<XmlNode> Element(int depth) {
        if (depth > XmlDocument::kMaxDepth) {
            Err("nested too deeply");
            return nullptr;
        }
        if (++m_nodes > XmlDocument::kMaxNodes) {
            Err("too many elements");
            return nullptr;
        }
        if (m_p >= m_s.size() || m_s[m_p] != '<') {
            Err("element expected");
            return nullptr;
        }
        ++m_p;
        auto node = std::make_unique<XmlNode>();
        if (!Name(node->name)) return nullptr;
        for (;;) {
            const size_t before = m_p;
            SkipSpace();
            if (m_p >= m_s.size()) {
                Err("unterminated tag");
                return nullptr;
            }
            if (StartsWith("/>")) {
                m_p += 2;
                return node;
            }
            if (m_s[m_p] == '>') {
                ++m_p;
                break;
            }
            if (m_p == before) {
                Err("space expected between attributes");
                return nullptr;
            }
            std::string key, raw, value;
            if (!Name(key)) return nullptr;
            SkipSpace();
            if (m_p >= m_s.size() || m_s[m_p] != '=') {
                Err("'=' expected");
                return nullptr;
            }
            ++m_p;
            SkipSpace();
            if (m_p >= m_s.size() || (m_s[m_p] != '"' && m_s[m_p] != '\'')) {
                Err("quoted value expected");
                return nullptr;
            }
            const char quote = m_s[m_p++];
            const size_t end = m_s.find(quote, m_p);
            if (end == std::string::npos) {
                Err("unterminated value");
                return nullptr;
            }
            raw = m_s.substr(m_p, end - m_p);
            m_p = end + 1;
            if (raw.find('<') != std::string::npos) {
                Err("'<' in attribute value");
                return nullptr;
            }
            if (!Decode(raw, value)) return nullptr;
            for (const auto& a : node->attributes) {
                if (a.first == key) {
                    Err("duplicate attribute");
                    return nullptr;
                }
            }
            node->attributes.emplace_back(std::move(key), std::move(value));
        }
        // Content: children, comments and ignored text up to the matching end tag.
        for (;;) {
            while (m_p < m_s.size() && m_s[m_p] != '<') ++m_p;
            if (m_p >= m_s.size()) {
                Err("missing end tag");
                return nullptr;
            }
            if (StartsWith("</")) {
                m_p += 2;
                std::string end;
                if (!Name(end)) return nullptr;
                SkipSpace();
                if (end != node->name || m_p >= m_s.size() || m_s[m_p] != '>') {
                    Err("mismatched end tag");
                    return nullptr;
                }
                ++m_p;
                return node;
            }
            if (StartsWith("<!--")) {
                if (!SkipPast("-->")) return nullptr;
                continue;
            }
            if (StartsWith("<![CDATA[")) {
                if (!SkipPast("]]>")) return nullptr;
                continue;
            }
            if (StartsWith("<?")) {
                if (!SkipPast("?>")) return nullptr;
                continue;
            }
            auto child = Element(depth + 1);
            if (!child) return nullptr;
            node->children.push_back(std::move(child));
        }
    }

    const std::string& m_s;
    size_t m_p = 0;
    size_t m_nodes = 0;
    std::string m_error;
};

}  // namespace

const std::string* XmlNode::Attribute(const std::string& key) const {
    for (const auto& a : attributes)
        if (a.first == key) return &a.second;
    return nullptr;
}

bool XmlDocument::Parse(const std::string& text) {
    m_root.reset();
    m_error.clear();
    if (text.size() > kMaxBytes) {
        m_error = "layout too large";
        return false;
    }
    Parser parser(text);
    m_root = parser.Run(m_error);
    return m_root != nullptr;
}

}  // namespace markup
