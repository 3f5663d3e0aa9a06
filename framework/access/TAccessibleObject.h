#pragma once
// The MSAA face of a TAccessible node: an IAccessible (with its IDispatch)
// that answers from the node while the node lives and reports itself
// disconnected afterwards. Children are objects of their own; a child id
// n > 0 names the node's n-th exposed child.

#include "framework/access/TAccessible.h"

#include <oleacc.h>

class TAccessibleObject final : public IAccessible {
public:
    explicit TAccessibleObject(TAccessible& node) : m_node(&node) {}
    TAccessibleObject(const TAccessibleObject&) = delete;
    TAccessibleObject& operator=(const TAccessibleObject&) = delete;

    // The node is going: every later call fails, and the system drops the
    // stubs that clients in other processes hold.
    void Disconnect();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch: no type information; clients call the vtable.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;
    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

private:
    ~TAccessibleObject() = default;
    // The node a child id names, null when the id names none (or the node
    // is gone); hr tells which.
    TAccessible* Resolve(const VARIANT& child, HRESULT& hr) const;
    HRESULT Text(const VARIANT& child, std::string (TAccessible::*get)() const, BSTR* text) const;

    LONG m_refs = 1;
    TAccessible* m_node;
};

// The MSAA role constant of a role.
LONG MsaaRole(TAccRole role);
// The MSAA state bits of a state.
LONG MsaaState(TAccState state);

// The answer to WM_GETOBJECT for the node's client object. Joins the
// thread to a single-threaded COM apartment on first use, which it keeps
// for the thread's life: clients in other processes call in through it.
LRESULT AccServeClient(TAccessible& node, WPARAM wParam);

// Program texts are narrow strings in the language's code page; this is
// the page they are widened from for clients (the system's by default).
void SetAccCodePage(UINT codePage);
