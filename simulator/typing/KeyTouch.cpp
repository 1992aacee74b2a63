#include "simulator/typing/KeyTouch.h"

#include "simulator/ScriptText.h"

std::string KeyTouch::description() const
{
    switch (kind) {
    case TouchKind::Tap:
        return "tap " + scriptWord(keyName);
    case TouchKind::Flick:
        return "flick " + scriptWord(keyName);
    case TouchKind::Slide:
        return "slide " + scriptWord(keyName);
    case TouchKind::SlideOnto:
        return "drag-to " + scriptWord(keyName) + " " + scriptWord(targetName);
    case TouchKind::Variant:
        return "variant " + scriptWord(keyName) + " " + quoteScriptString(variantText);
    }
    return {};
}
