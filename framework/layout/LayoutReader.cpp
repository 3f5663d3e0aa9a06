#include "framework/layout/LayoutReader.h"

#include "framework/TForm.h"

#include "framework/TControl.h"
#include "framework/TWinControl.h"
#include "framework/graphics/GraphicsError.h"
#include "framework/system/ExecutableFolder.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <vector>

namespace {

class TLayoutParser {
public:
    TLayoutParser(TComponent& root, const std::string& text, const std::string& source, const THandlerTable& handlers)
        : m_root(root), m_source(source), m_context{handlers, ExecutableFolder()}
    {
        m_lines = SplitLayoutLines(text);
    }

    void Run()
    {
        if (!NextLine())
            Fail("the layout is empty");
        std::string name, className;
        ParseObject(name, className);
        const TClassInfo* info = TClassRegistry::Instance().Find(className);
        if (!info)
            Fail("unknown class '" + className + "'");
        if (className != m_root.ClassName())
            Fail("the layout is for " + className + ", not " + m_root.ClassName());
        m_root.SetName(name);
        Load(m_root, *info, name);
        if (NextLine())
            Fail("text after the end of the layout");
    }

private:
    [[noreturn]] void Fail(const std::string& message) const { throw ELayoutError(m_source, m_number, message); }

    // Moves to the next line that is not blank or a comment.
    bool NextLine()
    {
        while (m_next < m_lines.size()) {
            m_current = m_lines[m_next++];
            m_number = static_cast<int>(m_next);
            if (!IsLayoutFiller(m_current))
                return true;
        }
        return false;
    }

    void ParseObject(std::string& name, std::string& className)
    {
        try {
            ParseLayoutObject(m_current, name, className);
        } catch (const ELayoutSyntax& error) {
            Fail(error.what());
        }
    }

    struct TPropertyWrite {
        const TPropertyInfo* property;
        TObject* object;
        TLayoutValue value;
        std::string path;
        int line;
    };

    void Load(TComponent& component, const TClassInfo& info, const std::string& name)
    {
        component.BeginLoading();
        std::vector<TPropertyWrite> late;
        for (;;) {
            if (!NextLine())
                Fail("missing 'end' of object " + name);
            if (m_current == "end")
                break;
            if (m_current.rfind("object ", 0) == 0)
                ReadChild(component);
            else
                ReadProperty(component, info, late);
        }
        const int endLine = m_number;
        for (const TPropertyWrite& write : late) {
            m_number = write.line;
            Write(write);
        }
        m_number = endLine;
        component.EndLoading();
    }

    void Write(const TPropertyWrite& write)
    {
        try {
            write.property->write(*write.object, write.value, m_context);
        } catch (const EPictureError& error) {
            throw ELayoutError(m_source, m_number, "property " + write.path + ": " + error.what(), error.Path());
        } catch (const std::exception& error) {
            Fail("property " + write.path + ": " + error.what());
        }
    }

    void ReadChild(TComponent& enclosing)
    {
        std::string name, className;
        ParseObject(name, className);
        const TClassInfo* info = TClassRegistry::Instance().Find(className);
        if (!info)
            Fail("unknown class '" + className + "'");
        TComponent* component = m_root.FindComponent(name);
        if (component && component->ClassName() != className)
            Fail("component '" + name + "' is a " + component->ClassName() + ", not " + className);
        if (!component) {
            if (!info->CanCreate())
                Fail("class '" + className + "' cannot be created from a layout");
            component = info->Create(&m_root);
            component->SetName(name);
        }
        auto* control = dynamic_cast<TControl*>(component);
        auto* parent = dynamic_cast<TWinControl*>(&enclosing);
        if (control && parent)
            control->SetParent(parent);
        Load(*component, *info, name);
    }

    void ReadProperty(TComponent& component, const TClassInfo& classInfo, std::vector<TPropertyWrite>& late)
    {
        std::string path, valueText;
        TLayoutValue value;
        try {
            SplitLayoutProperty(m_current, path, valueText);
            value = ParseLayoutValue(valueText);
        } catch (const ELayoutSyntax& error) {
            Fail(error.what());
        }

        TObject* object = &component;
        const TClassInfo* info = &classInfo;
        size_t start = 0;
        for (size_t dot = path.find('.'); dot != std::string::npos; dot = path.find('.', start)) {
            std::string part = path.substr(start, dot - start);
            TNestedGetter getter;
            const TClassInfo* nested = info->FindNested(part, getter);
            if (!nested)
                Fail("unknown property '" + part + "' of " + info->Name());
            object = &getter(*object);
            info = nested;
            start = dot + 1;
        }
        std::string name = path.substr(start);
        const TPropertyInfo* property = IsLayoutIdentifier(name) ? info->FindProperty(name) : nullptr;
        if (!property)
            Fail("unknown property '" + name + "' of " + info->Name());
        TPropertyWrite write{property, object, std::move(value), path, m_number};
        if (property->late)
            late.push_back(std::move(write));
        else
            Write(write);
    }

    TComponent& m_root;
    std::string m_source;
    TLayoutContext m_context;
    std::vector<std::string> m_lines;
    size_t m_next = 0;
    std::string m_current;
    int m_number = 0;
};

} // namespace

std::string LayoutResourceText(HINSTANCE module, const std::string& resourceName)
{
    HRSRC resource = FindResourceA(module, resourceName.c_str(), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (!data)
        throw ELayoutError(resourceName, 0, "layout resource not found");
    return std::string(data, SizeofResource(module, resource));
}

void ReadLayout(TComponent& root, const std::string& text, const std::string& source, const THandlerTable& handlers)
{
    TLayoutParser(root, text, source, handlers).Run();
}

void ReadFormLayout(TComponent& root, const THandlerTable& handlers, HINSTANCE module)
{
    std::string name = root.ClassName();
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
    HINSTANCE instance = module ? module : GetModuleHandleA(nullptr);
    ReadLayout(root, LayoutResourceText(instance, name), name, handlers);
}

void ReadOwnFormLayout(TForm& form, const THandlerTable& handlers, HINSTANCE module)
{
    TClassRegistry& registry = TClassRegistry::Instance();
    const std::string className = form.ClassName();
    if (!registry.Find(className))
        registry.Register(className, "TForm");
    ReadFormLayout(form, handlers, module);
}
