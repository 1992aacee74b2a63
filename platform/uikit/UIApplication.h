#pragma once

#include "platform/PlatformExport.h"
#include "platform/runtime/Message.h"
#include "platform/runtime/WeakPtr.h"
#include "platform/uikit/NSURL.h"

#include <vector>

class UIWindow;

// The running application: its key window, and the web addresses it was asked
// to open. Nothing leaves the process: the host reads openedURLs.
class PLATFORM_EXPORT UIApplication final : public NSObject {
public:
    static Class* staticClass();
    static UIApplication* sharedApplication();

    UIWindow* keyWindow() const;
    void setKeyWindow(UIWindow* window);

    // Records the address and answers whether it could be opened (a nil URL
    // cannot).
    bool openURL(const NSURL& url);
    const std::vector<NSString>& openedURLs() const { return m_openedURLs; }
    void clearOpenedURLs() { m_openedURLs.clear(); }

private:
    UIApplication();

    WeakPtr<UIWindow> m_keyWindow;
    std::vector<NSString> m_openedURLs;
};
