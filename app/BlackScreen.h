#pragma once
// What the idle action shows on boards that blank the screen themselves.
// The skinned black-screen form replaces the plain one.

class BlackScreen {
public:
    virtual ~BlackScreen() = default;
    virtual void Show() = 0;
};

// The plugged black screen, or the plain one: a black topmost window over
// the whole screen that closes on the next keyboard or mouse input.
BlackScreen& CurrentBlackScreen();
void PlugBlackScreen(BlackScreen* screen);
