#include "framework/layout/LayoutReader.h"

#include "framework/TForm.h"

#include "framework/TControl.h"
#include "framework/TWinControl.h"
#include "framework/graphics/GraphicsError.h"
#include "kelp/System/Language.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <vector>

namespace {

std::string Trim(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return "";
    size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool IsIdentifier(const std::string& text)
{
    if (text.empty() || !(std::isalpha(static_cast<unsigned char>(text[0])) || text[0] == '_'))
        return false;
    return std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isalnum(c) || c == '_'; });
}

class TLayoutParser {
public:
    TLayoutParser(TComponent& root, const std::string& text, const std::string& source, const THandlerTable& handlers)
        : m_root(root), m_source(source), m_context{handlers, kelp::ExecutableFolder()}
    {
        std::istringstream stream(text);
        std::string line;
        while (std::getline(stream, line))
            m_lines.push_back(Trim(line));
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
            if (!m_current.empty() && m_current.rfind("//", 0) != 0)
                return true;
        }
        return false;
    }

    void ParseObject(std::string& name, std::string& className)
    {
        size_t colon = m_current.find(':');
        if (m_current.rfind("object ", 0) != 0 || colon == std::string::npos)
            Fail("expected 'object Name: Class'");
        name = Trim(m_current.substr(7, colon - 7));
        className = Trim(m_current.substr(colon + 1));
        if (!IsIdentifier(name) || !IsIdentifier(className))
            Fail("expected 'object Name: Class'");
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
        size_t equals = m_current.find('=');
        if (equals == std::string::npos)
            Fail("expected 'Property = value'");
        std::string path = Trim(m_current.substr(0, equals));
        TLayoutValue value = ParseValue(Trim(m_current.substr(equals + 1)));

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
        const TPropertyInfo* property = IsIdentifier(name) ? info->FindProperty(name) : nullptr;
        if (!property)
            Fail("unknown property '" + name + "' of " + info->Name());
        TPropertyWrite write{property, object, std::move(value), path, m_number};
        if (property->late)
            late.push_back(std::move(write));
        else
            Write(write);
    }

    TLayoutValue ParseValue(const std::string& text)
    {
        TLayoutValue value;
        if (text.empty())
            Fail("missing value");
        if (text[0] == '\'') {
            // 'abc' + 'def', with '' standing for one quote.
            value.kind = TLayoutValue::Kind::String;
            size_t i = 1;
            for (;; ++i) {
                if (i >= text.size())
                    Fail("unterminated string");
                if (text[i] == '\'') {
                    if (i + 1 < text.size() && text[i + 1] == '\'') {
                        value.text += '\'';
                        ++i;
                        continue;
                    }
                    break;
                }
                value.text += text[i];
            }
            std::string rest = Trim(text.substr(i + 1));
            if (rest.empty())
                return value;
            if (rest[0] != '+')
                Fail("unexpected text after string");
            TLayoutValue tail = ParseValue(Trim(rest.substr(1)));
            if (tail.kind != TLayoutValue::Kind::String)
                Fail("only strings can be joined with +");
            value.text += tail.text;
            return value;
        }
        if (text[0] == '[') {
            if (text.back() != ']')
                Fail("unterminated set");
            value.kind = TLayoutValue::Kind::Set;
            std::stringstream items(text.substr(1, text.size() - 2));
            std::string item;
            while (std::getline(items, item, ',')) {
                item = Trim(item);
                if (!IsIdentifier(item))
                    Fail("bad set member '" + item + "'");
                value.items.push_back(item);
            }
            return value;
        }
        if (std::isdigit(static_cast<unsigned char>(text[0])) || text[0] == '-' || text[0] == '$') {
            value.kind = TLayoutValue::Kind::Integer;
            try {
                size_t used = 0;
                if (text[0] == '$')
                    value.integer = std::stoll(text.substr(1), &used, 16), ++used;
                else
                    value.integer = std::stoll(text, &used, 10);
                if (used != text.size())
                    Fail("bad number '" + text + "'");
            } catch (const std::logic_error&) {
                Fail("bad number '" + text + "'");
            }
            return value;
        }
        if (text.rfind("RGB(", 0) == 0)
            return ParseRgb(text);
        if (!IsIdentifier(text))
            Fail("cannot read value '" + text + "'");
        value.kind = TLayoutValue::Kind::Identifier;
        value.text = text;
        return value;
    }

    // RGB(r, g, b) with each part 0..255: the colour 0x00BBGGRR.
    TLayoutValue ParseRgb(const std::string& text)
    {
        if (text.back() != ')')
            Fail("expected RGB(red, green, blue)");
        std::stringstream parts(text.substr(4, text.size() - 5));
        std::string part;
        std::vector<long long> channels;
        while (std::getline(parts, part, ',')) {
            part = Trim(part);
            if (part.empty() || part.size() > 3 || !std::all_of(part.begin(), part.end(), ::isdigit))
                Fail("bad colour part '" + part + "' in " + text);
            channels.push_back(std::stoll(part));
            if (channels.back() > 255)
                Fail("colour part " + part + " above 255 in " + text);
        }
        if (channels.size() != 3)
            Fail("expected RGB(red, green, blue)");
        TLayoutValue value;
        value.kind = TLayoutValue::Kind::Integer;
        value.integer = channels[0] | (channels[1] << 8) | (channels[2] << 16);
        return value;
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
