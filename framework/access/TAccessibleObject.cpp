#include "framework/access/TAccessibleObject.h"

#include "framework/system/LateFunction.h"

#include <algorithm>

namespace {

UINT g_codePage = CP_ACP;

BSTR Widen(const std::string& text)
{
    const int length = MultiByteToWideChar(g_codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    static auto* allocate = LateFunction<decltype(SysAllocStringLen)>("oleaut32.dll", "SysAllocStringLen");
    if (!allocate)
        return nullptr;
    BSTR wide = allocate(nullptr, static_cast<UINT>(length));
    if (wide && length > 0)
        MultiByteToWideChar(g_codePage, 0, text.data(), static_cast<int>(text.size()), wide, length);
    return wide;
}

bool IsSelf(const VARIANT& child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

void SetDispatch(VARIANT* variant, TAccessible* node)
{
    variant->vt = VT_DISPATCH;
    variant->pdispVal = node->AccObject();
}

int IndexOf(const std::vector<TAccessible*>& nodes, const TAccessible* node)
{
    const auto it = std::find(nodes.begin(), nodes.end(), node);
    return it == nodes.end() ? -1 : static_cast<int>(it - nodes.begin());
}

// The node with the state among the node and its descendants, the node
// itself first.
TAccessible* FindWithState(TAccessible& node, TAccState state)
{
    if (node.AccState() & state)
        return &node;
    for (TAccessible* child : node.AccChildren())
        if (TAccessible* found = FindWithState(*child, state))
            return found;
    return nullptr;
}

// A node found for the object itself is answered as CHILDID_SELF.
void AnswerNode(VARIANT* answer, TAccessible* found, const TAccessible* self)
{
    if (!found)
        answer->vt = VT_EMPTY;
    else if (found == self) {
        answer->vt = VT_I4;
        answer->lVal = CHILDID_SELF;
    } else
        SetDispatch(answer, found);
}

bool& ApartmentJoined()
{
    thread_local bool joined = false;
    return joined;
}

} // namespace

LONG MsaaRole(TAccRole role)
{
    switch (role) {
    case TAccRole::None:
    case TAccRole::Client:
        return ROLE_SYSTEM_CLIENT;
    case TAccRole::PushButton:
        return ROLE_SYSTEM_PUSHBUTTON;
    case TAccRole::RadioButton:
        return ROLE_SYSTEM_RADIOBUTTON;
    case TAccRole::CheckBox:
        return ROLE_SYSTEM_CHECKBUTTON;
    case TAccRole::PageTab:
        return ROLE_SYSTEM_PAGETAB;
    case TAccRole::Slider:
        return ROLE_SYSTEM_SLIDER;
    case TAccRole::ComboBox:
        return ROLE_SYSTEM_COMBOBOX;
    case TAccRole::List:
        return ROLE_SYSTEM_LIST;
    case TAccRole::ListItem:
        return ROLE_SYSTEM_LISTITEM;
    case TAccRole::StaticText:
        return ROLE_SYSTEM_STATICTEXT;
    case TAccRole::EditableText:
        return ROLE_SYSTEM_TEXT;
    case TAccRole::HotkeyField:
        return ROLE_SYSTEM_HOTKEYFIELD;
    case TAccRole::ProgressBar:
        return ROLE_SYSTEM_PROGRESSBAR;
    case TAccRole::Graphic:
        return ROLE_SYSTEM_GRAPHIC;
    case TAccRole::Link:
        return ROLE_SYSTEM_LINK;
    }
    return ROLE_SYSTEM_CLIENT;
}

LONG MsaaState(TAccState state)
{
    static const std::pair<TAccState, LONG> kBits[] = {
        {asUnavailable, STATE_SYSTEM_UNAVAILABLE}, {asFocused, STATE_SYSTEM_FOCUSED},
        {asFocusable, STATE_SYSTEM_FOCUSABLE},     {asSelected, STATE_SYSTEM_SELECTED},
        {asSelectable, STATE_SYSTEM_SELECTABLE},   {asChecked, STATE_SYSTEM_CHECKED},
        {asExpanded, STATE_SYSTEM_EXPANDED},       {asCollapsed, STATE_SYSTEM_COLLAPSED},
        {asInvisible, STATE_SYSTEM_INVISIBLE},     {asPressed, STATE_SYSTEM_PRESSED},
        {asDefault, STATE_SYSTEM_DEFAULT},         {asMixed, STATE_SYSTEM_MIXED},
    };
    LONG bits = 0;
    for (const auto& [ours, msaa] : kBits)
        if (state & ours)
            bits |= msaa;
    return bits;
}

void SetAccCodePage(UINT codePage)
{
    g_codePage = codePage;
}

LRESULT AccServeClient(TAccessible& node, WPARAM wParam)
{
    static auto* joinApartment = LateFunction<decltype(CoInitializeEx)>("ole32.dll", "CoInitializeEx");
    static auto* serve = LateFunction<decltype(LresultFromObject)>("oleacc.dll", "LresultFromObject");
    if (!joinApartment || !serve)
        return 0;
    if (!ApartmentJoined()) {
        const HRESULT hr = joinApartment(nullptr, COINIT_APARTMENTTHREADED);
        if (FAILED(hr) && hr != RPC_E_CHANGED_MODE)
            return 0;
        ApartmentJoined() = true;
    }
    IAccessible* object = node.AccObject();
    const LRESULT result = serve(IID_IAccessible, wParam, object);
    object->Release();
    return result < 0 ? 0 : result;
}

void TAccessibleObject::Disconnect()
{
    m_node = nullptr;
    // Only objects a client was given exist, so the library is there already.
    static auto* disconnect = LateFunction<decltype(CoDisconnectObject)>("ole32.dll", "CoDisconnectObject");
    if (disconnect)
        disconnect(this, 0);
    Release();
}

HRESULT TAccessibleObject::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG TAccessibleObject::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_refs));
}

ULONG TAccessibleObject::Release()
{
    const LONG refs = InterlockedDecrement(&m_refs);
    if (refs == 0)
        delete this;
    return static_cast<ULONG>(refs);
}

HRESULT TAccessibleObject::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT TAccessibleObject::GetTypeInfo(UINT, LCID, ITypeInfo**)
{
    return E_NOTIMPL;
}

HRESULT TAccessibleObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

HRESULT TAccessibleObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

TAccessible* TAccessibleObject::Resolve(const VARIANT& child, HRESULT& hr) const
{
    hr = S_OK;
    if (!m_node) {
        hr = RPC_E_DISCONNECTED;
        return nullptr;
    }
    if (child.vt != VT_I4) {
        hr = E_INVALIDARG;
        return nullptr;
    }
    if (child.lVal == CHILDID_SELF)
        return m_node;
    const auto children = m_node->AccChildren();
    if (child.lVal < 1 || child.lVal > static_cast<LONG>(children.size())) {
        hr = E_INVALIDARG;
        return nullptr;
    }
    return children[child.lVal - 1];
}

HRESULT TAccessibleObject::Text(const VARIANT& child, std::string (TAccessible::*get)() const, BSTR* text) const
{
    if (!text)
        return E_POINTER;
    *text = nullptr;
    HRESULT hr;
    TAccessible* node = Resolve(child, hr);
    if (!node)
        return hr;
    const std::string value = (node->*get)();
    if (value.empty())
        return S_FALSE;
    *text = Widen(value);
    return *text ? S_OK : E_OUTOFMEMORY;
}

HRESULT TAccessibleObject::get_accParent(IDispatch** parent)
{
    if (!parent)
        return E_POINTER;
    *parent = nullptr;
    if (!m_node)
        return RPC_E_DISCONNECTED;
    if (TAccessible* node = m_node->AccParent()) {
        *parent = node->AccObject();
        return S_OK;
    }
    // The top node's parent is the system's object for its window frame.
    LONG childId = CHILDID_SELF;
    HWND window = m_node->AccEventWindow(childId);
    if (!window)
        return S_FALSE;
    static auto* frameObject =
        LateFunction<decltype(CreateStdAccessibleObject)>("oleacc.dll", "CreateStdAccessibleObject");
    if (!frameObject)
        return S_FALSE;
    return frameObject(window, OBJID_WINDOW, IID_IDispatch, reinterpret_cast<void**>(parent));
}

HRESULT TAccessibleObject::get_accChildCount(LONG* count)
{
    if (!count)
        return E_POINTER;
    if (!m_node)
        return RPC_E_DISCONNECTED;
    *count = static_cast<LONG>(m_node->AccChildren().size());
    return S_OK;
}

HRESULT TAccessibleObject::get_accChild(VARIANT child, IDispatch** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    HRESULT hr;
    TAccessible* node = Resolve(child, hr);
    if (!node)
        return hr;
    if (node == m_node)
        return E_INVALIDARG;
    *object = node->AccObject();
    return S_OK;
}

HRESULT TAccessibleObject::get_accName(VARIANT child, BSTR* name)
{
    return Text(child, &TAccessible::AccName, name);
}

HRESULT TAccessibleObject::get_accValue(VARIANT child, BSTR* value)
{
    return Text(child, &TAccessible::AccValue, value);
}

HRESULT TAccessibleObject::get_accDescription(VARIANT child, BSTR* description)
{
    return Text(child, &TAccessible::AccDescription, description);
}

HRESULT TAccessibleObject::get_accRole(VARIANT child, VARIANT* role)
{
    if (!role)
        return E_POINTER;
    role->vt = VT_EMPTY;
    HRESULT hr;
    TAccessible* node = Resolve(child, hr);
    if (!node)
        return hr;
    role->vt = VT_I4;
    role->lVal = MsaaRole(node->AccRole());
    return S_OK;
}

HRESULT TAccessibleObject::get_accState(VARIANT child, VARIANT* state)
{
    if (!state)
        return E_POINTER;
    state->vt = VT_EMPTY;
    HRESULT hr;
    TAccessible* node = Resolve(child, hr);
    if (!node)
        return hr;
    state->vt = VT_I4;
    state->lVal = MsaaState(node->AccState());
    return S_OK;
}

HRESULT TAccessibleObject::get_accHelp(VARIANT, BSTR* help)
{
    if (!help)
        return E_POINTER;
    *help = nullptr;
    return m_node ? S_FALSE : RPC_E_DISCONNECTED;
}

HRESULT TAccessibleObject::get_accHelpTopic(BSTR* file, VARIANT, LONG* topic)
{
    if (!file || !topic)
        return E_POINTER;
    *file = nullptr;
    *topic = 0;
    return m_node ? S_FALSE : RPC_E_DISCONNECTED;
}

HRESULT TAccessibleObject::get_accKeyboardShortcut(VARIANT, BSTR* shortcut)
{
    if (!shortcut)
        return E_POINTER;
    *shortcut = nullptr;
    return m_node ? S_FALSE : RPC_E_DISCONNECTED;
}

HRESULT TAccessibleObject::get_accFocus(VARIANT* focus)
{
    if (!focus)
        return E_POINTER;
    focus->vt = VT_EMPTY;
    if (!m_node)
        return RPC_E_DISCONNECTED;
    AnswerNode(focus, FindWithState(*m_node, asFocused), m_node);
    return focus->vt == VT_EMPTY ? S_FALSE : S_OK;
}

HRESULT TAccessibleObject::get_accSelection(VARIANT* selection)
{
    if (!selection)
        return E_POINTER;
    selection->vt = VT_EMPTY;
    if (!m_node)
        return RPC_E_DISCONNECTED;
    for (TAccessible* child : m_node->AccChildren())
        if (child->AccState() & asSelected) {
            SetDispatch(selection, child);
            return S_OK;
        }
    return S_FALSE;
}

HRESULT TAccessibleObject::get_accDefaultAction(VARIANT child, BSTR* action)
{
    if (!action)
        return E_POINTER;
    *action = nullptr;
    HRESULT hr;
    TAccessible* node = Resolve(child, hr);
    if (!node)
        return hr;
    const std::string text = AccActionText(node->AccDefaultAction());
    if (text.empty())
        return node->AccDefaultAction() == TAccAction::None ? DISP_E_MEMBERNOTFOUND : S_FALSE;
    *action = Widen(text);
    return *action ? S_OK : E_OUTOFMEMORY;
}

HRESULT TAccessibleObject::accSelect(LONG flags, VARIANT child)
{
    HRESULT hr;
    TAccessible* node = Resolve(child, hr);
    if (!node)
        return hr;
    if (flags != SELFLAG_TAKEFOCUS)
        return DISP_E_MEMBERNOTFOUND;
    return node->AccTakeFocus() ? S_OK : S_FALSE;
}

HRESULT TAccessibleObject::accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child)
{
    if (!left || !top || !width || !height)
        return E_POINTER;
    HRESULT hr;
    TAccessible* node = Resolve(child, hr);
    if (!node)
        return hr;
    const RECT rect = node->AccScreenRect();
    *left = rect.left;
    *top = rect.top;
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
    return S_OK;
}

HRESULT TAccessibleObject::accNavigate(LONG direction, VARIANT start, VARIANT* end)
{
    if (!end)
        return E_POINTER;
    end->vt = VT_EMPTY;
    HRESULT hr;
    TAccessible* from = Resolve(start, hr);
    if (!from)
        return hr;
    TAccessible* found = nullptr;
    if (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) {
        if (!IsSelf(start))
            return E_INVALIDARG;
        const auto children = from->AccChildren();
        if (!children.empty())
            found = direction == NAVDIR_FIRSTCHILD ? children.front() : children.back();
    } else if (direction == NAVDIR_NEXT || direction == NAVDIR_PREVIOUS) {
        TAccessible* parent = from->AccParent();
        const auto siblings = parent ? parent->AccChildren() : std::vector<TAccessible*>{};
        const int index = IndexOf(siblings, from) + (direction == NAVDIR_NEXT ? 1 : -1);
        if (IndexOf(siblings, from) >= 0 && index >= 0 && index < static_cast<int>(siblings.size()))
            found = siblings[index];
    } else
        return DISP_E_MEMBERNOTFOUND;
    if (!found)
        return S_FALSE;
    SetDispatch(end, found);
    return S_OK;
}

HRESULT TAccessibleObject::accHitTest(LONG x, LONG y, VARIANT* child)
{
    if (!child)
        return E_POINTER;
    child->vt = VT_EMPTY;
    if (!m_node)
        return RPC_E_DISCONNECTED;
    AnswerNode(child, AccHitTest(*m_node, POINT{x, y}), m_node);
    return child->vt == VT_EMPTY ? S_FALSE : S_OK;
}

HRESULT TAccessibleObject::accDoDefaultAction(VARIANT child)
{
    HRESULT hr;
    TAccessible* node = Resolve(child, hr);
    if (!node)
        return hr;
    return node->AccDoDefaultAction() ? S_OK : DISP_E_MEMBERNOTFOUND;
}

HRESULT TAccessibleObject::put_accName(VARIANT, BSTR)
{
    return E_NOTIMPL;
}

HRESULT TAccessibleObject::put_accValue(VARIANT, BSTR)
{
    return E_NOTIMPL;
}
