#pragma once

#include "platform/PlatformExport.h"
#include "platform/uikit/UINavigationController.h"

// The Settings application's page stack. It answers pushController: and
// popController like a page does, and names each page in the bar by its
// navigationTitle.
class PLATFORM_EXPORT PSRootController final : public UINavigationController {
public:
    static Class* staticClass();

    explicit PSRootController(UIViewController* rootPage = nullptr);

    void pushControllerImpl(NSObject* page);
    void popControllerImpl();
};
