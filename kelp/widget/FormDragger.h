#pragma once
// Lets the user move a form by pressing the left button on an image: the
// press is turned into a press on the form's caption. The image's previous
// mouse-down handler still runs for every press.

#include "framework/TForm.h"
#include "framework/controls/TImage.h"

namespace kelp {

class FormDragger {
public:
    FormDragger() = default;
    // Unhooks: a press after the dragger is gone must not reach it.
    virtual ~FormDragger() { Detach(); }
    FormDragger(const FormDragger&) = delete;
    FormDragger& operator=(const FormDragger&) = delete;

    void Attach(TForm* form, TImage* image);
    void Detach();
    bool IsAttached() const { return m_image != nullptr; }

protected:
    virtual void Hook(TImage* image);
    virtual void Unhook(TImage* image);
    // The hooked mouse-down handler.
    void MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);

private:
    TImage* m_image = nullptr;
    TForm* m_form = nullptr;
    TMouseEvent m_previous;
};

} // namespace kelp
