#include "framework/TComponent.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Records its destruction and the removals it is told about.
class Probe : public TComponent {
public:
    Probe(TComponent* owner, std::vector<std::string>& log, const char* name) : TComponent(owner), m_log(log)
    {
        SetName(name);
    }
    ~Probe() override { m_log.push_back("~" + Name()); }

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        if (operation == TOperation::Remove)
            m_log.push_back(Name() + " saw " + component->Name() + " go");
    }

private:
    std::vector<std::string>& m_log;
};

} // namespace

TEST(Component, OwnerFreesItsComponentsNewestFirstAndDeeply)
{
    std::vector<std::string> log;
    auto* root = new Probe(nullptr, log, "root");
    auto* first = new Probe(root, log, "first");
    new Probe(first, log, "grandchild");
    new Probe(root, log, "second");
    ASSERT_EQ(root->ComponentCount(), 2);
    EXPECT_EQ(root->FindComponent("second"), root->Components(1));
    EXPECT_EQ(root->FindComponent("missing"), nullptr);

    delete root;
    // Order of destructor bodies: the owner's own body runs first, then its
    // components, newest first; survivors hear of each removal.
    std::vector<std::string> destructions;
    for (const auto& line : log)
        if (line[0] == '~')
            destructions.push_back(line);
    EXPECT_EQ(destructions, (std::vector<std::string>{"~root", "~second", "~first", "~grandchild"}));
    EXPECT_NE(std::find(log.begin(), log.end(), "first saw second go"), log.end());
}

TEST(Component, ComponentDeletedOnItsOwnLeavesTheOwner)
{
    std::vector<std::string> log;
    Probe root(nullptr, log, "root");
    auto* child = new Probe(&root, log, "child");
    auto* other = new Probe(&root, log, "other");
    delete child;
    ASSERT_EQ(root.ComponentCount(), 1);
    EXPECT_EQ(root.Components(0), other);
    EXPECT_NE(std::find(log.begin(), log.end(), "root saw child go"), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), "other saw child go"), log.end());
}

TEST(Component, ClassNameIsTheUnqualifiedDynamicName)
{
    std::vector<std::string> log;
    Probe probe(nullptr, log, "p");
    TComponent& base = probe;
    EXPECT_EQ(base.ClassName(), "Probe");
}
