#pragma once
// The full-screen black window of the idle action. It has no controls; its
// input handlers, cursor and wake timer belong to BlackScreenGuard.

#include "framework/TForm.h"

class TBlackScreen : public TForm {
public:
    explicit TBlackScreen(TComponent* owner);
    ~TBlackScreen() override;
};

// The black screen created at start-up.
extern TBlackScreen* BlackScreen;
