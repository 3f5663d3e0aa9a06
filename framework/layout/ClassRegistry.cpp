#include "framework/layout/ClassRegistry.h"

#include "framework/graphics/BmpFileHeader.h"
#include "framework/graphics/GraphicsError.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

void RegisterFrameworkClasses(TClassRegistry& registry);

namespace {

std::string Describe(const TLayoutValue& value)
{
    switch (value.kind) {
    case TLayoutValue::Kind::Integer:
        return std::to_string(value.integer);
    case TLayoutValue::Kind::String:
        return "'" + value.text + "'";
    case TLayoutValue::Kind::Identifier:
        return value.text;
    case TLayoutValue::Kind::Set:
        break;
    }
    return "a set";
}

[[noreturn]] void Expected(const char* what, const TLayoutValue& value)
{
    throw std::invalid_argument(std::string("expected ") + what + ", found " + Describe(value));
}

struct TNamedColor {
    const char* name;
    TColor color;
};

constexpr TNamedColor kColors[] = {
    {"clBlack", 0x000000},   {"clMaroon", 0x000080},   {"clGreen", 0x008000},  {"clOlive", 0x008080},
    {"clNavy", 0x800000},    {"clPurple", 0x800080},   {"clTeal", 0x808000},   {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},  {"clRed", 0x0000FF},      {"clLime", 0x00FF00},   {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},    {"clFuchsia", 0xFF00FF},  {"clAqua", 0xFFFF00},   {"clWhite", 0xFFFFFF},
    {"clNone", clNone},      {"clBtnFace", clBtnFace}, {"clWindow", 0x80000005}, {"clWindowText", 0x80000008},
    {"clHighlightText", clHighlightText}, {"clGrayText", clGrayText},
};

} // namespace

int TLayoutValue::AsInt() const
{
    if (kind != Kind::Integer)
        Expected("an integer", *this);
    if (integer < INT32_MIN || integer > UINT32_MAX)
        throw std::invalid_argument("integer out of range: " + std::to_string(integer));
    return static_cast<int>(integer);
}

const std::string& TLayoutValue::AsString() const
{
    if (kind != Kind::String)
        Expected("a string", *this);
    return text;
}

const std::string& TLayoutValue::AsIdentifier() const
{
    if (kind != Kind::Identifier)
        Expected("a name", *this);
    return text;
}

bool TLayoutValue::AsBool() const
{
    if (kind == Kind::Identifier) {
        if (text == "True")
            return true;
        if (text == "False")
            return false;
    }
    Expected("True or False", *this);
}

TColor TLayoutValue::AsColor() const
{
    if (kind == Kind::Integer)
        return static_cast<TColor>(AsInt());
    if (kind == Kind::Identifier)
        for (const TNamedColor& named : kColors)
            if (text == named.name)
                return named.color;
    Expected("a colour", *this);
}

TClassInfo& TClassInfo::Property(const std::string& name, TPropertyWriter writer)
{
    m_properties[name] = TPropertyInfo{std::move(writer), false};
    return *this;
}

TClassInfo& TClassInfo::LateProperty(const std::string& name, TPropertyWriter writer)
{
    m_properties[name] = TPropertyInfo{std::move(writer), true};
    return *this;
}

TClassInfo& TClassInfo::Nested(const std::string& name, const std::string& className, TNestedGetter getter)
{
    m_nested[name] = TNested{className, std::move(getter)};
    return *this;
}

const TPropertyInfo* TClassInfo::FindProperty(const std::string& name) const
{
    for (const TClassInfo* info = this; info; info = info->m_base) {
        auto it = info->m_properties.find(name);
        if (it != info->m_properties.end())
            return &it->second;
    }
    return nullptr;
}

const TClassInfo* TClassInfo::FindNested(const std::string& name, TNestedGetter& getter) const
{
    for (const TClassInfo* info = this; info; info = info->m_base) {
        auto it = info->m_nested.find(name);
        if (it != info->m_nested.end()) {
            getter = it->second.getter;
            return TClassRegistry::Instance().Find(it->second.className);
        }
    }
    return nullptr;
}

TClassRegistry& TClassRegistry::Instance()
{
    static TClassRegistry registry;
    return registry;
}

TClassRegistry::TClassRegistry()
{
    RegisterFrameworkClasses(*this);
}

TClassInfo& TClassRegistry::Register(const std::string& name, const std::string& baseName, TComponentFactory factory)
{
    auto it = m_classes.find(name);
    if (it != m_classes.end())
        return *it->second;
    const TClassInfo* base = nullptr;
    if (!baseName.empty()) {
        base = Find(baseName);
        if (!base)
            throw std::logic_error("base class " + baseName + " of " + name + " is not registered");
    }
    auto& info = m_classes[name];
    info = std::make_unique<TClassInfo>(name, base, std::move(factory));
    return *info;
}

const TClassInfo* TClassRegistry::Find(const std::string& name) const
{
    auto it = m_classes.find(name);
    return it == m_classes.end() ? nullptr : it->second.get();
}

void TClassRegistry::SetPictureFormat(const std::string& extension, TPictureFormat format)
{
    std::string key = extension;
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::tolower(c); });
    m_pictureFormats[key] = std::move(format);
}

void TClassRegistry::LoadPicture(const std::string& path, TBitmap& bitmap) const
{
    size_t dot = path.find_last_of('.');
    std::string extension = dot == std::string::npos ? "" : path.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) { return std::tolower(c); });
    auto it = m_pictureFormats.find(extension);
    if (it != m_pictureFormats.end())
        DeferPictureFile(path, bitmap, it->second.readHeader, it->second.load);
    else if (extension == ".bmp")
        DeferPictureFile(path, bitmap, &ReadBmpFileHeader,
                         [](const std::string& file, TBitmap& target) { target.LoadFromFile(file); });
    else
        throw EInvalidGraphic("no loader for picture " + path);
}

void LoadLayoutPicture(const std::string& path, TBitmap& bitmap)
{
    NamingTheFile(path, [&] { TClassRegistry::Instance().LoadPicture(path, bitmap); });
}
