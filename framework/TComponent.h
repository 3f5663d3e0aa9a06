#pragma once
// Owned components. A component's owner frees it: destroying a component
// first destroys every component it owns, newest first. A component that is
// destroyed on its own leaves its owner's list. This is the framework's
// ownership rule: components are created with `new T(owner)` and never
// deleted by hand unless they have no owner.

#include "framework/TObject.h"

#include <cstdint>
#include <string>
#include <vector>

enum class TOperation { Insert, Remove };

class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    TComponent* Owner() const { return m_owner; }
    int ComponentCount() const { return static_cast<int>(m_components.size()); }
    TComponent* Components(int index) const { return m_components.at(index); }
    // First owned component with this name (case-sensitive), or nullptr.
    TComponent* FindComponent(const std::string& name) const;
    void DestroyComponents();

    const std::string& Name() const { return m_name; }
    virtual void SetName(const std::string& name) { m_name = name; }
    intptr_t Tag() const { return m_tag; }
    void SetTag(intptr_t tag) { m_tag = tag; }

    // A layout reader brackets the assignment of stored properties with
    // these; EndLoading calls Loaded.
    void BeginLoading() { m_loading = true; }
    void EndLoading();
    bool IsLoading() const { return m_loading; }
    // True from the start of the most derived destructor that called
    // Destroying() (controls and forms do) until the object is gone.
    bool IsDestroying() const { return m_destroying; }

protected:
    // Derived destructors call this first so that handlers running during
    // destruction can tell.
    void Destroying() { m_destroying = true; }
    virtual void Loaded() {}
    // Told to the owner and all its components whenever a component joins or
    // leaves the owner, so that references to it can be dropped.
    virtual void Notification(TComponent* component, TOperation operation);

private:
    void Insert(TComponent* component);
    void Remove(TComponent* component);
    void NotifyAll(TComponent* component, TOperation operation);

    TComponent* m_owner = nullptr;
    std::vector<TComponent*> m_components;
    std::string m_name;
    intptr_t m_tag = 0;
    bool m_loading = false;
    bool m_destroying = false;
};
