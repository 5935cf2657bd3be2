#pragma once
// Small UTF-8 XML reader for layouts: elements and attributes (text content is ignored).
// Size, depth and node count are bounded so that a hostile layout cannot exhaust anything.
#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace markup {

struct XmlNode {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;
    std::vector<std::unique_ptr<XmlNode>> children;

    // Null when absent.
    const std::string* Attribute(const std::string& key) const;
};

class XmlDocument {
public:
    static constexpr size_t kMaxBytes = 4u * 1024 * 1024;
    static constexpr int kMaxDepth = 64;
    static constexpr size_t kMaxNodes = 20000;

    // Parses UTF-8 (a byte-order mark is skipped); false with Error() set on bad input.
    bool Parse(const std::string& text);
    const XmlNode* Root() const { return m_root.get(); }
    const std::string& Error() const { return m_error; }

private:
    std::unique_ptr<XmlNode> m_root;
    std::string m_error;
};

}  // namespace markup
