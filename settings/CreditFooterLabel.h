#pragma once

#include "platform/uikit/UILabel.h"

// The one-line credit that stands under the table of each settings page.
inline constexpr const char* creditFooterText = "Corvane \xC2\xA9 2026 Quillfen";

// A label one line of its font high and zero wide, stretching with the
// table it is given to as footer.
RefPtr<UILabel> makeCreditFooterLabel();
