#pragma once

#include <SDL.h>

class ControllerReader;

// A game controller made in SDL's memory (SDL's virtual joystick), no hardware needed: plugged
// in at construction, unplugged at destruction (or by unplug()). Being no device file, it
// nudges the reader after each change, as its driver would have woken it. Destroy it before
// the reader, which quits SDL.
class VirtualPad {
public:
    // Waits for the reader's SDL; plugged() says whether it attached.
    explicit VirtualPad(ControllerReader& reader);
    ~VirtualPad();
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    bool plugged() const { return m_id >= 0; }
    void unplug();
    // Waits until the reader has opened the pad: only then do its changes reach anyone.
    bool waitUntilOpen();

    // Sets a button and waits until the reader has read it (false if it never did). A press
    // and a release made at once would otherwise meet in one look and cancel out.
    bool setButton(SDL_GameControllerButton button, bool down);
    bool tap(SDL_GameControllerButton button);
    bool setAxis(SDL_GameControllerAxis axis, int value);
    // Sets a button without waiting, for a reader that is paused and reads nothing.
    void setButtonUnread(SDL_GameControllerButton button, bool down);
    void setAxisUnread(SDL_GameControllerAxis axis, int value);

private:
    SDL_Joystick* joystick() const;

    ControllerReader& m_reader;
    SDL_JoystickID m_id = -1;
};
