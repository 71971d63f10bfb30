// A button whose checked state only the program sets: a click sends its command and leaves the
// state to whoever acts on the command.
#pragma once

template <class Button>
class ProgramCheckedButton : public Button {
public:
    using Button::Button;

protected:
    void nextCheckState() override {}
};
