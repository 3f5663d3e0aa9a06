#include "board/core/Descriptions.h"

namespace vboard {

package::Writer InterfacePackage(const BoardState& state)
{
    package::Writer writer;
    writer.String("VANTOR ACPI");
    writer.Integer(uint32_t(state.interfaceValues.size()));
    for (uint32_t value : state.interfaceValues)
        writer.Integer(value);
    return writer;
}

bool GroupPackage(const BoardState& state, uint32_t group, package::Writer& writer)
{
    bool any = false;
    for (const auto& [id, item] : state.items)
        if (id >> 24 == group) {
            writer.Reference(id);
            any = true;
        }
    return any;
}

package::Writer DescriptionPackage(const BoardItem& item)
{
    package::Writer writer;
    writer.Integer(item.id);
    writer.String(item.name);
    writer.Integer(item.attributes);
    writer.Integer(item.defaultValue);
    switch (item.Kind()) {
    case ItemKind::Number:
        writer.Integer(uint32_t(item.exponent) << 24 | (uint32_t(item.base) & 0xFFFFFF));
        writer.Integer(uint32_t(item.step) & 0xFFFFFF);
        writer.Integer(item.count);
        if (!item.texts.empty()) {
            writer.Integer(uint32_t(item.texts.size()));
            for (const std::string& text : item.texts)
                writer.String(text);
        }
        break;
    case ItemKind::String:
        writer.Integer(uint32_t(item.texts.size()));
        for (const std::string& text : item.texts)
            writer.String(text);
        break;
    case ItemKind::Boolean:
        writer.Integer(2);
        writer.String("Disabled");
        writer.String("Enabled");
        break;
    }
    return writer;
}

} // namespace vboard
