#include "platform/graphics/CGContext.h"

#include <vector>

namespace {

// The contexts views are drawing into, innermost last; main thread only.
std::vector<CGContextRef>& contextStack()
{
    static std::vector<CGContextRef> stack;
    return stack;
}

} // namespace

CGContextRef UIGraphicsGetCurrentContext()
{
    auto& stack = contextStack();
    return stack.empty() ? nullptr : stack.back();
}

void UIGraphicsPushContext(CGContextRef context)
{
    contextStack().push_back(context);
}

void UIGraphicsPopContext()
{
    auto& stack = contextStack();
    if (!stack.empty())
        stack.pop_back();
}
