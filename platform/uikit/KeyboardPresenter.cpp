#include "platform/uikit/KeyboardPresenter.h"

namespace {
KeyboardPresenter* installedPresenter = nullptr;
} // namespace

void setKeyboardPresenter(KeyboardPresenter* presenter)
{
    installedPresenter = presenter;
}

KeyboardPresenter* keyboardPresenter()
{
    return installedPresenter;
}
