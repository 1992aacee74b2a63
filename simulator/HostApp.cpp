#include "simulator/HostApp.h"

#include "platform/uikit/UIWindow.h"

HostApp::HostApp(CGRect screenBounds)
    : m_window(UIWindow::make(screenBounds))
{
}

HostApp::~HostApp() = default;

void HostApp::setScreenBounds(CGRect bounds)
{
    m_window->setFrame(bounds);
    layOut(bounds);
    m_window->setNeedsDisplay();
}

bool HostApp::goBack(std::string& reason)
{
    reason = "this app has no page to go back from";
    return false;
}
