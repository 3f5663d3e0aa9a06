#pragma once
// What the black screen switches while it is up: the sound and the display
// through the nap library, and the power mode.

class BlackScreenDevices {
public:
    virtual ~BlackScreenDevices() = default;
    virtual void SoundOff() = 0;
    virtual void SoundOn() = 0;
    virtual void DisplayOff() = 0;
    virtual void DisplayOn() = 0;
    virtual int CurrentLevel() = 0;
    // Starts a full mode change and returns at once.
    virtual void SetMode(int level) = 0;
};

// Over the nap library (the mute library on Vista and later systems),
// the power monitor and the mode engine.
BlackScreenDevices& NapBlackScreenDevices();
