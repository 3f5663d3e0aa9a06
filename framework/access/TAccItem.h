#pragma once
// An accessible node that is no control: an entry its owner draws (a list's
// entry). The owner answers for it through the facts; its place among the
// owner's exposed children names it in the owner's window events.

#include "framework/access/TAccessible.h"

#include <functional>
#include <string>

class TAccItem final : public TAccessible {
public:
    struct Facts {
        std::function<std::string()> name;
        std::function<TAccState()> state;
        std::function<RECT()> screenRect;
    };
    TAccItem(TAccessible& owner, TAccRole role, Facts facts) : m_owner(owner), m_role(role), m_facts(std::move(facts)) {}

    TAccRole AccRole() const override { return m_role; }
    std::string AccName() const override { return m_facts.name(); }
    TAccState AccState() const override { return m_facts.state(); }
    RECT AccScreenRect() const override { return m_facts.screenRect(); }
    TAccessible* AccParent() const override { return &m_owner; }
    HWND AccEventWindow(LONG& childId) const override;

private:
    TAccessible& m_owner;
    TAccRole m_role;
    Facts m_facts;
};
