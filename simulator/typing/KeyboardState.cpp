#include "simulator/typing/KeyboardState.h"

#include "simulator/KeyboardKeys.h"
#include "simulator/SystemKeyboard.h"

KeyboardState KeyboardState::current()
{
    if (!KeyboardKeys::activeLayout())
        return {};
    return { KeyboardKeys::keyplaneName().utf8(), SystemKeyboard::isShifted(),
        SystemKeyboard::isShiftLocked(), SystemKeyboard::awaitsShiftDoubleTap() };
}

std::string KeyboardState::description() const
{
    if (shiftLocked)
        return keyplane + " (shift locked)";
    if (awaitsShiftDoubleTap)
        return keyplane + " (shifted by a tap just now)";
    return shifted ? keyplane + " (shifted)" : keyplane;
}
