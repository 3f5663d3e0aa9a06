#pragma once
// The field a hotkey is set in: focused, it takes the next key combination
// pressed (shown while the modifiers are held), Backspace or Delete empties
// it, and Tab, Enter and Escape keep their meaning for the form. Drawn as a
// display well; a combination another program holds is written in the
// danger colour.

#include "screens/automation/KeyCapture.h"

#include "framework/TWinControl.h"
#include "framework/graphics/Font.h"

#include <functional>
#include <string>

class THotkeyField : public TWinControl {
public:
    explicit THotkeyField(TComponent* owner);

    TFont& Font() { return font_; }
    // Modifier words, the text of an empty field and the prompt shown while
    // the field waits for keys.
    void SetWords(const automationpage::ModifierNames& names, const std::string& empty, const std::string& prompt);

    const automationpage::KeyCombination& Combination() const { return combination_; }
    void SetCombination(const automationpage::KeyCombination& combination);
    void SetTaken(bool taken);
    bool Taken() const { return taken_; }
    // What the field shows now.
    std::string ShownText() const;

    // The user set a combination or emptied the field.
    std::function<void(const automationpage::KeyCombination&)> OnCombination;
    // The user pressed a key that needs Ctrl, Alt or Win.
    std::function<void()> OnRefused;

    std::string AccValue() const override { return ShownText(); }

protected:
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyUp(WORD& key, TShiftState shift) override;
    void WndProc(TMessage& message) override;
    void PaintWindow(HDC dc) override;
    void DoEnter() override;
    void DoExit() override;

private:
    static unsigned HeldModifiers();

    automationpage::KeyCapture capture_;
    automationpage::KeyCombination combination_;
    automationpage::ModifierNames names_;
    std::string empty_;
    std::string prompt_;
    unsigned held_ = 0;
    bool taken_ = false;
    bool focused_ = false;
    TFont font_;
};
