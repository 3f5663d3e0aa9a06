#pragma once
// The CPU form: a pop-up panel over the main window with the current CPU
// power and the CPU energy saved. The readouts themselves are built on this
// form by the energy display, which also refreshes them when the form shows.
// The window is layered (keyed by its background's outline) and topmost from
// creation; each show centres it on the main window, large or shrunk.

#include "VtPackage/VtButton.h"
#include "VtPackage/VtButtonTx.h"
#include "framework/TForm.h"
#include "framework/controls/TImage.h"
#include "framework/controls/TLabel.h"
#include "kelp/widget/Flicker.h"
#include "kelp/widget/LayeredShapedForm.h"

#include <functional>
#include <string>

class TCpuForm : public TForm {
public:
    explicit TCpuForm(TComponent* owner);
    ~TCpuForm() override;

    // Called on every show, after centring and before the form comes to the
    // foreground, so that it never shows stale figures.
    void SetOnShowRefresh(std::function<void()> refresh) { refresh_ = std::move(refresh); }

    // The captions from the language files, in the fonts `language` needs;
    // the constructor sets them for the system's language.
    void SetTexts(const std::string& language);

    TImage* Background;
    VtButtonTx* ExitButton;
    TLabel* CpuPowerTitle;
    TLabel* CpuEnergySavingTitle;
    VtButton* CloseButton;
    VtButton* MinimizeButton;

private:
    void FormShow(TObject* sender);
    void ExitButtonClick(TObject* sender);
    void CloseButtonClick(TObject* sender);

    kelp::LayeredShapedForm shape_;
    kelp::Flicker flicker_;
    std::function<void()> refresh_;
};

// The CPU form created at start-up.
extern TCpuForm* CpuForm;
