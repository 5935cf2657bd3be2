#pragma once
// Broadcast of view changes to the panes that follow them.

class CUIEventParam {
public:
    virtual ~CUIEventParam() = default;
    virtual int GetEventType() const = 0;

protected:
    // Ids are handed out on first request, counting from 0.
    static int NextEventTypeId();
};

template <class Derived>
class CUIEventT : public CUIEventParam {
public:
    static int EventTypeId() {
        static const int id = NextEventTypeId();
        return id;
    }
    int GetEventType() const override { return EventTypeId(); }
};

class CUIEventViewImageChanged : public CUIEventT<CUIEventViewImageChanged> {};
class CUIEventFolderImageCollected : public CUIEventT<CUIEventFolderImageCollected> {};
class CUIEventViewZoomChanged : public CUIEventT<CUIEventViewZoomChanged> {
public:
    CUIEventViewZoomChanged(float ratio, float fitRatio) : m_ratio(ratio), m_fitRatio(fitRatio) {}
    float m_ratio;
    float m_fitRatio;
};

class CUIEventObserver {
public:
    CUIEventObserver();
    virtual ~CUIEventObserver();
    CUIEventObserver(const CUIEventObserver&) = delete;
    CUIEventObserver& operator=(const CUIEventObserver&) = delete;
    virtual void OnUIEvent(const CUIEventParam& event) = 0;
};

void BroadcastUIEvent(const CUIEventParam& event);
