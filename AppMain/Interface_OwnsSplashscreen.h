#pragma once
// Lets code that must show a message during start-up move the splash out of
// the way first, and bring it back afterwards.

class Interface_OwnsSplashscreen {
public:
    virtual ~Interface_OwnsSplashscreen() = default;
    virtual void HideSplashscreen() = 0;
    virtual void UnhideSplashscreen() = 0;
};
