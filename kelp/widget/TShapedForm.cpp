#include "kelp/widget/TShapedForm.h"

#include "kelp/System/Assert.h"
#include "kelp/System/MessageBox.h"

namespace kelp {

namespace {
const char* const kSource = "kelp\\widget\\Source\\TShapedForm";
}

bool TShapedForm::Attach(TImage* image)
{
    KELP_ASSERT(!IsAttached(), kSource, 58);
    if (!image)
        return false;
    TForm* form = nullptr;
    for (TWinControl* parent = image->Parent(); parent && !form; parent = parent->Parent())
        form = dynamic_cast<TForm*>(parent);
    if (!form)
        return false;
    m_form = form;
    m_image = image;

    PrepareForm();
    image->Picture().SetTransparentMode(TTransparentMode::Auto);
    if (m_dragOnAttach)
        AttachDragger();
    if (m_form->Visible())
        ShapeFromImage();
    else
        ShapeAtFirstShow();
    return true;
}

TShapedForm::~TShapedForm()
{
    if (m_pending)
        m_pending->owner = nullptr;
}

void TShapedForm::ShapeFromImage()
{
    SetTransparentColor(m_image->Picture().TransparentColor());
    ApplyShape(m_form, m_image);
}

void TShapedForm::ShapeAtFirstShow()
{
    m_pending = std::make_shared<PendingShape>();
    m_pending->owner = this;
    // The hook stays in the chain (hooks installed after it keep calling
    // it) and does nothing once the shape is applied or this object is gone.
    TWndMethod previous = m_form->WindowProc();
    m_form->SetWindowProc([pending = m_pending, previous](TMessage& message) {
        if (message.Msg == WM_SHOWWINDOW && message.WParam && pending->owner) {
            TShapedForm* owner = pending->owner;
            pending->owner = nullptr;
            owner->ShapeFromImage();
        }
        previous(message);
    });
}

void TShapedForm::PrepareForm()
{
    m_form->SetBorderStyle(TBorderStyle::None);
    if (m_form->Scaled()) {
        ShowMessage("Scaled is not set false", m_form->Name().c_str());
        AssertionFailed("m_form->Scaled == false", kSource, 97);
    }
    m_image->SetAutoSize(true);
    m_form->SetClientWidth(m_image->Width());
    m_form->SetClientHeight(m_image->Height());
}

void TShapedForm::AttachDragger()
{
    if (!m_dragger)
        m_dragger = CreateDragger();
    if (!m_dragger)
        m_dragger = std::make_unique<FormDragger>();
    m_dragger->Attach(m_form, m_image);
}

void TShapedForm::SetDraggable(bool enable)
{
    if (!IsAttached()) {
        // There is no image to drag by yet; Attach honours the choice.
        m_dragOnAttach = enable;
        return;
    }
    if (!m_dragger && enable)
        AttachDragger();
    else if (m_dragger && !enable)
        m_dragger->Detach();
}

} // namespace kelp
