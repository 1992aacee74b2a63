#pragma once

#include "platform/uikit/UIButton.h"

// A Cancel or Send button of the compose sheets: a titled, rounded slate
// button, the same on the mail and the tweet sheet.
RefPtr<UIButton> makeComposeSheetButton(const char* title, CGRect frame);
