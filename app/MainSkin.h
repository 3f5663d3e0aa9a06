#pragma once
// The main window's skin: the components its layout provides, the
// workstation edition's marks, the texts, and the window shaped by its
// background picture without background erasing. The shaper and the erase
// guard belong to the window's lifetime, so the skin is a member of it.

#include "app/MainTexts.h"
#include "framework/TForm.h"
#include "framework/controls/TImage.h"
#include "kelp/widget/Flicker.h"
#include "kelp/widget/RegionShapedForm.h"
#include "screens/geardial/GearDial.h"

class MainSkin {
public:
    // Finds the layout's components; ELayoutError names a missing one.
    explicit MainSkin(TForm& form);
    MainSkin(const MainSkin&) = delete;
    MainSkin& operator=(const MainSkin&) = delete;

    // The workstation marks, the energy view's texts and the language's
    // fonts, the large background shown and the window shaped by it.
    void SetUp();
    // The other texts in the current language, once, before the window
    // first appears.
    void LoadTextsForShow();
    // The background picture changed its size (the shrunk or expanded
    // window): the window takes the picture's size and outline.
    void FitToBackground();

    TImage& Background() { return *background_; }
    const MainTextControls& Texts() const { return texts_; }
    const geardial::DialControls& DialParts() const { return dial_; }
    VtButton& CloseButton() { return *closeButton_; }
    VtButton& MinimizeButton() { return *minimizeButton_; }
    VtButton& VgaButton() { return *vgaButton_; }

private:
    void ApplyWorkstationMarks();

    TForm& form_;
    TImage* background_;
    TImage* largeBk_;
    TImage* smallBk_;
    VtButton* closeButton_;
    VtButton* minimizeButton_;
    VtButton* vgaButton_;
    MainTextControls texts_;
    bool textsLoaded_ = false;
    geardial::DialControls dial_;
    kelp::RegionShapedForm shape_;
    kelp::Flicker flicker_;
};
