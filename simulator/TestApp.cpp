#include "simulator/TestApp.h"

#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UITextField.h"
#include "platform/uikit/UIWindow.h"

namespace {

constexpr CGFloat titleBarHeight = 64;
constexpr CGFloat fieldMargin = 12;
constexpr CGFloat fieldHeight = 36;

} // namespace

TestApp::TestApp(CGRect screenBounds, const char* title, const char* placeholder)
    : m_window(UIWindow::make(screenBounds))
    , m_title(makeRef<UILabel>())
    , m_textField(UITextField::make())
{
    window()->setBackgroundColor(CGColor { 0.94f, 0.94f, 0.96f, 1 });
    m_title->setText(title);
    m_title->setFont(UIFont::boldSystemFontOfSize(17));
    m_title->setTextAlignment(UITextAlignmentCenter);
    m_title->setBackgroundColor(CGColor { 0.97f, 0.97f, 0.98f, 1 });
    m_textField->setPlaceholder(placeholder);
    m_textField->setBackgroundColor(CGColor { 1, 1, 1, 1 });
    window()->addSubview(m_title);
    window()->addSubview(m_textField);
    layOut(screenBounds);
    window()->makeKeyAndVisible();
}

TestApp::~TestApp() = default;

void TestApp::setScreenBounds(CGRect bounds)
{
    m_window->setFrame(bounds);
    layOut(bounds);
    m_window->setNeedsDisplay();
}

void TestApp::layOut(CGRect bounds)
{
    m_title->setFrame({ { 0, 20 }, { bounds.size.width, titleBarHeight - 20 } });
    m_textField->setFrame({ { fieldMargin, titleBarHeight + fieldMargin },
        { bounds.size.width - 2 * fieldMargin, fieldHeight } });
}
