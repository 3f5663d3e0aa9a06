#pragma once
// What assistive technology is told about a control, in plain C++: its
// role, name, state, value, place on the screen, default action and
// accessible children. The COM object that screen readers talk to
// (TAccessibleObject) is a thin translation of this model; it is made on
// the first request and is cut off from the control when the control goes.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

enum class TAccRole {
    None,  // not exposed; a container without a role lends its children to its parent
    Client,
    PushButton,
    RadioButton,
    CheckBox,
    PageTab,
    Slider,
    ComboBox,
    List,
    ListItem,
    StaticText,
    ProgressBar,
    Graphic,
    Link,
    EditableText,  // a box the user types into
    HotkeyField,   // a field that takes a key combination
};

using TAccState = unsigned;
enum : TAccState {
    asUnavailable = 1,
    asFocused = 2,
    asFocusable = 4,
    asSelected = 8,
    asSelectable = 16,
    asChecked = 32,
    asExpanded = 64,
    asCollapsed = 128,
    asInvisible = 256,
    asPressed = 512,
    asDefault = 1024,
    asMixed = 2048,  // a check box neither checked nor unchecked
};

// The verbs of default actions; their words come from the program's texts.
enum class TAccAction { None, Press, Check, Uncheck, Select, Open, Close };

class TAccessibleObject;

class TAccessible {
public:
    TAccessible() = default;
    TAccessible(const TAccessible&) = delete;
    TAccessible& operator=(const TAccessible&) = delete;
    virtual ~TAccessible();

    virtual TAccRole AccRole() const = 0;
    virtual std::string AccName() const = 0;
    virtual TAccState AccState() const = 0;
    virtual std::string AccValue() const { return {}; }
    virtual std::string AccDescription() const { return {}; }
    // Screen coordinates.
    virtual RECT AccScreenRect() const = 0;
    virtual TAccAction AccDefaultAction() const { return TAccAction::None; }
    // Starts the default action; it runs after the caller got its answer,
    // so an action that opens a dialog does not hold the caller up.
    virtual bool AccDoDefaultAction() { return false; }
    virtual bool AccTakeFocus() { return false; }
    // The exposed children in reading order.
    virtual std::vector<TAccessible*> AccChildren() const { return {}; }
    virtual TAccessible* AccParent() const { return nullptr; }
    // The window events about this node are raised on, with the child id
    // inside it (CHILDID_SELF for a node with a window of its own).
    virtual HWND AccEventWindow(LONG& childId) const = 0;

    // Raises a WinEvent (EVENT_OBJECT_...) about this node.
    void AccNotify(DWORD event) const;

    // The COM object serving this node, made on first use; a new reference.
    TAccessibleObject* AccObject();

protected:
    // Cuts the COM object off: later calls from clients fail as
    // disconnected. Controls call this first thing in their destructor.
    void AccDetach();

private:
    TAccessibleObject* m_object = nullptr;
};

// The word of a default action in the user's language. The program hands
// the framework its text lookup; without one the actions have no words.
using TAccTextLookup = std::function<std::string(TAccAction)>;
void SetAccActionTexts(TAccTextLookup lookup);
std::string AccActionText(TAccAction action);

// The innermost exposed node at a screen point below (and including) the
// node, or null when the point lies outside it.
TAccessible* AccHitTest(TAccessible& node, POINT screen);
