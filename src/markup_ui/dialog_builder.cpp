#include "dialog_builder.h"

#include "paint_manager.h"
#include "text_util.h"
#include "ui_button.h"
#include "ui_container.h"
#include "ui_edit.h"
#include "ui_list.h"
#include "xml_document.h"

namespace markup {
namespace {

std::wstring W(const std::string& s) { return textutil::Utf8ToWide(s); }

void ReadWindow(const XmlNode& node, CPaintManagerUI& pm) {
    for (const auto& a : node.attributes) {
        const std::string& k = a.first;
        const std::string& v = a.second;
        UiSize size;
        UiRect rc;
        bool flag = false;
        uint32_t color = 0;
        if (k == "size" && ParseSize(v, size)) pm.initSize = size;
        else if (k == "mininfo" && ParseSize(v, size)) pm.minSize = size;
        else if (k == "maxinfo" && ParseSize(v, size)) pm.maxSize = size;
        else if (k == "caption" && ParseRect(v, rc)) pm.caption = rc;
        else if (k == "useshadow" && ParseBool(v, flag)) pm.useShadow = flag;
        else if (k == "shadowimage") pm.shadowImage = W(v);
        else if (k == "shadowcorner" && ParseRect(v, rc)) pm.shadowCorner = rc;
        else if (k == "shadowsize" && ParseRect(v, rc)) pm.shadowSize = rc;
        else if (k == "bkcolor" && ParseColor(v, color)) pm.windowBkColor = color;
    }
}

void ReadFont(const XmlNode& node, CPaintManagerUI& pm) {
    FontSpec spec;
    int id = -1;
    bool flag = false;
    const std::string* v = node.Attribute("id");
    if (!v || !ParseInt(*v, id) || id < 0) return;
    if ((v = node.Attribute("name"))) spec.face = W(*v);
    if ((v = node.Attribute("size"))) ParseInt(*v, spec.size);
    if ((v = node.Attribute("bold")) && ParseBool(*v, flag)) spec.bold = flag;
    if ((v = node.Attribute("italic")) && ParseBool(*v, flag)) spec.italic = flag;
    if ((v = node.Attribute("underline")) && ParseBool(*v, flag)) spec.underline = flag;
    if (spec.face.empty() || spec.face.size() >= LF_FACESIZE) spec.face = L"微软雅黑";
    pm.AddFont(id, spec);
}

std::unique_ptr<CControlUI> Build(const XmlNode& node, IDialogBuilderCallback* callback) {
    const std::wstring element = W(node.name);
    std::unique_ptr<CControlUI> control = CDialogBuilder::CreateKnown(element);
    if (!control && callback) control.reset(callback->CreateControl(element));
    if (!control) return nullptr;
    for (const auto& a : node.attributes) control->SetAttribute(W(a.first), W(a.second));
    if (auto* box = dynamic_cast<CContainerUI*>(control.get())) {
        for (const auto& child : node.children)
            if (auto c = Build(*child, callback)) box->Add(std::move(c));
    }
    return control;
}

}  // namespace

std::unique_ptr<CControlUI> CDialogBuilder::CreateKnown(const std::wstring& e) {
    if (e == L"Control") return std::make_unique<CControlUI>();
    if (e == L"Label" || e == L"Text") return std::make_unique<CLabelUI>();
    if (e == L"Button") return std::make_unique<CButtonUI>();
    if (e == L"Option") return std::make_unique<COptionUI>();
    if (e == L"CheckBox") return std::make_unique<CCheckBoxUI>();
    if (e == L"Edit") return std::make_unique<CEditUI>();
    if (e == L"Container") return std::make_unique<CContainerUI>();
    if (e == L"VerticalLayout") return std::make_unique<CVerticalLayoutUI>();
    if (e == L"HorizontalLayout") return std::make_unique<CHorizontalLayoutUI>();
    if (e == L"TabLayout") return std::make_unique<CTabLayoutUI>();
    if (e == L"List") return std::make_unique<CListUI>();
    if (e == L"ListContainerElement") return std::make_unique<CListContainerElementUI>();
    if (e == L"ListTextElement" || e == L"ListLabelElement") return std::make_unique<CListTextElementUI>();
    return nullptr;
}

std::unique_ptr<CControlUI> CDialogBuilder::Create(const std::string& xml, CPaintManagerUI& pm,
                                                   IDialogBuilderCallback* callback, std::string* error) {
    XmlDocument doc;
    if (!doc.Parse(xml)) {
        if (error) *error = doc.Error();
        return nullptr;
    }
    const XmlNode* root = doc.Root();
    if (root->name != "Window") {
        if (error) *error = "root element is not Window";
        return nullptr;
    }
    ReadWindow(*root, pm);
    std::unique_ptr<CControlUI> result;
    for (const auto& child : root->children) {
        if (child->name == "Font") {
            ReadFont(*child, pm);
        } else if (!result) {
            result = Build(*child, callback);
        }
    }
    if (!result && error) *error = "no control in layout";
    return result;
}

}  // namespace markup
