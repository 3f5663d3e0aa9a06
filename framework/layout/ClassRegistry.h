#pragma once
// The streamable classes and their published properties. A layout names
// components by class; the registry creates them and writes their stored
// properties. Nested objects (Font, appearances) are reached by dotted
// paths such as "Font.Height" and have classes of their own here.

#include "framework/TComponent.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/DeferredPicture.h"
#include "framework/layout/HandlerTable.h"
#include "framework/layout/LayoutText.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

// What property writers may need besides the value.
struct TLayoutContext {
    const THandlerTable& handlers;
    std::string artworkFolder;  // relative picture paths start here
};

using TPropertyWriter = std::function<void(TObject& object, const TLayoutValue& value, const TLayoutContext& context)>;
using TNestedGetter = std::function<TObject&(TObject& object)>;
using TComponentFactory = std::function<TComponent*(TComponent* owner)>;

struct TPropertyInfo {
    TPropertyWriter write;
    // Written after the object's other properties (sizes that depend on
    // the border style, for instance).
    bool late = false;
};

class TClassInfo {
public:
    TClassInfo(std::string name, const TClassInfo* base, TComponentFactory factory)
        : m_name(std::move(name)), m_base(base), m_factory(std::move(factory)) {}

    const std::string& Name() const { return m_name; }
    const TClassInfo* Base() const { return m_base; }
    bool CanCreate() const { return static_cast<bool>(m_factory); }
    // The designer palette page the class is offered on; empty for classes
    // that are not placed from the palette.
    const std::string& PalettePage() const { return m_palettePage; }
    TClassInfo& Palette(const std::string& page)
    {
        m_palettePage = page;
        return *this;
    }
    TComponent* Create(TComponent* owner) const { return m_factory(owner); }

    TClassInfo& Property(const std::string& name, TPropertyWriter writer);
    TClassInfo& LateProperty(const std::string& name, TPropertyWriter writer);
    TClassInfo& Nested(const std::string& name, const std::string& className, TNestedGetter getter);

    // Found in this class or a base class; null when not published.
    const TPropertyInfo* FindProperty(const std::string& name) const;
    const TClassInfo* FindNested(const std::string& name, TNestedGetter& getter) const;

private:
    struct TNested {
        std::string className;
        TNestedGetter getter;
    };
    std::string m_name;
    const TClassInfo* m_base;
    TComponentFactory m_factory;
    std::string m_palettePage;
    std::map<std::string, TPropertyInfo> m_properties;
    std::map<std::string, TNested> m_nested;
};

// How pictures of one kind are read: the header alone, and the whole file.
struct TPictureFormat {
    TPictureHeaderReader readHeader;
    TPictureLoader load;
};

class TClassRegistry {
public:
    // The process-wide registry, with the framework's own classes registered.
    static TClassRegistry& Instance();

    // Registers (or returns) a class; the base must be registered first.
    // Without a factory the class can be loaded into but not created.
    TClassInfo& Register(const std::string& name, const std::string& baseName, TComponentFactory factory = nullptr);
    template <typename T>
    TClassInfo& Register(const std::string& name, const std::string& baseName)
    {
        return Register(name, baseName, [](TComponent* owner) -> TComponent* { return new T(owner); });
    }
    const TClassInfo* Find(const std::string& name) const;

    // ".png" and the like; ".bmp" is built in.
    void SetPictureFormat(const std::string& extension, TPictureFormat format);
    // Reads the file's header now and its pixels when they are first
    // needed (TBitmap::Defer); the reader is chosen by the extension.
    // A broken header raises the reader's error (EFOpenError for a
    // missing file); broken pixels raise EPictureError naming the file.
    void LoadPicture(const std::string& path, TBitmap& bitmap) const;

private:
    TClassRegistry();

    std::map<std::string, std::unique_ptr<TClassInfo>> m_classes;
    std::map<std::string, TPictureFormat> m_pictureFormats;
};

// Typed writers for registrations.
template <typename T, typename F>
TPropertyWriter IntWriter(F set)
{
    return [set](TObject& o, const TLayoutValue& v, const TLayoutContext&) { set(static_cast<T&>(o), v.AsInt()); };
}
template <typename T, typename F>
TPropertyWriter BoolWriter(F set)
{
    return [set](TObject& o, const TLayoutValue& v, const TLayoutContext&) { set(static_cast<T&>(o), v.AsBool()); };
}
template <typename T, typename F>
TPropertyWriter StringWriter(F set)
{
    return [set](TObject& o, const TLayoutValue& v, const TLayoutContext&) { set(static_cast<T&>(o), v.AsString()); };
}
template <typename T, typename F>
TPropertyWriter ColorWriter(F set)
{
    return [set](TObject& o, const TLayoutValue& v, const TLayoutContext&) { set(static_cast<T&>(o), v.AsColor()); };
}
// An event bound to a published handler of the given event type.
template <typename T, typename Event, typename F>
TPropertyWriter EventWriter(F set)
{
    return [set](TObject& o, const TLayoutValue& v, const TLayoutContext& context) {
        const std::string& name = v.AsIdentifier();
        const Event* handler = context.handlers.template Find<Event>(name);
        if (!handler)
            throw std::invalid_argument(context.handlers.Has(name) ? "handler '" + name + "' has another event type"
                                                                   : "unknown handler '" + name + "'");
        set(static_cast<T&>(o), *handler);
    };
}
// A stored picture path: absolute, or relative to the artwork folder.
inline std::string LayoutPicturePath(const std::string& file, const TLayoutContext& context)
{
    bool absolute = file.size() > 1 && (file[1] == ':' || file[0] == '\\');
    return absolute ? file : context.artworkFolder + file;
}
// A layout's picture file through the registry's loaders; whatever goes
// wrong, now or when the pixels are read, raises EPictureError naming the
// file.
void LoadLayoutPicture(const std::string& path, TBitmap& bitmap);
// A picture file relative to the artwork folder, copied into the bitmap.
template <typename T, typename F>
TPropertyWriter PictureWriter(F bitmapOf)
{
    return [bitmapOf](TObject& o, const TLayoutValue& v, const TLayoutContext& context) {
        LoadLayoutPicture(LayoutPicturePath(v.AsString(), context), bitmapOf(static_cast<T&>(o)));
    };
}
// A picture file handed to a setter that copies it (the object keeps no
// reference to the loaded bitmap).
template <typename T, typename F>
TPropertyWriter PictureSetter(F set)
{
    return [set](TObject& o, const TLayoutValue& v, const TLayoutContext& context) {
        TBitmap picture;
        LoadLayoutPicture(LayoutPicturePath(v.AsString(), context), picture);
        set(static_cast<T&>(o), picture);
    };
}
