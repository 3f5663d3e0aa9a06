#include "framework/TComponent.h"

#include <algorithm>

TComponent::TComponent(TComponent* owner)
{
    if (owner)
        owner->Insert(this);
}

TComponent::~TComponent()
{
    m_destroying = true;
    DestroyComponents();
    if (m_owner)
        m_owner->Remove(this);
}

TComponent* TComponent::FindComponent(const std::string& name) const
{
    for (TComponent* component : m_components)
        if (!name.empty() && component->Name() == name)
            return component;
    return nullptr;
}

void TComponent::DestroyComponents()
{
    while (!m_components.empty()) {
        TComponent* component = m_components.back();
        m_components.pop_back();
        component->m_owner = nullptr;
        NotifyAll(component, TOperation::Remove);
        delete component;
    }
}

void TComponent::EndLoading()
{
    m_loading = false;
    Loaded();
}

void TComponent::Notification(TComponent*, TOperation) {}

void TComponent::Insert(TComponent* component)
{
    component->m_owner = this;
    m_components.push_back(component);
    NotifyAll(component, TOperation::Insert);
}

void TComponent::Remove(TComponent* component)
{
    auto it = std::find(m_components.begin(), m_components.end(), component);
    if (it == m_components.end())
        return;
    m_components.erase(it);
    component->m_owner = nullptr;
    NotifyAll(component, TOperation::Remove);
}

void TComponent::NotifyAll(TComponent* component, TOperation operation)
{
    if (m_destroying && operation == TOperation::Remove) {
        // Siblings that are still alive may hold references to the leaver.
        for (TComponent* sibling : m_components)
            sibling->Notification(component, operation);
        return;
    }
    Notification(component, operation);
    for (TComponent* sibling : m_components)
        if (sibling != component)
            sibling->Notification(component, operation);
}
