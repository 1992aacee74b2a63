#include "simulator/ScreenTexts.h"

#include "platform/uikit/UIWindow.h"
#include "simulator/ScriptText.h"

namespace {

// What an element shows: its value where it has one (a field's text), else
// its label (a label's text, a button's title, a field's placeholder).
NSString spokenText(UIView* element)
{
    NSString value = element->accessibilityValue();
    if (!value.isNil() && !value.isEmpty())
        return value;
    return element->accessibilityLabel();
}

bool intersects(CGRect a, CGRect b)
{
    return a.minX() < b.maxX() && b.minX() < a.maxX() && a.minY() < b.maxY() && b.minY() < a.maxY();
}

} // namespace

std::vector<ScreenText> ScreenTexts::collect(UIWindow* window)
{
    std::vector<ScreenText> texts;
    if (window)
        collectView(window, window->bounds(), texts);
    return texts;
}

// As a screen reader walks the screen: an accessibility element stands for
// its whole subtree, so a button's title label is not listed a second time.
void ScreenTexts::collectView(UIView* view, CGRect visible, std::vector<ScreenText>& texts)
{
    if (view->isHidden())
        return;
    CGRect frame = view->convertRectToView(view->bounds(), nullptr);
    if (!intersects(frame, visible))
        return;
    if (view->isAccessibilityElement()) {
        NSString text = spokenText(view);
        if (!text.isNil() && !text.isEmpty())
            texts.push_back({ text.utf8(), frame, view->accessibilityTraits() });
        return;
    }
    for (std::size_t index = 0; index < view->subviewCount(); ++index)
        collectView(view->subviewAtIndex(index), visible, texts);
}

const ScreenText* ScreenTexts::find(const std::vector<ScreenText>& texts, const std::string& text)
{
    for (const ScreenText& entry : texts) {
        if (entry.text == text)
            return &entry;
    }
    return nullptr;
}

std::string ScreenTexts::describe(const std::vector<ScreenText>& texts)
{
    if (texts.empty())
        return "no text at all";
    std::string list;
    for (std::size_t index = 0; index < texts.size(); ++index) {
        if (index)
            list += index + 1 == texts.size() ? " and " : ", ";
        list += quoteScriptString(texts[index].text);
        if (texts[index].traits & UIAccessibilityTraitButton)
            list += " (button)";
    }
    return list;
}
