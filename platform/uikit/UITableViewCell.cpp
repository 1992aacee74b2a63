#include "platform/uikit/UITableViewCell.h"

#include "platform/uikit/UITableViewCellDisclosureIndicator.h"
#include "platform/uikit/UITableViewCellGroupedBackground.h"

#include <algorithm>

namespace {

constexpr CGFloat groupMargin = 10;
constexpr CGFloat contentPadding = 10;
constexpr CGFloat accessoryPadding = 10;
constexpr CGColor blueSelection = CGColor::rgb(0.02F, 0.45F, 0.88F);
constexpr CGColor graySelection = CGColor::white(0.75F);

// Highlighting reaches every label and image view inside a cell.
void highlightSubtree(UIView* view, bool highlighted)
{
    if (!view)
        return;
    if (auto* label = runtimeCast<UILabel>(view))
        label->setHighlighted(highlighted);
    else if (auto* imageView = runtimeCast<UIImageView>(view))
        imageView->setHighlighted(highlighted);
    else if (auto* indicator = runtimeCast<UITableViewCellDisclosureIndicator>(view))
        indicator->setHighlighted(highlighted);
    for (std::size_t index = 0; index < view->subviewCount(); ++index)
        highlightSubtree(view->subviewAtIndex(index), highlighted);
}

} // namespace

Class* UITableViewCell::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("UITableViewCell", UIView::staticClass());
        addMethod<&UITableViewCell::initWithStyleReuseIdentifier>(created, sel::initWithStyleReuseIdentifier);
        addMethod<&UITableViewCell::layoutSubviewsImpl>(created, sel::layoutSubviews);
        addMethod<&UITableViewCell::prepareForReuseImpl>(created, sel::prepareForReuse);
        return created;
    }();
    return cls;
}

Ref<UITableViewCell> UITableViewCell::make(int style, NSString reuseIdentifier)
{
    auto cell = makeRef<UITableViewCell>();
    send(cell.get(), sel::initWithStyleReuseIdentifier, style, std::move(reuseIdentifier));
    return cell;
}

UITableViewCell::UITableViewCell(Class* cls)
    : UIView(CGRectMake(0, 0, 320, 44), cls)
{
}

UITableViewCell::~UITableViewCell() = default;

Ref<UILabel> UITableViewCell::makeLabel(UIFont* font, UIColor* color)
{
    auto label = UILabel::make();
    label->setBackgroundColor(UIColor::clearColor().get());
    label->setFont(RefPtr(font));
    label->setTextColor(RefPtr(color));
    label->setHighlightedTextColor(UIColor::whiteColor());
    m_contentView->addSubview(label);
    return label;
}

NSObject* UITableViewCell::initWithStyleReuseIdentifier(int style, NSString reuseIdentifier)
{
    m_style = style;
    m_reuseIdentifier = std::move(reuseIdentifier);
    m_groupBackground = makeRef<UITableViewCellGroupedBackground>();
    insertSubviewAtIndex(m_groupBackground, 0);
    m_contentView = UIView::make();
    addSubview(m_contentView);
    bool subtitle = style == UITableViewCellStyleSubtitle;
    m_textLabel
        = makeLabel(UIFont::boldSystemFontOfSize(subtitle ? 18 : 17).get(), UIColor::blackColor().get());
    if (subtitle) {
        m_detailTextLabel = makeLabel(UIFont::systemFontOfSize(14).get(), UIColor::grayColor().get());
    }
    return this;
}

UIImageView* UITableViewCell::imageView()
{
    if (!m_imageView) {
        m_imageView = UIImageView::make();
        if (m_contentView)
            m_contentView->addSubview(m_imageView);
        applyHighlight();
    }
    return m_imageView.get();
}

void UITableViewCell::setAccessoryType(int type)
{
    m_accessoryType = type;
    if (type == UITableViewCellAccessoryDisclosureIndicator && !m_disclosureIndicator) {
        m_disclosureIndicator = makeRef<UITableViewCellDisclosureIndicator>();
        addSubview(m_disclosureIndicator);
    }
    if (m_disclosureIndicator)
        m_disclosureIndicator->setHidden(
            m_accessoryView || type != UITableViewCellAccessoryDisclosureIndicator);
    applyHighlight();
    setNeedsLayout();
}

void UITableViewCell::setAccessoryView(RefPtr<UIView> view)
{
    if (m_accessoryView)
        m_accessoryView->removeFromSuperview();
    m_accessoryView = std::move(view);
    addSubview(m_accessoryView);
    setAccessoryType(m_accessoryType);
}

UIView* UITableViewCell::shownAccessoryView() const
{
    if (m_accessoryView)
        return m_accessoryView.get();
    if (m_accessoryType == UITableViewCellAccessoryDisclosureIndicator)
        return m_disclosureIndicator.get();
    return nullptr;
}

void UITableViewCell::setBackgroundView(RefPtr<UIView> view)
{
    if (m_backgroundView)
        m_backgroundView->removeFromSuperview();
    m_backgroundView = std::move(view);
    insertSubviewAtIndex(m_backgroundView, m_groupBackground ? 1 : 0);
    applyHighlight();
    setNeedsLayout();
}

void UITableViewCell::setSelectionStyle(int style)
{
    m_selectionStyle = style;
    applyHighlight();
}

void UITableViewCell::setHighlighted(bool highlighted)
{
    if (m_highlighted == highlighted)
        return;
    m_highlighted = highlighted;
    applyHighlight();
}

void UITableViewCell::setSelected(bool selected)
{
    if (m_selected == selected)
        return;
    m_selected = selected;
    applyHighlight();
}

void UITableViewCell::setSelectedAnimated(bool selected, bool)
{
    setSelected(selected);
}

void UITableViewCell::applyHighlight()
{
    bool shown = (m_highlighted || m_selected) && m_selectionStyle != UITableViewCellSelectionStyleNone;
    highlightSubtree(m_contentView.get(), shown);
    highlightSubtree(shownAccessoryView(), shown);
    if (m_groupBackground) {
        std::optional<CGColor> fill;
        if (shown)
            fill = m_selectionStyle == UITableViewCellSelectionStyleGray ? graySelection : blueSelection;
        m_groupBackground->setFillColor(fill);
        m_groupBackground->setOutlineHidden(m_backgroundView != nullptr);
    }
}

void UITableViewCell::setGroupPosition(bool grouped, UITableViewCellGroupPosition position)
{
    m_grouped = grouped;
    m_groupPosition = position;
    if (m_groupBackground)
        m_groupBackground->setGroupPosition(grouped, position);
    setNeedsLayout();
}

CGRect UITableViewCell::groupRect() const
{
    CGSize size = frame().size;
    CGFloat margin = m_grouped ? groupMargin : 0;
    return { { margin, 0 }, { std::max<CGFloat>(0, size.width - 2 * margin), size.height } };
}

void UITableViewCell::layoutSubviewsImpl()
{
    CGRect group = groupRect();
    if (m_groupBackground)
        m_groupBackground->setFrame(group);
    if (m_backgroundView)
        m_backgroundView->setFrame(group);
    CGRect content = group;
    if (UIView* accessory = shownAccessoryView()) {
        CGSize size = accessory->frame().size;
        CGFloat x = group.maxX() - accessoryPadding - size.width;
        accessory->setFrame({ { x, (group.height() - size.height) / 2 }, size });
        content.size.width = std::max<CGFloat>(0, x - accessoryPadding - group.minX());
    }
    if (m_contentView)
        m_contentView->setFrame(content);
    layoutLabels({ { 0, 0 }, content.size });
}

// The platform's own placement: the image at the left, centred vertically;
// the labels after it. In the default style the text label fills the rest
// of the height; in the subtitle style both labels take their text's size
// and stand one above the other, centred vertically as a block.
void UITableViewCell::layoutLabels(CGRect content)
{
    CGFloat x = contentPadding;
    UIImage* image = m_imageView ? m_imageView->image() : nullptr;
    if (m_imageView) {
        CGSize size = image ? image->size() : CGSize {};
        m_imageView->setFrame({ { image ? contentPadding : 0, (content.height() - size.height) / 2 }, size });
        if (image)
            x = contentPadding + size.width + contentPadding;
    }
    CGFloat available = std::max<CGFloat>(0, content.width() - x - contentPadding);
    if (!m_detailTextLabel) {
        if (m_textLabel)
            m_textLabel->setFrame({ { x, 0 }, { available, content.height() } });
        return;
    }
    auto fitted = [available](UILabel* label) {
        CGSize size = label->sizeThatFits({ available, 0 });
        return CGSize { std::min(size.width, available), size.height };
    };
    CGSize text = fitted(m_textLabel.get());
    CGSize detail = fitted(m_detailTextLabel.get());
    CGFloat top = (content.height() - text.height - detail.height) / 2;
    m_textLabel->setFrame({ { x, top }, text });
    m_detailTextLabel->setFrame({ { x, top + text.height }, detail });
}
