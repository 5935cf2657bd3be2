#include "ui_container.h"

#include <algorithm>

#include "paint_manager.h"
#include "render_context.h"
#include "text_util.h"

namespace markup {
namespace {
constexpr size_t kMaxChildren = 5000;
}

void ForEachControl(CControlUI* root, const std::function<void(CControlUI*)>& fn) {
    if (!root) return;
    fn(root);
    if (auto* box = dynamic_cast<CContainerUI*>(root))
        for (int i = 0; i < box->GetCount(); ++i) ForEachControl(box->GetItemAt(i), fn);
}

CContainerUI::~CContainerUI() {
    for (auto& c : m_items) DetachChild(c.get());
}

void CContainerUI::DetachChild(CControlUI* child) {
    if (m_manager && child) m_manager->ReleaseControl(child);
    if (auto* box = dynamic_cast<CContainerUI*>(child)) {
        for (auto& c : box->m_items) box->DetachChild(c.get());
    }
}

void CContainerUI::SetManagerTree(CPaintManagerUI* manager) {
    for (auto& c : m_items) {
        c->SetManager(manager, this);
        if (auto* box = dynamic_cast<CContainerUI*>(c.get())) box->SetManagerTree(manager);
    }
}

bool CContainerUI::Add(std::unique_ptr<CControlUI> child) { return AddAt(std::move(child), GetCount()); }

bool CContainerUI::AddAt(std::unique_ptr<CControlUI> child, int index) {
    if (!child || m_items.size() >= kMaxChildren || index < 0 || index > GetCount()) return false;
    child->SetManager(m_manager, this);
    if (auto* box = dynamic_cast<CContainerUI*>(child.get())) box->SetManagerTree(m_manager);
    m_items.insert(m_items.begin() + index, std::move(child));
    NeedParentUpdate();
    return true;
}

void CContainerUI::RemoveAll() {
    for (auto& c : m_items) DetachChild(c.get());
    m_items.clear();
    NeedParentUpdate();
}

CControlUI* CContainerUI::GetItemAt(int index) const {
    return index >= 0 && index < GetCount() ? m_items[size_t(index)].get() : nullptr;
}

int CContainerUI::GetItemIndex(const CControlUI* child) const {
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].get() == child) return int(i);
    return -1;
}

void CContainerUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    UiRect rc;
    int n = 0;
    if (name == L"inset") {
        if (ParseRect(textutil::WideToUtf8(value), rc)) m_inset = rc, NeedParentUpdate();
    } else if (name == L"childpadding") {
        if (ParseInt(textutil::WideToUtf8(value), n)) m_childPadding = n, NeedParentUpdate();
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

RECT CContainerUI::FloatRect(const CControlUI& child) const {
    const UiRect& p = child.GetFloatPos();
    RECT rc = {m_rcItem.left + Scale(p.left), m_rcItem.top + Scale(p.top),
               m_rcItem.left + Scale(p.right), m_rcItem.top + Scale(p.bottom)};
    if (p.right <= p.left) rc.right = rc.left + Scale(child.GetFixedWidth());
    if (p.bottom <= p.top) rc.bottom = rc.top + Scale(child.GetFixedHeight());
    return rc;
}

void CContainerUI::SetPos(const RECT& rc) {
    CControlUI::SetPos(rc);
    const RECT inner = ScaledInset(rc, m_inset);
    for (auto& c : m_items)
        if (c->IsFloat()) c->SetPos(FloatRect(*c));
    LayoutChildren(inner);
}

void CContainerUI::LayoutChildren(const RECT& inner) {
    // A plain container stacks its children on top of each other.
    for (auto& c : m_items) {
        if (c->IsFloat()) continue;
        const UiRect& pad = c->GetPadding();
        RECT r = ScaledInset(inner, pad);
        if (c->GetFixedWidth() > 0) r.right = r.left + Scale(c->GetFixedWidth());
        if (c->GetFixedHeight() > 0) r.bottom = r.top + Scale(c->GetFixedHeight());
        c->SetPos(r);
    }
}

CControlUI* CContainerUI::FindControl(const std::wstring& name) {
    if (name == m_name) return this;
    for (auto& c : m_items)
        if (CControlUI* hit = c->FindControl(name)) return hit;
    return nullptr;
}

CControlUI* CContainerUI::FindFirstChildOfClass(const std::wstring& className) const {
    for (auto& c : m_items)
        if (c->GetClass() == className) return c.get();
    return nullptr;
}

CControlUI* CContainerUI::FindControlAt(POINT pt) {
    if (!m_visible || !::PtInRect(&m_rcItem, pt)) return nullptr;
    // Later children paint on top, so they are hit first.
    for (auto it = m_items.rbegin(); it != m_items.rend(); ++it)
        if (CControlUI* hit = (*it)->FindControlAt(pt)) return hit;
    return this;
}

void CContainerUI::Paint(CRenderContext& ctx) {
    RECT tmp;
    if (!m_visible || !::IntersectRect(&tmp, &m_rcItem, &ctx.PaintRect())) return;
    CControlUI::Paint(ctx);
    for (auto& c : m_items)
        if (c->IsVisible()) c->Paint(ctx);
}

void CContainerUI::LayoutLine(const RECT& inner, bool vertical) {
    // Along the line: fixed lengths first, the rest shared by the flexible children.
    auto length = [&](const CControlUI& c) { return vertical ? c.GetFixedHeight() : c.GetFixedWidth(); };
    auto across = [&](const CControlUI& c) { return vertical ? c.GetFixedWidth() : c.GetFixedHeight(); };
    auto before = [&](const UiRect& p) { return vertical ? p.top : p.left; };
    auto after = [&](const UiRect& p) { return vertical ? p.bottom : p.right; };
    // 64-bit sums: thousands of children of the largest allowed size must not overflow.
    long long fixed = 0;
    int flexible = 0, count = 0;
    for (auto& c : m_items) {
        if (c->IsFloat() || !c->IsVisible()) continue;
        fixed += Scale(before(c->GetPadding()) + after(c->GetPadding()));
        if (length(*c) > 0) fixed += Scale(length(*c));
        else ++flexible;
        ++count;
    }
    if (count > 1) fixed += (long long)Scale(m_childPadding) * (count - 1);
    const int span = vertical ? inner.bottom - inner.top : inner.right - inner.left;
    int restLeft = int(std::max<long long>(0, span - fixed));
    int flexLeft = flexible;
    int at = vertical ? inner.top : inner.left;
    for (auto& c : m_items) {
        if (c->IsFloat() || !c->IsVisible()) continue;
        const UiRect& pad = c->GetPadding();
        int len = Scale(length(*c));
        if (length(*c) <= 0) {
            len = flexLeft > 0 ? restLeft / flexLeft : 0;
            --flexLeft;
            restLeft -= len;
        }
        at += Scale(before(pad));
        RECT r = vertical ? RECT{inner.left + Scale(pad.left), at, inner.right - Scale(pad.right), at + len}
                          : RECT{at, inner.top + Scale(pad.top), at + len, inner.bottom - Scale(pad.bottom)};
        if (across(*c) > 0) {
            if (vertical) r.right = r.left + Scale(across(*c));
            else r.bottom = r.top + Scale(across(*c));
        }
        c->SetPos(r);
        // Children past the far edge stay there rather than wrapping round.
        at = int(std::min<long long>((long long)at + len + Scale(after(pad)) + Scale(m_childPadding), 1 << 28));
    }
}

void CVerticalLayoutUI::LayoutChildren(const RECT& inner) { LayoutLine(inner, true); }

void CHorizontalLayoutUI::LayoutChildren(const RECT& inner) { LayoutLine(inner, false); }

bool CTabLayoutUI::SelectItem(int index) {
    if (index < 0 || index >= GetCount()) return false;
    if (index == m_cur) return true;
    m_cur = index;
    for (int i = 0; i < GetCount(); ++i) m_items[size_t(i)]->SetVisible(i == m_cur);
    NeedParentUpdate();
    if (m_manager) m_manager->SendNotify(this, L"tabselect", WPARAM(m_cur));
    return true;
}

void CTabLayoutUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    int n = 0;
    if (name == L"selectedid") {
        if (ParseInt(textutil::WideToUtf8(value), n) && n >= 0) m_cur = n;
    } else {
        CContainerUI::SetAttribute(name, value);
    }
}

void CTabLayoutUI::LayoutChildren(const RECT& inner) {
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* c = m_items[size_t(i)].get();
        if (c->IsFloat()) continue;
        c->SetVisible(i == m_cur);
        c->SetPos(ScaledInset(inner, c->GetPadding()));
    }
}

}  // namespace markup
