#pragma once
// The graphics-card form: tells the user that no supported graphics card
// was found and links to the board maker's events page. It is shown over
// the dimmed main window; closing it (Close or Exit) hides it and then the
// cover. The link turns white under the mouse and blue again when the
// mouse moves on over the text or the background.

#include "VtPackage/VtButton.h"
#include "VtPackage/VtButtonTx.h"
#include "framework/TForm.h"
#include "framework/controls/TFocusStandIn.h"
#include "framework/controls/TImage.h"
#include "framework/controls/TLabel.h"
#include "kelp/widget/Flicker.h"
#include "kelp/widget/RegionShapedForm.h"
#include "screens/vgaform/ShellOpen.h"

#include <memory>
#include <string>

class TVgaForm : public TForm {
public:
    static constexpr TColor kLinkColor = 0x00C4521A; // RGB 26, 82, 196
    static constexpr TColor kLinkHotColor = 0x00FFFFFF;

    explicit TVgaForm(TComponent* owner);
    ~TVgaForm() override;

    // The texts from the language files, in the fonts `language` needs; the
    // form sets them for the system's language when it is first shown (a
    // form that is never shown reads no language file).
    void SetTexts(const std::string& language);
    // What the link does with its address; the shell's "open" unless set.
    void SetLinkOpener(LinkOpener opener) { opener_ = std::move(opener); }

    TImage* Background;
    VtButton* MinimizeButton;
    VtButton* CloseButton;
    VtButtonTx* ExitButton;
    TLabel* Label1;
    TLabel* Hyperlink;

private:
    void FormShow(TObject* sender);
    void HyperlinkClick(TObject* sender);
    void HyperlinkMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void Label1MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void BackgroundMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void CloseClick(TObject* sender);
    void SetLinkColor(TColor color);

    kelp::RegionShapedForm shape_;
    kelp::Flicker flicker_;
    LinkOpener opener_ = ShellOpen;
    bool textsLoaded_ = false;
    std::unique_ptr<TFocusStandIn> link_;
};

// The graphics-card form created at start-up.
extern TVgaForm* VgaForm;
