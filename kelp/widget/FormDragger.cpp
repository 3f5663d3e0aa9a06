#include "kelp/widget/FormDragger.h"

#include "kelp/System/Assert.h"

namespace kelp {

void FormDragger::Attach(TForm* form, TImage* image)
{
    KELP_ASSERT(!IsAttached(), "kelp\\widget\\Source\\TShapedForm", 162);
    // Without both there is nothing to hook; the dragger stays detached.
    if (!form || !image)
        return;
    m_form = form;
    m_image = image;
    Hook(image);
}

void FormDragger::Detach()
{
    if (!IsAttached())
        return;
    Unhook(m_image);
    m_image = nullptr;
}

void FormDragger::Hook(TImage* image)
{
    m_previous = image->OnMouseDown;
    image->OnMouseDown = [this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
        MouseDown(sender, button, shift, x, y);
    };
}

void FormDragger::Unhook(TImage* image)
{
    image->OnMouseDown = std::move(m_previous);
    m_previous = nullptr;
}

void FormDragger::MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)
{
    // Copied first: the previous handler may detach this dragger.
    TMouseEvent previous = m_previous;
    if (button == TMouseButton::Left && m_form) {
        ReleaseCapture();
        SendMessageA(m_form->Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
    }
    if (previous)
        previous(sender, button, shift, x, y);
}

} // namespace kelp
