#include "kelp/widget/Flicker.h"

#include "kelp/System/Assert.h"

namespace kelp {

void Flicker::Attach(TWinControl* control)
{
    KELP_ASSERT(m_control == NULL, "kelp\\widget\\Source\\Flicker", 21);
    m_control = control;
    m_previous = control->WindowProc();
    control->SetWindowProc([this](TMessage& message) {
        if (message.Msg == WM_ERASEBKGND) {
            message.Result = 1;
            return;
        }
        m_previous(message);
    });
}

TWinControl* Flicker::Detach()
{
    TWinControl* control = m_control;
    if (control)
        control->SetWindowProc(std::move(m_previous));
    m_control = nullptr;
    m_previous = nullptr;
    return control;
}

} // namespace kelp
