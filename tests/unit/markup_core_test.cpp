// The platform-free parts of the markup UI: zip reader, XML reader, attribute values.
#include <gtest/gtest.h>

#include "layout_values.h"
#include "xml_document.h"
#include "zip_archive.h"
#include "zip_builder.h"

using namespace markup;

namespace {

std::string Big(size_t n) {
    std::string s;
    s.reserve(n);
    for (size_t i = 0; i < n; ++i) s += char('a' + (i * 7 + i / 13) % 26);
    return s;
}

TEST(ZipArchive, ReadsStoredAndDeflatedEntriesByCaseInsensitiveName) {
    const std::string text = Big(70000);
    ZipArchive zip;
    ASSERT_TRUE(zip.Open(testzip::Build({{"msgbox.xml", "<Window/>", false},
                                         {"images/btn-grey.png", text, true},
                                         {"empty.txt", "", true}})));
    EXPECT_EQ(zip.EntryCount(), 3u);
    std::string out;
    ASSERT_TRUE(zip.Read("msgbox.xml", out));
    EXPECT_EQ(out, "<Window/>");
    ASSERT_TRUE(zip.Read("Images\\BTN-grey.png", out));
    EXPECT_EQ(out, text);
    ASSERT_TRUE(zip.Read("./images/btn-grey.png", out));
    EXPECT_EQ(out, text);
    ASSERT_TRUE(zip.Read("empty.txt", out));
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(zip.Read("missing.xml", out));
    EXPECT_FALSE(zip.Contains("images"));
}

TEST(ZipArchive, UnsafeNamesAreNeverReadable) {
    ZipArchive zip;
    ASSERT_TRUE(zip.Open(testzip::Build({{"../evil.xml", "x"}, {"/abs.xml", "x"},
                                         {"c:/drive.xml", "x"}, {"a/../../up.xml", "x"},
                                         {"ok.xml", "fine"}})));
    std::string out;
    for (const char* name : {"../evil.xml", "evil.xml", "/abs.xml", "abs.xml", "c:/drive.xml",
                             "drive.xml", "up.xml", "../up.xml"})
        EXPECT_FALSE(zip.Read(name, out)) << name;
    EXPECT_TRUE(zip.Read("ok.xml", out));
    EXPECT_EQ(ZipArchive::NormaliseName("a/./b//c.png"), "a/b/c.png");
    EXPECT_EQ(ZipArchive::NormaliseName("a/../b"), "");
}

TEST(ZipArchive, MalformedArchivesFailWithoutCrashing) {
    const std::string good = testzip::Build({{"a.xml", Big(5000)}, {"b.xml", "bee", false}});
    struct Case {
        const char* what;
        std::string bytes;
        bool opens;      // the directory can be read
        bool readsA;     // "a.xml" can be read
    };
    std::string flipped = good;
    flipped[40] = char(flipped[40] ^ 0x55);  // inside a.xml's deflated data
    std::vector<Case> cases = {
        {"empty", "", false, false},
        {"not a zip", std::string(100, 'x'), false, false},
        {"truncated to half", good.substr(0, good.size() / 2), false, false},
        {"end record cut", good.substr(0, good.size() - 5), false, false},
        {"absurd entry count", testzip::Build({{"a.xml", "x"}}, 65535), false, false},
        {"corrupt deflate data", flipped, true, false},
        {"claims 4 GB", testzip::Build({{"a.xml", "x", true, 0xFFFFFFF0u}}), true, false},
        {"claims more than it inflates to", testzip::Build({{"a.xml", "abc", true, 4}}), true, false},
        {"claims less than it inflates to", testzip::Build({{"a.xml", "abcdef", true, 2}}), true, false},
        {"stored size mismatch", testzip::Build({{"a.xml", "abc", false, 10}}), true, false},
        {"wrong crc", testzip::Build({{"a.xml", "abc", true, 0, 0x1234}}), true, false},
        {"encrypted", testzip::Build({{"a.xml", "abc", false, 0, 0, true}}), true, false},
    };
    // A central directory whose local offset points past the end.
    std::string badOffset = testzip::Build({{"a.xml", "abc", false}});
    const size_t dirAt = badOffset.find(std::string("PK\x01\x02", 4));
    badOffset[dirAt + 42] = char(0xFF);
    badOffset[dirAt + 43] = char(0xFF);
    cases.push_back({"local offset past end", badOffset, true, false});
    // Directory offset beyond the file.
    std::string badDir = good;
    badDir[badDir.size() - 6] = char(0x7F);
    cases.push_back({"directory offset past end", badDir, false, false});

    for (const Case& c : cases) {
        ZipArchive zip;
        EXPECT_EQ(zip.Open(c.bytes), c.opens) << c.what;
        std::string out;
        EXPECT_EQ(zip.Read("a.xml", out), c.readsA) << c.what;
        EXPECT_LE(out.size(), 5000u) << c.what;
    }
}

TEST(XmlDocument, ReadsElementsAttributesAndEntities) {
    XmlDocument doc;
    ASSERT_TRUE(doc.Parse("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!-- c -->"
                          "<Window size=\"340,196\" caption='0,0,0,196'>"
                          "<Font id=\"0\" name=\"\xE5\xBE\xAE\xE8\xBD\xAF\" size=\"13\"/>"
                          "<VerticalLayout><Label name=\"a\" text=\"&lt;x&gt; &amp; &#x4E2D;&#65;\"/>"
                          "text is ignored<!-- inner --></VerticalLayout></Window>"));
    const XmlNode* root = doc.Root();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->name, "Window");
    ASSERT_NE(root->Attribute("caption"), nullptr);
    EXPECT_EQ(*root->Attribute("caption"), "0,0,0,196");
    EXPECT_EQ(root->Attribute("missing"), nullptr);
    ASSERT_EQ(root->children.size(), 2u);
    EXPECT_EQ(*root->children[0]->Attribute("name"), "\xE5\xBE\xAE\xE8\xBD\xAF");
    const XmlNode& label = *root->children[1]->children.at(0);
    EXPECT_EQ(*label.Attribute("text"), "<x> & \xE4\xB8\xAD" "A");
}

TEST(XmlDocument, MalformedInputIsRejected) {
    std::string deep;
    for (int i = 0; i < 200; ++i) deep += "<a>";
    for (int i = 0; i < 200; ++i) deep += "</a>";
    std::string wide = "<r>";
    for (int i = 0; i < 30000; ++i) wide += "<a/>";
    wide += "</r>";
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"empty", ""},
        {"only a declaration", "<?xml version=\"1.0\"?>"},
        {"unclosed root", "<Window>"},
        {"mismatched end", "<a><b></a></b>"},
        {"unterminated tag", "<a name=\"x\""},
        {"unquoted value", "<a name=x/>"},
        {"unterminated value", "<a name=\"x/>"},
        {"missing equals", "<a name\"x\"/>"},
        {"duplicate attribute", "<a x=\"1\" x=\"2\"/>"},
        {"unknown entity", "<a x=\"&nbsp;\"/>"},
        {"bad reference", "<a x=\"&#xZZ;\"/>"},
        {"surrogate reference", "<a x=\"&#xD800;\"/>"},
        {"two roots", "<a/><b/>"},
        {"unterminated comment", "<a/><!-- "},
        {"nested too deeply", deep},
        {"too many elements", wide},
        {"too large", std::string(XmlDocument::kMaxBytes + 1, ' ')},
        {"nul in name", std::string("<a\0b/>", 6)},
    };
    for (const auto& c : cases) {
        XmlDocument doc;
        EXPECT_FALSE(doc.Parse(c.second)) << c.first;
        EXPECT_EQ(doc.Root(), nullptr) << c.first;
        EXPECT_FALSE(doc.Error().empty()) << c.first;
    }
    // Deep but within the limit is fine.
    std::string ok;
    for (int i = 0; i < 60; ++i) ok += "<a>";
    for (int i = 0; i < 60; ++i) ok += "</a>";
    XmlDocument doc;
    EXPECT_TRUE(doc.Parse(ok));
}

TEST(LayoutValues, RectanglesSizesColoursAndFlags) {
    UiRect r;
    ASSERT_TRUE(ParseRect("0,30,392,130", r));
    EXPECT_EQ(r, (UiRect{0, 30, 392, 130}));
    ASSERT_TRUE(ParseRect("8,2", r));
    EXPECT_EQ(r, (UiRect{8, 2, 0, 0}));
    ASSERT_TRUE(ParseRect(" 213 ", r));
    EXPECT_EQ(r, (UiRect{213, 0, 0, 0}));
    ASSERT_TRUE(ParseRect("-5,0,1,1", r));
    EXPECT_EQ(r.left, -5);
    for (const char* bad : {"", "a,b", "1,2,3,4,5", "1,,2", "99999999999", "1;2", "1.5"})
        EXPECT_FALSE(ParseRect(bad, r)) << bad;

    UiSize s;
    ASSERT_TRUE(ParseSize("340,196", s));
    EXPECT_EQ(s.cx, 340);
    EXPECT_EQ(s.cy, 196);
    EXPECT_FALSE(ParseSize("340", s));
    EXPECT_FALSE(ParseSize("-1,4", s));

    uint32_t c = 0;
    ASSERT_TRUE(ParseColor("#FFFFFFFF", c));
    EXPECT_EQ(c, 0xFFFFFFFFu);
    ASSERT_TRUE(ParseColor("0xFF666666", c));
    EXPECT_EQ(c, 0xFF666666u);
    ASSERT_TRUE(ParseColor("#ff8800", c));
    EXPECT_EQ(c, 0xFFFF8800u);
    for (const char* bad : {"", "#", "FFFFFF", "#GG0000", "#12345"})
        EXPECT_FALSE(ParseColor(bad, c)) << bad;

    bool b = false;
    EXPECT_TRUE(ParseBool("true", b) && b);
    EXPECT_TRUE(ParseBool("false", b) && !b);
    EXPECT_FALSE(ParseBool("yes", b));
}

TEST(LayoutValues, ImageStrings) {
    ImageSpec img;
    ASSERT_TRUE(ParseImageString("file='images/btn-orange.png' source='124,0,248,36'", img));
    EXPECT_EQ(img.file, "images/btn-orange.png");
    EXPECT_TRUE(img.hasSource);
    EXPECT_EQ(img.source, (UiRect{124, 0, 248, 36}));
    EXPECT_FALSE(img.hasDest);

    ASSERT_TRUE(ParseImageString("file='images/icon.png' source='160,0,180,20' dest='12,10,32,30'", img));
    EXPECT_TRUE(img.hasDest);
    EXPECT_EQ(img.dest, (UiRect{12, 10, 32, 30}));

    ASSERT_TRUE(ParseImageString("images/logo_desc.png", img));
    EXPECT_EQ(img.file, "images/logo_desc.png");
    EXPECT_FALSE(img.hasSource);

    ASSERT_TRUE(ParseImageString("file=\"a.png\" corner='4,4,4,4' unknown='x'", img));
    EXPECT_EQ(img.corner, (UiRect{4, 4, 4, 4}));

    for (const char* bad : {"", "file='a.png", "file=a.png", "source='0,0,1,1'",
                            "file='a.png' source='x'", "file='a.png' fade='300'"})
        EXPECT_FALSE(ParseImageString(bad, img)) << bad;
}

}  // namespace
