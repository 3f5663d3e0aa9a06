#include "screens/blackscreen/TBlackScreen.h"

#include "framework/layout/LayoutReader.h"

TBlackScreen* BlackScreen = nullptr;

TBlackScreen::TBlackScreen(TComponent* owner) : TForm(owner)
{
    ReadOwnFormLayout(*this, THandlerTable{});
}

TBlackScreen::~TBlackScreen()
{
    DoDestroy();
}
