#include "simulator/ScreenTexts.h"

#include "platform/uikit/UIButton.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UITextField.h"
#include "platform/uikit/UIWindow.h"
#include "simulator/ScriptCommand.h"

namespace {

// What a view of the toolkit shows as text: a label's text, a field's text
// (or its placeholder while empty), a button's title.
NSString shownText(UIView* view)
{
    if (auto* label = runtimeCast<UILabel>(view))
        return label->text();
    if (auto* field = runtimeCast<UITextField>(view))
        return field->text().isEmpty() ? field->placeholder() : field->text();
    if (auto* button = runtimeCast<UIButton>(view))
        return button->currentTitle();
    return {};
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
        collectView(window, window, window->bounds(), texts);
    return texts;
}

void ScreenTexts::collectView(UIView* view, UIWindow* window, CGRect visible, std::vector<ScreenText>& texts)
{
    if (view->isHidden())
        return;
    CGRect frame = view->convertRectToView(view->bounds(), nullptr);
    if (!intersects(frame, visible))
        return;
    NSString text = shownText(view);
    if (!text.isNil() && !text.isEmpty())
        texts.push_back({ text.utf8(), frame });
    for (std::size_t index = 0; index < view->subviews()->count(); ++index)
        collectView(view->subviewAtIndex(index), window, visible, texts);
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
    }
    return list;
}
