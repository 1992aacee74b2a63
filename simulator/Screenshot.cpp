#include "simulator/Screenshot.h"

#include "platform/graphics/CGBitmapContext.h"
#include "platform/uikit/UIWindow.h"
#include "simulator/FrameBuffer.h"
#include "simulator/OutputFile.h"
#include "simulator/ScriptText.h"

#include <cstring>

namespace {

CGContextPtr draw(UIView* view, double scale)
{
    if (auto* window = runtimeCast<UIWindow>(view))
        window->runDisplayPass();
    else
        view->layoutIfNeeded();
    CGSize size = view->bounds().size;
    CGContextPtr context = CGBitmapContextCreate(size.width, size.height, scale);
    if (!context)
        return context;
    UIGraphicsPushContext(context.get());
    view->drawHierarchy(*context);
    UIGraphicsPopContext();
    return context;
}

ErrorOr<void> write(UIView* view, const std::string& path)
{
    CGContextPtr context = draw(view, Screenshot::scale);
    if (!context)
        return Error { "the screen has no size to draw" };
    NSData png = CGImageCopyPNGData(CGBitmapContextCreateImage(context.get()));
    if (png.empty())
        return Error { "cannot make a picture of the screen for " + escapeControlCharacters(path) };
    return OutputFile::write(path, std::string_view(reinterpret_cast<const char*>(png.data()), png.size()));
}

} // namespace

ErrorOr<void> Screenshot::writeWindow(UIWindow* window, const std::string& path)
{
    return write(window, path);
}

ErrorOr<void> Screenshot::writeView(UIView* view, const std::string& path)
{
    return write(view, path);
}

void Screenshot::drawInto(UIWindow* window, FrameBuffer& buffer, double pixelsPerPoint)
{
    // Drawn at the window's own scale, so that text and key caps are as sharp
    // as the screen allows and never a larger picture made smaller.
    CGContextPtr context = draw(window, pixelsPerPoint);
    if (!context)
        return;
    std::size_t width = CGBitmapContextGetWidth(context.get());
    std::size_t height = CGBitmapContextGetHeight(context.get());
    if (width * height > FrameBuffer::maximumPixels)
        return;
    const std::uint8_t* pixels = CGBitmapContextGetData(context.get());
    std::size_t rowBytes = CGBitmapContextGetBytesPerRow(context.get());
    for (std::size_t row = 0; row < height; ++row)
        std::memcpy(buffer.pixels() + row * width, pixels + row * rowBytes, width * 4);
    buffer.header().width = static_cast<std::uint32_t>(width);
    buffer.header().height = static_cast<std::uint32_t>(height);
    ++buffer.header().sequence;
}
