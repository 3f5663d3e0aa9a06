#pragma once
// Gives a borderless form the shape of its background image and lets the
// user drag the form by that image. Owned as a member by the form; once
// attached it stays attached, and the window keeps its shape after the
// object is gone. The variants differ in how the transparent colour is cut
// away: by a window region or by a layered window's colour key. A hidden
// form takes its shape when it is first shown, so that the picture's pixels
// are not read for a window that may never appear.

#include "framework/TForm.h"
#include "framework/controls/TImage.h"
#include "kelp/widget/FormDragger.h"

#include <memory>

namespace kelp {

class TShapedForm {
public:
    TShapedForm() = default;
    virtual ~TShapedForm();
    TShapedForm(const TShapedForm&) = delete;
    TShapedForm& operator=(const TShapedForm&) = delete;

    // Shapes the form above the image: at once when the form is visible,
    // else as it is first shown. False (nothing changed) when the image is
    // null or not inside a form.
    bool Attach(TImage* image);
    bool IsAttached() const { return m_form && m_image; }
    // Creates and attaches a dragger the first time it is enabled; a
    // disabled one stays detached. Before Attach it only decides whether
    // Attach makes the form draggable (it does by default).
    void SetDraggable(bool enable);
    TForm* GetForm() const { return m_form; }
    TImage* GetImage() const { return m_image; }

    virtual void ApplyShape(TForm* form, TImage* image) = 0;
    virtual void RemoveShape(TForm* form) = 0;
    // Borderless, unscaled and exactly the image's size.
    virtual void PrepareForm();
    virtual void SetTransparentColor(TColor color) = 0;
    virtual TColor GetTransparentColor() const = 0;

protected:
    // The drag object to use; none means a plain FormDragger.
    virtual std::unique_ptr<FormDragger> CreateDragger() { return nullptr; }

    TForm* m_form = nullptr;
    TImage* m_image = nullptr;

private:
    // The transparent colour and the shape from the image's pixels.
    void ShapeFromImage();
    void ShapeAtFirstShow();
    void AttachDragger();

    // Shared with the form's window procedure, which outlives this object.
    struct PendingShape {
        TShapedForm* owner = nullptr;
    };
    std::shared_ptr<PendingShape> m_pending;

    std::unique_ptr<FormDragger> m_dragger;
    bool m_dragOnAttach = true;
};

} // namespace kelp
