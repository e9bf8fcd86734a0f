#include "widgets/button_bar_accessible.h"

#include <oleacc.h>

#include <string>

#include "widgets/base/accessible_name.h"
#include "widgets/base/system_library.h"
#include "widgets/button_bar.h"

namespace zarv {
namespace {

// Texts go to the client as BSTRs, which it frees with the automation library: that library is
// loaded only when a client first asks for one.
BSTR AllocText(const std::wstring& text) {
    using Alloc = BSTR(WINAPI*)(const OLECHAR*, UINT);
    static Alloc alloc = [] {
        HMODULE automation = zarv_load_system_library("oleaut32.dll");
        return automation ? reinterpret_cast<Alloc>(reinterpret_cast<void (*)()>(
                                GetProcAddress(automation, "SysAllocStringLen")))
                          : nullptr;
    }();
    return alloc ? alloc(text.data(), static_cast<UINT>(text.size())) : nullptr;
}

void Empty(VARIANT* v) { v->vt = VT_EMPTY; }

// The interface's id, spelt here: the import library of oleacc offers it as a function, which
// clashes with the one of the uuid library.
constexpr IID kIAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

}  // namespace

// The bar as an accessible object: a tool bar whose children (ids 1 to n, in the order the
// buttons were added) are its push buttons. Clients may hold it after the bar has gone: it then
// answers that it is disconnected.
class BarAccessible final : public IAccessible {
public:
    explicit BarAccessible(TExpress& bar) : bar_(&bar) {}
    void Gone() { bar_ = nullptr; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == kIAccessible) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --refs_;
        if (left == 0) delete this;
        return left;
    }

    // IDispatch: clients use the interface's own methods.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count) *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!parent) return E_POINTER;
        *parent = nullptr;
        if (!bar_) return RPC_E_DISCONNECTED;
        return AccessibleObjectFromWindow(bar_->hwnd(), static_cast<DWORD>(OBJID_WINDOW),
                                          IID_IDispatch, reinterpret_cast<void**>(parent));
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!count) return E_POINTER;
        if (!bar_) return RPC_E_DISCONNECTED;
        *count = static_cast<long>(bar_->buttons_.size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        return Button(child) ? S_FALSE : E_INVALIDARG;  // the buttons are simple elements
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!name) return E_POINTER;
        *name = nullptr;
        if (!bar_) return RPC_E_DISCONNECTED;
        if (IsSelf(child)) return S_FALSE;
        const TLookOutButton* b = Button(child);
        if (!b) return E_INVALIDARG;
        // The caption as read: an ampersand marks the accelerator letter, two stand for one.
        std::wstring text;
        const std::wstring& c = b->Caption();
        for (std::size_t i = 0; i < c.size(); ++i) {
            if (c[i] == L'&' && i + 1 < c.size()) ++i;
            text += c[i];
        }
        return Text(text, name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* value) override { return Nothing(value); }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* text) override {
        return Nothing(text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!role) return E_POINTER;
        Empty(role);
        if (!bar_) return RPC_E_DISCONNECTED;
        if (!IsSelf(child) && !Button(child)) return E_INVALIDARG;
        role->vt = VT_I4;
        role->lVal = IsSelf(child) ? ROLE_SYSTEM_TOOLBAR : ROLE_SYSTEM_PUSHBUTTON;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!state) return E_POINTER;
        Empty(state);
        if (!bar_) return RPC_E_DISCONNECTED;
        long s = 0;
        if (IsSelf(child)) {
            if (!IsWindowEnabled(bar_->hwnd())) s |= STATE_SYSTEM_UNAVAILABLE;
        } else if (const TLookOutButton* b = Button(child)) {
            if (!b->Enabled() || !IsWindowEnabled(bar_->hwnd())) s |= STATE_SYSTEM_UNAVAILABLE;
            if (!b->Visible()) s |= STATE_SYSTEM_INVISIBLE;
            if (b->Visible() && !OnBar(*b)) s |= STATE_SYSTEM_OFFSCREEN;
            if (b->Hot()) s |= STATE_SYSTEM_HOTTRACKED;
            if (b->Pushed()) s |= STATE_SYSTEM_PRESSED;
        } else {
            return E_INVALIDARG;
        }
        state->vt = VT_I4;
        state->lVal = s;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override { return Nothing(help); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        if (file) *file = nullptr;
        if (topic) *topic = 0;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        if (!keys) return E_POINTER;
        *keys = nullptr;
        if (!bar_) return RPC_E_DISCONNECTED;
        const TLookOutButton* b = Button(child);
        if (!b || b->Shortcut().empty()) return IsSelf(child) || b ? S_FALSE : E_INVALIDARG;
        return Text(b->Shortcut(), keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (!focus) return E_POINTER;
        Empty(focus);  // the buttons never hold the keyboard
        return bar_ ? S_FALSE : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (!selection) return E_POINTER;
        Empty(selection);
        return bar_ ? S_FALSE : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (!action) return E_POINTER;
        *action = nullptr;
        if (!bar_) return RPC_E_DISCONNECTED;
        if (IsSelf(child)) return S_FALSE;
        if (!Button(child)) return E_INVALIDARG;
        return Text(L"押す", action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        if (!left || !top || !width || !height) return E_POINTER;
        *left = *top = *width = *height = 0;
        if (!bar_) return RPC_E_DISCONNECTED;
        RECT r{};
        if (IsSelf(child)) {
            GetWindowRect(bar_->hwnd(), &r);
        } else if (const TLookOutButton* b = Button(child)) {
            r = b->BoundsRect();
            MapWindowPoints(bar_->hwnd(), nullptr, reinterpret_cast<POINT*>(&r), 2);
        } else {
            return E_INVALIDARG;
        }
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        if (!end) return E_POINTER;
        Empty(end);
        if (!bar_) return RPC_E_DISCONNECTED;
        const long n = static_cast<long>(bar_->buttons_.size());
        long to = 0;
        if (IsSelf(start)) {
            if (direction == NAVDIR_FIRSTCHILD) to = 1;
            if (direction == NAVDIR_LASTCHILD) to = n;
        } else if (Button(start)) {
            if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) to = start.lVal + 1;
            if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) to = start.lVal - 1;
        } else {
            return E_INVALIDARG;
        }
        if (to < 1 || to > n) return S_FALSE;
        end->vt = VT_I4;
        end->lVal = to;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* at) override {
        if (!at) return E_POINTER;
        Empty(at);
        if (!bar_) return RPC_E_DISCONNECTED;
        POINT p{x, y};
        RECT window{};
        GetWindowRect(bar_->hwnd(), &window);
        if (!PtInRect(&window, p)) return S_FALSE;
        ScreenToClient(bar_->hwnd(), &p);
        at->vt = VT_I4;
        at->lVal = CHILDID_SELF;
        for (std::size_t i = 0; i < bar_->buttons_.size(); ++i) {
            const TLookOutButton& b = *bar_->buttons_[i];
            const RECT r = b.BoundsRect();
            if (b.Visible() && PtInRect(&r, p)) at->lVal = static_cast<long>(i + 1);
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!bar_) return RPC_E_DISCONNECTED;
        const TLookOutButton* b = Button(child);
        if (!b) return IsSelf(child) ? DISP_E_MEMBERNOTFOUND : E_INVALIDARG;
        if (!b->Enabled() || !b->Visible()) return E_FAIL;
        // Posted: the click may open a modal window, and the client must not wait for it.
        PostMessageW(bar_->hwnd(), TExpress::kClickMessage, static_cast<WPARAM>(child.lVal - 1), 0);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~BarAccessible() = default;

    static bool IsSelf(const VARIANT& child) {
        return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
    }
    const TLookOutButton* Button(const VARIANT& child) const {
        if (!bar_ || child.vt != VT_I4 || child.lVal < 1 ||
            static_cast<std::size_t>(child.lVal) > bar_->buttons_.size())
            return nullptr;
        return bar_->buttons_[static_cast<std::size_t>(child.lVal - 1)].get();
    }
    bool OnBar(const TLookOutButton& b) const {
        RECT client{}, r = b.BoundsRect(), both{};
        GetClientRect(bar_->hwnd(), &client);
        return IntersectRect(&both, &client, &r) != FALSE;
    }
    static HRESULT Text(const std::wstring& text, BSTR* out) {
        *out = AllocText(text);
        return *out ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT Nothing(BSTR* out) const {
        if (!out) return E_POINTER;
        *out = nullptr;
        return bar_ ? S_FALSE : RPC_E_DISCONNECTED;
    }

    TExpress* bar_;
    ULONG refs_ = 1;
};

LRESULT BarAccessibleObject(TExpress& bar, WPARAM wp, LPARAM lp) {
    if (static_cast<LONG>(lp) != static_cast<LONG>(OBJID_CLIENT)) return 0;
    if (!bar.accessible_) {
        // The object goes to the client through COM.
        StartComForScreenReaders();
        bar.accessible_ = new BarAccessible(bar);
    }
    return LresultFromObject(kIAccessible, wp, static_cast<IAccessible*>(bar.accessible_));
}

void BarAccessibleGone(TExpress& bar) {
    if (!bar.accessible_) return;
    bar.accessible_->Gone();
    bar.accessible_->Release();
    bar.accessible_ = nullptr;
}

}  // namespace zarv
