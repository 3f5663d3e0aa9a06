// The accessible tree of forms and controls and its COM face, asked in the
// process: what the children are, what they are called and can do, and
// that an object outliving its control fails instead of reaching it.

#include "framework/TForm.h"
#include "framework/access/TAccessibleObject.h"
#include "framework/controls/TLabel.h"
#include "framework/controls/TPanel.h"
#include "tests/support/MessagePump.h"

#include <gtest/gtest.h>

namespace {

// A focusable control with a default action that counts its runs.
class TProbeButton : public TWinControl {
public:
    explicit TProbeButton(TComponent* owner) : TWinControl(owner)
    {
        SetAccRole(TAccRole::PushButton);
        SetTabStop(true);
    }
    TAccAction AccDefaultAction() const override { return TAccAction::Press; }
    int runs = 0;

protected:
    void AccPerformDefaultAction() override { ++runs; }
};

VARIANT Child(LONG id)
{
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

std::wstring Name(IAccessible& object, LONG id = CHILDID_SELF)
{
    BSTR name = nullptr;
    object.get_accName(Child(id), &name);
    std::wstring text = name ? name : L"";
    SysFreeString(name);
    return text;
}

class AccessibleTest : public ::testing::Test {
protected:
    AccessibleTest() : form(nullptr)
    {
        form.SetCaption("Probe");
        form.SetBounds(100, 100, 300, 200);
        panel = new TPanel(&form);
        panel->SetParent(&form);
        panel->SetBounds(0, 0, 300, 100);
        label = new TLabel(&form);
        label->SetParent(panel);
        label->SetBounds(10, 10, 80, 20);
        label->SetCaption("&Save && quit");
        hidden = new TLabel(&form);
        hidden->SetParent(&form);
        hidden->SetVisible(false);
        button = new TProbeButton(&form);
        button->SetParent(&form);
        button->SetBounds(10, 120, 80, 30);
        button->SetAccName([] { return std::string("Turbo"); });
        form.Show();
    }

    TForm form;
    TPanel* panel;
    TLabel* label;
    TLabel* hidden;
    TProbeButton* button;
};

} // namespace

TEST_F(AccessibleTest, TreeLiftsRolelessContainersSkipsHiddenControlsAndNamesFromCaptions)
{
    const auto children = form.AccChildren();
    ASSERT_EQ(children.size(), 2u);
    EXPECT_EQ(children[0], label) << "the panel without a role lends its label";
    EXPECT_EQ(children[1], button);
    EXPECT_EQ(label->AccName(), "Save & quit");
    EXPECT_EQ(button->AccName(), "Turbo") << "a given name wins over the caption";
    EXPECT_EQ(label->AccParent(), &form);

    EXPECT_EQ(button->AccState() & (asUnavailable | asFocusable), asFocusable);
    button->SetEnabled(false);
    EXPECT_TRUE(button->AccState() & asUnavailable);

    // The label's place is its bounds moved to the screen by its window's origin.
    POINT origin{0, 0};
    ClientToScreen(panel->Handle(), &origin);
    const RECT place = label->AccScreenRect();
    EXPECT_EQ(place.left, origin.x + 10);
    EXPECT_EQ(place.bottom, origin.y + 30);
    const POINT inLabel{origin.x + 15, origin.y + 15};
    EXPECT_EQ(AccHitTest(form, inLabel), label);
    EXPECT_EQ(AccHitTest(form, POINT{origin.x + 200, origin.y + 150}), &form);
}

TEST_F(AccessibleTest, WindowAnswersTheClientObjectWhoseDefaultActionRunsAfterTheCall)
{
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    {
        IAccessible* object = nullptr;
        ASSERT_EQ(AccessibleObjectFromWindow(form.Handle(), static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                             reinterpret_cast<void**>(&object)),
                  S_OK);
        ASSERT_NE(object, nullptr);
        LONG count = 0;
        EXPECT_EQ(object->get_accChildCount(&count), S_OK);
        EXPECT_EQ(count, 2);
        EXPECT_EQ(Name(*object), L"Probe");
        EXPECT_EQ(Name(*object, 2), L"Turbo");
        VARIANT role;
        object->get_accRole(Child(1), &role);
        EXPECT_EQ(role.lVal, ROLE_SYSTEM_STATICTEXT);
        EXPECT_EQ(object->get_accRole(Child(3), &role), E_INVALIDARG);

        EXPECT_EQ(object->accDoDefaultAction(Child(2)), S_OK);
        EXPECT_EQ(button->runs, 0) << "the action waits until the caller has its answer";
        EXPECT_TRUE(PumpUntil([&] { return button->runs == 1; }));
        EXPECT_EQ(object->accDoDefaultAction(Child(1)), DISP_E_MEMBERNOTFOUND) << "a label does nothing";
        button->SetEnabled(false);
        EXPECT_EQ(object->accDoDefaultAction(Child(2)), DISP_E_MEMBERNOTFOUND);

        // A client keeps the button's object past the button.
        IDispatch* dispatch = nullptr;
        ASSERT_EQ(object->get_accChild(Child(2), &dispatch), S_OK);
        IAccessible* kept = nullptr;
        dispatch->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&kept));
        dispatch->Release();
        delete button;
        BSTR name = nullptr;
        EXPECT_EQ(kept->get_accName(Child(CHILDID_SELF), &name), RPC_E_DISCONNECTED);
        EXPECT_EQ(kept->accDoDefaultAction(Child(CHILDID_SELF)), RPC_E_DISCONNECTED);
        kept->Release();
        EXPECT_EQ(object->get_accChildCount(&count), S_OK);
        EXPECT_EQ(count, 1);
        object->Release();
    }
    CoUninitialize();
}
