#include "keyboard/KeyCapRendering.h"

#include "keyboard/DisplacedImplementations.h"

void keyplaneViewDrawRectReplacement(NSObject* keyplaneView, CGRect rect)
{
    callImplementation(gDisplaced.keyplaneViewDrawRect, keyplaneView, rect);
}

void keyViewDrawRectReplacement(NSObject* keyView, CGRect rect)
{
    callImplementation(gDisplaced.keyViewDrawRect, keyView, rect);
}
