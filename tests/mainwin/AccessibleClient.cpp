#include "tests/mainwin/AccessibleClient.h"

namespace accclient {

namespace {

VARIANT Self()
{
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

std::wstring Take(BSTR text)
{
    std::wstring result = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return result;
}

} // namespace

Accessible::Accessible(const Accessible& other) : object_(other.object_)
{
    if (object_)
        object_->AddRef();
}

Accessible& Accessible::operator=(Accessible other)
{
    std::swap(object_, other.object_);
    return *this;
}

Accessible::~Accessible()
{
    if (object_)
        object_->Release();
}

std::wstring Accessible::Name() const
{
    BSTR text = nullptr;
    return object_ && SUCCEEDED(object_->get_accName(Self(), &text)) ? Take(text) : std::wstring();
}

std::wstring Accessible::Value() const
{
    BSTR text = nullptr;
    return object_ && SUCCEEDED(object_->get_accValue(Self(), &text)) ? Take(text) : std::wstring();
}

std::wstring Accessible::DefaultAction() const
{
    BSTR text = nullptr;
    return object_ && SUCCEEDED(object_->get_accDefaultAction(Self(), &text)) ? Take(text) : std::wstring();
}

LONG Accessible::Role() const
{
    VARIANT role;
    VariantInit(&role);
    if (!object_ || FAILED(object_->get_accRole(Self(), &role)) || role.vt != VT_I4)
        return 0;
    return role.lVal;
}

LONG Accessible::State() const
{
    VARIANT state;
    VariantInit(&state);
    if (!object_ || FAILED(object_->get_accState(Self(), &state)) || state.vt != VT_I4)
        return -1;
    return state.lVal;
}

RECT Accessible::Location() const
{
    LONG left = 0, top = 0, width = 0, height = 0;
    if (object_)
        object_->accLocation(&left, &top, &width, &height, Self());
    return RECT{left, top, left + width, top + height};
}

HRESULT Accessible::DoDefaultAction() const
{
    return object_ ? object_->accDoDefaultAction(Self()) : E_POINTER;
}

std::vector<Accessible> Accessible::Children() const
{
    std::vector<Accessible> children;
    LONG count = 0;
    if (!object_ || FAILED(object_->get_accChildCount(&count)))
        return children;
    for (LONG i = 1; i <= count; ++i) {
        VARIANT id;
        VariantInit(&id);
        id.vt = VT_I4;
        id.lVal = i;
        IDispatch* dispatch = nullptr;
        if (object_->get_accChild(id, &dispatch) != S_OK || !dispatch)
            continue;
        IAccessible* child = nullptr;
        dispatch->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&child));
        dispatch->Release();
        if (child)
            children.emplace_back(child);
    }
    return children;
}

Accessible FromWindow(HWND window)
{
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                          reinterpret_cast<void**>(&object))))
        return Accessible();
    return Accessible(object);
}

std::vector<Accessible> Descendants(const Accessible& root)
{
    std::vector<Accessible> all{root};
    for (size_t i = 0; i < all.size(); ++i)
        for (Accessible& child : all[i].Children())
            all.push_back(std::move(child));
    return all;
}

Accessible Find(const Accessible& root, LONG role, const std::wstring& name)
{
    for (const Accessible& node : Descendants(root))
        if (node.Role() == role && node.Name() == name)
            return node;
    return Accessible();
}

} // namespace accclient
