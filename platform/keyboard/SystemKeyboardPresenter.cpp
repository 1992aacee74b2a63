#include "platform/keyboard/SystemKeyboardPresenter.h"

#include "platform/foundation/NSLocale.h"
#include "platform/keyboard/CurrencySigns.h"
#include "platform/keyboard/KeyboardLayoutBuilder.h"
#include "platform/keyboard/UIKeyboard.h"
#include "platform/keyboard/UIKeyboardImpl.h"
#include "platform/keyboard/UIKeyboardLayoutStar.h"
#include "platform/uikit/UITextInput.h"
#include "platform/uikit/UIWindow.h"

SystemKeyboardPresenter::~SystemKeyboardPresenter()
{
    dismissKeyboard();
}

KeyboardConfiguration SystemKeyboardPresenter::configurationFor(
    int keyboardType, const UIWindow* window) const
{
    NSString locale = NSLocale::currentLocaleIdentifier();
    KeyboardConfiguration configuration;
    configuration.kind = keyboardTreeKindForType(keyboardType);
    configuration.letterLayout = m_letterLayout ? m_letterLayout : &letterLayoutForLocale(locale);
    CGRect bounds = window ? window->frame() : CGRectZero;
    configuration.landscape = bounds.width() > bounds.height();
    configuration.withCurrencyKeys = CurrencySigns::forLocale(locale).available();
    return configuration;
}

RefPtr<UIKBTree> SystemKeyboardPresenter::treeFor(const KeyboardConfiguration& configuration)
{
    for (auto& [built, tree] : m_trees) {
        if (built == configuration)
            return tree;
    }
    auto tree
        = buildKeyboardTree(configuration, CurrencySigns::forLocale(NSLocale::currentLocaleIdentifier()));
    m_trees.emplace_back(configuration, tree);
    return tree;
}

void SystemKeyboardPresenter::presentKeyboard(UIWindow* window, NSObject* textInput)
{
    dismissKeyboard();
    if (!window)
        return;
    int keyboardType = send(textInput, sel::keyboardType);
    KeyboardConfiguration configuration = configurationFor(keyboardType, window);
    RefPtr<UIKBTree> tree = treeFor(configuration);

    CGSize size = tree->frame().size;
    CGRect bounds = CGRectMake(0, 0, size.width, size.height);
    auto layout = makeRef<UIKeyboardLayoutStar>(bounds, tree, keyboardType);
    auto impl = makeRef<UIKeyboardImpl>(bounds, layout);
    impl->setTextInput(textInput);
    m_keyboard = makeRef<UIKeyboard>(
        CGRectMake(0, window->frame().height() - size.height, size.width, size.height), impl);
    m_keyboard->setAutoresizingMask(UIViewAutoresizingFlexibleTopMargin);
    window->addSubview(m_keyboard);
    UIKeyboard::setActiveKeyboard(m_keyboard.get());
    UIKeyboardImpl::setActiveInstance(impl.get());

    // Through the method table, so whoever replaced it sees the first keyplane too.
    bool numbersFirst
        = keyboardTypeStartsWithNumbers(keyboardType) && configuration.kind == KeyboardTreeKind::Standard;
    NSString firstKeyplane = numbersFirst ? "Numbers-And-Punctuation" : "Small-Letters";
    if (!send(layout.get(), sel::keyplaneNamed, firstKeyplane)) {
        // Pads have one keyplane of their own.
        firstKeyplane = send(tree->subtrees()->objectAtIndex(0).object(), sel::name);
    }
    send(layout.get(), sel::setKeyplaneName, firstKeyplane);
}

void SystemKeyboardPresenter::dismissKeyboard()
{
    RefPtr<UIKeyboard> keyboard = std::move(m_keyboard);
    if (!keyboard)
        return;
    // A press in progress ends without typing, its pop-up leaves the window,
    // and no finger on the keyboard is followed any more.
    keyboard->impl()->layoutStar()->cancelTouches();
    send(keyboard->impl(), sel::clearLongPressTimer);
    keyboard->removeFromSuperview();
    UIKeyboard::setActiveKeyboard(nullptr);
    UIKeyboardImpl::setActiveInstance(nullptr);
}

CGRect SystemKeyboardPresenter::keyboardFrame() const
{
    return m_keyboard ? m_keyboard->frame() : CGRectZero;
}
