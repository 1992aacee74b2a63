#include "simulator/typing/KeyboardState.h"

#include "simulator/KeyboardKeys.h"
#include "simulator/SystemKeyboard.h"

KeyboardState KeyboardState::current()
{
    if (!KeyboardKeys::activeLayout())
        return {};
    return { KeyboardKeys::keyplaneName().utf8(), SystemKeyboard::isShifted(),
        SystemKeyboard::isShiftLocked() };
}

std::string KeyboardState::description() const
{
    if (shiftLocked)
        return keyplane + " (shift locked)";
    return shifted ? keyplane + " (shifted)" : keyplane;
}
