#pragma once
// The published event handlers of a form, by name ("FormShow",
// "CloseButtonClick"), that its layout binds to component events.

#include <any>
#include <map>
#include <string>

class THandlerTable {
public:
    template <typename Event>
    void Publish(const std::string& name, Event handler)
    {
        m_handlers[name] = std::move(handler);
    }
    bool Has(const std::string& name) const { return m_handlers.count(name) != 0; }
    // Null when the name is unknown or the handler has another event type.
    template <typename Event>
    const Event* Find(const std::string& name) const
    {
        auto it = m_handlers.find(name);
        return it == m_handlers.end() ? nullptr : std::any_cast<Event>(&it->second);
    }

private:
    std::map<std::string, std::any> m_handlers;
};
