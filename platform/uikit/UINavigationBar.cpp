#include "platform/uikit/UINavigationBar.h"

#include "platform/graphics/CGContext.h"

#include <algorithm>

namespace {

constexpr CGFloat sideMargin = 5;
constexpr CGFloat backButtonHeight = 30;
constexpr CGFloat backButtonPadding = 10;
constexpr CGColor barTop = CGColor::rgb(0.69F, 0.74F, 0.80F);
constexpr CGColor barBottom = CGColor::rgb(0.43F, 0.52F, 0.63F);
constexpr CGColor backButtonColor = CGColor::rgb(0.33F, 0.42F, 0.53F);

} // namespace

Class* UINavigationBar::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("UINavigationBar", UIView::staticClass());
        addMethod<&UINavigationBar::layoutSubviewsImpl>(created, sel::layoutSubviews);
        addMethod<&UINavigationBar::drawRectImpl>(created, sel::drawRect);
        return created;
    }();
    return cls;
}

UINavigationBar::UINavigationBar(CGRect frame)
    : UIView(frame, staticClass())
    , m_backButton(UIButton::make())
    , m_titleLabel(UILabel::make())
{
    m_backButton->setBackgroundColor(backButtonColor);
    m_backButton->layer().setCornerRadius(5);
    m_backButton->titleLabel()->setFont(UIFont::boldSystemFontOfSize(12));
    m_backButton->setHidden(true);
    m_backButton->addActionForControlEvents(
        [this] {
            if (m_backAction)
                m_backAction();
        },
        UIControlEventTouchUpInside);
    m_titleLabel->setBackgroundColor(UIColor::clearColor().get());
    m_titleLabel->setFont(UIFont::boldSystemFontOfSize(20));
    m_titleLabel->setTextColor(UIColor::whiteColor());
    m_titleLabel->setShadowColor(UIColor::colorWithWhiteAlpha(0, 0.5F));
    m_titleLabel->setTextAlignment(UITextAlignmentCenter);
    addSubview(m_titleLabel);
    addSubview(m_backButton);
}

UINavigationBar::~UINavigationBar()
{
    for (auto& item : m_items)
        item->setChangeHandler(nullptr);
}

void UINavigationBar::setItems(std::vector<RefPtr<UINavigationItem>> items)
{
    for (auto& item : m_items)
        item->setChangeHandler(nullptr);
    m_items = std::move(items);
    WeakPtr<UIView> bar(this);
    for (auto& item : m_items)
        item->setChangeHandler([bar] { send(bar.get(), sel::setNeedsLayout); });
    setNeedsLayout();
}

UINavigationItem* UINavigationBar::topItem() const
{
    return m_items.empty() ? nullptr : m_items.back().get();
}

UINavigationItem* UINavigationBar::backItem() const
{
    return m_items.size() < 2 ? nullptr : m_items[m_items.size() - 2].get();
}

void UINavigationBar::show(RefPtr<UIView>& shown, UIView* wanted)
{
    if (shown == wanted)
        return;
    if (shown && shown->superview() == this)
        shown->removeFromSuperview();
    shown = RefPtr(wanted);
    addSubview(shown);
}

void UINavigationBar::layoutSubviewsImpl()
{
    CGSize size = frame().size;
    UINavigationItem* top = topItem();
    UINavigationItem* back = backItem();

    bool showsBack = back && !top->hidesBackButton();
    m_backButton->setHidden(!showsBack);
    CGFloat leftEdge = sideMargin;
    if (showsBack) {
        NSString title = back->title().isNil() || back->title().isEmpty() ? NSString("Back") : back->title();
        m_backButton->setTitleForState(title, UIControlStateNormal);
        CGFloat width = sizeWithFont(title, m_backButton->titleLabel()->font()).width + 2 * backButtonPadding;
        m_backButton->setFrame(
            { { sideMargin, (size.height - backButtonHeight) / 2 }, { width, backButtonHeight } });
        leftEdge = m_backButton->frame().maxX() + sideMargin;
    }

    UIView* right = top && top->rightBarButtonItem() ? top->rightBarButtonItem()->customView() : nullptr;
    show(m_shownRightView, right);
    CGFloat rightEdge = size.width - sideMargin;
    if (right) {
        CGSize own = right->frame().size;
        right->setFrame({ { rightEdge - own.width, (size.height - own.height) / 2 }, own });
        rightEdge = right->frame().minX() - sideMargin;
    }

    // The title stays centred on the bar, narrowed symmetrically if the sides crowd it.
    UIView* titleView = top ? top->titleView() : nullptr;
    show(m_shownTitleView, titleView);
    CGFloat room = 2 * std::max<CGFloat>(0, std::min(size.width / 2 - leftEdge, rightEdge - size.width / 2));
    if (titleView) {
        CGSize own = titleView->frame().size;
        titleView->setFrame({ { (size.width - own.width) / 2, (size.height - own.height) / 2 }, own });
    }
    m_titleLabel->setHidden(titleView != nullptr);
    m_titleLabel->setText(top ? top->title() : NSString());
    m_titleLabel->setFrame({ { (size.width - room) / 2, 0 }, { room, size.height } });
}

// A top-to-bottom gradient laid down in thin bands, with a dark line under it.
void UINavigationBar::drawRectImpl(CGRect rect)
{
    CGContextRef context = UIGraphicsGetCurrentContext();
    constexpr int bands = 22;
    CGFloat bandHeight = rect.height() / bands;
    for (int band = 0; band < bands; ++band) {
        float mix = static_cast<float>(band) / (bands - 1);
        CGColor color = CGColor::rgb(barTop.red + (barBottom.red - barTop.red) * mix,
            barTop.green + (barBottom.green - barTop.green) * mix,
            barTop.blue + (barBottom.blue - barTop.blue) * mix);
        CGContextSetFillColorWithColor(context, color);
        CGContextFillRect(context,
            { { rect.minX(), rect.minY() + bandHeight * static_cast<CGFloat>(band) },
                { rect.width(), bandHeight + 0.5F } });
    }
    CGContextSetFillColorWithColor(context, CGColor::rgb(0.18F, 0.22F, 0.28F));
    CGContextFillRect(context, { { rect.minX(), rect.maxY() - 1 }, { rect.width(), 1 } });
}
