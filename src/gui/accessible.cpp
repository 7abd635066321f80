#include "gui/accessible.h"

#include <oleacc.h>

#include "core/wide.h"

namespace ss {

namespace {

// IAccessible's identifier, defined here: MinGW's import library has a jump to the DLL's copy in
// its place, so its bytes are no identifier at all and readers would be refused the interface.
constexpr GUID kAccessibleInterface = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// The accessibility and automation libraries, loaded at the first request from the system
// folder only (they are no KnownDLLs, so a static import could come from beside the exe), and
// COM for this thread, which marshalling an object to another process needs.
struct AccessibilityLibrary {
  using LresultFromObjectFunction = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
  using AccessibleObjectFromWindowFunction = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
  using SysAllocStringFunction = BSTR(WINAPI*)(const OLECHAR*);
  using CoInitializeExFunction = HRESULT(WINAPI*)(void*, DWORD);

  LresultFromObjectFunction lresultFromObject = nullptr;
  AccessibleObjectFromWindowFunction objectFromWindow = nullptr;
  SysAllocStringFunction sysAllocString = nullptr;

  static const AccessibilityLibrary& Get() {
    static const AccessibilityLibrary library;
    return library;
  }

 private:
  template <typename Function>
  static Function Entry(HMODULE module, const char* name) {
    // Through void*: GCC warns about a direct cast between unrelated function pointer types.
    return module
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
               : nullptr;
  }

  AccessibilityLibrary() {
    HMODULE ole32 = LoadLibraryExW(L"ole32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (auto init = Entry<CoInitializeExFunction>(ole32, "CoInitializeEx")) {
      init(nullptr, COINIT_APARTMENTTHREADED);
    }
    HMODULE oleacc = LoadLibraryExW(L"oleacc.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    HMODULE oleaut32 = LoadLibraryExW(L"oleaut32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    lresultFromObject = Entry<LresultFromObjectFunction>(oleacc, "LresultFromObject");
    objectFromWindow =
        Entry<AccessibleObjectFromWindowFunction>(oleacc, "AccessibleObjectFromWindow");
    sysAllocString = Entry<SysAllocStringFunction>(oleaut32, "SysAllocString");
  }
};

bool IsSelf(const VARIANT& child) {
  return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

void SetLong(VARIANT* out, long value) {
  out->vt = VT_I4;
  out->lVal = value;
}

HRESULT Text(const std::string& text, BSTR* out) {
  *out = nullptr;
  if (text.empty()) return S_FALSE;
  const AccessibilityLibrary& library = AccessibilityLibrary::Get();
  if (!library.sysAllocString) return E_OUTOFMEMORY;
  *out = library.sysAllocString(Wide(text).c_str());
  return *out ? S_OK : E_OUTOFMEMORY;
}

// An object of a control or a form; everything it says comes from its facts, read anew at every
// question, so it is never out of date. A form's controls are objects of their own, which it
// hands out as its children.
class AccessibleObject final : public IAccessible {
 public:
  explicit AccessibleObject(AccessibleFacts facts) : facts_(std::move(facts)) {}

  void detach() { attached_ = false; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
    if (!out) return E_POINTER;
    if (id == IID_IUnknown || id == IID_IDispatch || id == kAccessibleInterface) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // IDispatch: readers call the interface's methods directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
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
    if (!attached_) return RPC_E_DISCONNECTED;
    *parent = nullptr;
    const AccessibilityLibrary& library = AccessibilityLibrary::Get();
    if (!library.objectFromWindow || !facts_.parentWindow) return S_FALSE;
    return library.objectFromWindow(facts_.parentWindow, static_cast<DWORD>(facts_.parentObject),
                                    IID_IDispatch, reinterpret_cast<void**>(parent));
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    *count = static_cast<long>(children().size());
    return attached_ ? S_OK : RPC_E_DISCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT id, IDispatch** child) override {
    *child = nullptr;
    if (!attached_) return RPC_E_DISCONNECTED;
    const std::vector<AccessibleChild> all = children();
    if (id.vt != VT_I4 || id.lVal < 1 || id.lVal > static_cast<long>(all.size())) {
      return E_INVALIDARG;
    }
    return objectOf(all[static_cast<size_t>(id.lVal - 1)], child);
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (const HRESULT bad = check(child)) return bad;
    return Text(facts_.name ? facts_.name() : std::string(), name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    *value = nullptr;
    if (const HRESULT bad = check(child)) return bad;
    return DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    if (const HRESULT bad = check(child)) return bad;
    return Text(facts_.description ? facts_.description() : std::string(), description);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (const HRESULT bad = check(child)) return bad;
    SetLong(role, facts_.role);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (const HRESULT bad = check(child)) return bad;
    SetLong(state, facts_.state ? facts_.state() : 0);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    *help = nullptr;
    if (const HRESULT bad = check(child)) return bad;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    *file = nullptr;
    *topic = 0;
    if (const HRESULT bad = check(child)) return bad;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    *shortcut = nullptr;
    if (const HRESULT bad = check(child)) return bad;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    if (!attached_) return RPC_E_DISCONNECTED;
    focus->vt = VT_EMPTY;
    if (facts_.state && (facts_.state() & kStateFocused)) SetLong(focus, CHILDID_SELF);
    return focus->vt == VT_EMPTY ? S_FALSE : S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    selection->vt = VT_EMPTY;
    return attached_ ? S_FALSE : RPC_E_DISCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (const HRESULT bad = check(child)) return bad;
    return Text(facts_.defaultAction, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    if (const HRESULT bad = check(child)) return bad;
    if (!(flags & SELFLAG_TAKEFOCUS) || !facts_.takeFocus) return E_NOTIMPL;
    facts_.takeFocus();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    if (const HRESULT bad = check(child)) return bad;
    const RECT r = facts_.screenRect ? facts_.screenRect() : RECT{};
    *left = r.left;
    *top = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    end->vt = VT_EMPTY;
    if (const HRESULT bad = check(start)) return bad;
    // Siblings are the parent's to tell; the first and last children are this object's.
    if (direction != NAVDIR_FIRSTCHILD && direction != NAVDIR_LASTCHILD) return S_FALSE;
    const std::vector<AccessibleChild> all = children();
    if (all.empty()) return S_FALSE;
    IDispatch* child = nullptr;
    const HRESULT got = objectOf(direction == NAVDIR_FIRSTCHILD ? all.front() : all.back(), &child);
    if (got != S_OK) return got;
    end->vt = VT_DISPATCH;
    end->pdispVal = child;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
    if (!attached_) return RPC_E_DISCONNECTED;
    hit->vt = VT_EMPTY;
    const RECT r = facts_.screenRect ? facts_.screenRect() : RECT{};
    if (!PtInRect(&r, POINT{x, y})) return S_FALSE;
    // The last child in reading order that holds the point: children drawn later lie above.
    const std::vector<AccessibleChild> all = children();
    for (auto child = all.rbegin(); child != all.rend(); ++child) {
      if (!PtInRect(&child->screenRect, POINT{x, y})) continue;
      IDispatch* object = nullptr;
      if (objectOf(*child, &object) != S_OK) break;
      hit->vt = VT_DISPATCH;
      hit->pdispVal = object;
      return S_OK;
    }
    SetLong(hit, CHILDID_SELF);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (const HRESULT bad = check(child)) return bad;
    if (!facts_.doDefault) return DISP_E_MEMBERNOTFOUND;
    facts_.doDefault();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  ~AccessibleObject() = default;

  std::vector<AccessibleChild> children() const {
    return attached_ && facts_.children ? facts_.children() : std::vector<AccessibleChild>();
  }

  static HRESULT objectOf(const AccessibleChild& child, IDispatch** object) {
    const AccessibilityLibrary& library = AccessibilityLibrary::Get();
    if (!library.objectFromWindow) return E_FAIL;
    return library.objectFromWindow(child.window, static_cast<DWORD>(child.objectId), IID_IDispatch,
                                    reinterpret_cast<void**>(object));
  }

  // Disconnected, or asked of a child this object does not have.
  HRESULT check(const VARIANT& child) const {
    if (!attached_) return RPC_E_DISCONNECTED;
    return IsSelf(child) ? S_OK : E_INVALIDARG;
  }

  AccessibleFacts facts_;
  ULONG references_ = 1;
  bool attached_ = true;
};

}  // namespace

AccessibleHandle::~AccessibleHandle() {
  if (!object_) return;
  auto* object = static_cast<AccessibleObject*>(object_);
  object->detach();
  object->Release();
}

LRESULT AccessibleHandle::answer(WPARAM wParam, const std::function<AccessibleFacts()>& facts) {
  const AccessibilityLibrary& library = AccessibilityLibrary::Get();
  if (!library.lresultFromObject) return 0;
  if (!object_) object_ = new AccessibleObject(facts());
  return library.lresultFromObject(
      kAccessibleInterface, wParam,
      static_cast<IAccessible*>(static_cast<AccessibleObject*>(object_)));
}

void RaiseAccessibleEvent(DWORD event, HWND window, long objectId) {
  NotifyWinEvent(event, window, objectId, CHILDID_SELF);
}

}  // namespace ss
