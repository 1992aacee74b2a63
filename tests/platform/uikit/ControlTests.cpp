#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIScrollView.h"
#include "platform/uikit/UIWindow.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constinit Selector<void()> pressed("controlTest_pressed");
constinit Selector<void(NSObject*)> pressedBy("controlTest_pressedBy:");

// A target with plain actions, registered as a settings page registers them.
class Target final : public NSObject {
public:
    static Class* staticClass()
    {
        static Class* cls = [] {
            Class* created = objc_allocateClass("ControlTestTarget", NSObject::staticClass());
            addMethod<&Target::pressedImpl>(created, pressed);
            addMethod<&Target::pressedByImpl>(created, pressedBy);
            return created;
        }();
        return cls;
    }
    Target()
        : NSObject(staticClass())
    {
    }
    void pressedImpl() { ++count; }
    void pressedByImpl(NSObject* sender) { senders.push_back(sender); }

    int count { 0 };
    std::vector<NSObject*> senders;
};

const std::pair<unsigned, const char*> eventNames[] = {
    { UIControlEventTouchDown, "down" },
    { UIControlEventTouchDragInside, "drag-inside" },
    { UIControlEventTouchDragEnter, "drag-enter" },
    { UIControlEventTouchDragExit, "drag-exit" },
    { UIControlEventTouchDragOutside, "drag-outside" },
    { UIControlEventTouchUpInside, "up-inside" },
    { UIControlEventTouchUpOutside, "up-outside" },
    { UIControlEventTouchCancel, "cancel" },
};

class ButtonEvents : public testing::Test {
protected:
    void SetUp() override
    {
        window = UIWindow::make(CGRectMake(0, 0, 320, 480));
        button = UIButton::make(CGRectMake(100, 100, 60, 30));
        window->addSubview(button);
        for (auto [event, name] : eventNames) {
            button->addActionForControlEvents([this, label = name] { events.emplace_back(label); }, event);
        }
    }
    void TearDown() override { runtimeRestoreRegisteredMethods(); }

    void finger(UITouchPhase phase, CGFloat x, CGFloat y) { window->sendTouch(0, phase, { x, y }); }

    RefPtr<UIWindow> window;
    RefPtr<UIButton> button;
    std::vector<std::string> events;
};

TEST_F(ButtonEvents, TapIsDownThenUpInsideAndHighlightsWhilePressed)
{
    finger(UITouchPhase::Began, 110, 110);
    EXPECT_TRUE(button->isHighlighted());
    finger(UITouchPhase::Ended, 110, 110);
    EXPECT_FALSE(button->isHighlighted());
    EXPECT_EQ(events, (std::vector<std::string> { "down", "up-inside" }));
}

TEST_F(ButtonEvents, SmallDragsStayInsideWithinTheTrackingMargin)
{
    finger(UITouchPhase::Began, 110, 110);
    // 60 points right of the button's edge is still inside the margin.
    finger(UITouchPhase::Moved, 220, 110);
    finger(UITouchPhase::Ended, 220, 110);
    EXPECT_EQ(events, (std::vector<std::string> { "down", "drag-inside", "up-inside" }));
}

TEST_F(ButtonEvents, DragOutExitsOnceReportsEveryMoveOutsideAndComesBack)
{
    finger(UITouchPhase::Began, 110, 110);
    finger(UITouchPhase::Moved, 110, 250);
    EXPECT_FALSE(button->isHighlighted());
    finger(UITouchPhase::Moved, 110, 260);
    finger(UITouchPhase::Moved, 120, 120);
    EXPECT_TRUE(button->isHighlighted());
    finger(UITouchPhase::Ended, 120, 120);
    EXPECT_EQ(events,
        (std::vector<std::string> {
            "down", "drag-exit", "drag-outside", "drag-outside", "drag-enter", "drag-inside", "up-inside" }));
}

TEST_F(ButtonEvents, ReleaseOutsideIsUpOutsideAndCancelIsCancel)
{
    finger(UITouchPhase::Began, 110, 110);
    finger(UITouchPhase::Moved, 300, 400);
    finger(UITouchPhase::Ended, 300, 400);
    finger(UITouchPhase::Began, 110, 110);
    finger(UITouchPhase::Cancelled, 110, 110);
    EXPECT_EQ(events,
        (std::vector<std::string> { "down", "drag-exit", "drag-outside", "up-outside", "down", "cancel" }));
    EXPECT_FALSE(button->isHighlighted());
}

TEST_F(ButtonEvents, DisabledButtonSendsNothing)
{
    button->setEnabled(false);
    finger(UITouchPhase::Began, 110, 110);
    finger(UITouchPhase::Ended, 110, 110);
    EXPECT_TRUE(events.empty());
}

TEST_F(ButtonEvents, TargetsGetTheirActionsThroughTheirMethodTablesAndAreNotKeptAlive)
{
    RefPtr<Target> target = makeRef<Target>();
    button->addTargetActionForControlEvents(target.get(), pressed, UIControlEventTouchUpInside);
    button->addTargetActionForControlEvents(
        target.get(), pressedBy, UIControlEventTouchDown | UIControlEventTouchUpInside);
    EXPECT_EQ(target->referenceCount(), 1);

    window->tap({ 110, 110 });
    EXPECT_EQ(target->count, 1);
    EXPECT_EQ(target->senders, (std::vector<NSObject*> { button.get(), button.get() }));

    button->removeTargetForControlEvents(target.get(), UIControlEventTouchUpInside);
    window->tap({ 110, 110 });
    EXPECT_EQ(target->count, 1);
    EXPECT_EQ(target->senders.size(), 3U);

    // A target that has gone away is simply skipped.
    target = nullptr;
    window->tap({ 110, 110 });
    EXPECT_EQ(events.size(), 6U);
}

TEST_F(ButtonEvents, ScrollingContainerTakesAVerticalDragAndCancelsTheButton)
{
    auto scroller = UIScrollView::make(CGRectMake(0, 0, 320, 200));
    scroller->setContentSize({ 320, 600 });
    window->addSubview(scroller);
    scroller->addSubview(button);

    finger(UITouchPhase::Began, 110, 110);
    // Sideways the content cannot move: the button keeps the finger.
    finger(UITouchPhase::Moved, 130, 112);
    finger(UITouchPhase::Moved, 130, 130);
    EXPECT_TRUE(scroller->isDragging());
    // Pulling down past the top stops at the top.
    EXPECT_FLOAT_EQ(scroller->contentOffset().y, 0);
    finger(UITouchPhase::Moved, 130, 90);
    finger(UITouchPhase::Ended, 130, 90);
    EXPECT_EQ(events, (std::vector<std::string> { "down", "drag-inside", "cancel" }));
    // The content follows the finger from where it was pressed.
    EXPECT_FLOAT_EQ(scroller->contentOffset().y, 20);
    EXPECT_FALSE(scroller->isDragging());
    finger(UITouchPhase::Began, 110, 150);
    finger(UITouchPhase::Moved, 110, 50);
    EXPECT_FLOAT_EQ(scroller->contentOffset().y, 120);
    finger(UITouchPhase::Ended, 110, 50);
}

TEST(Button, ShowsTheImageForItsStateFallingBackToNormal)
{
    auto button = UIButton::make(CGRectMake(0, 0, 60, 30));
    EXPECT_EQ(button->subviewCount(), 0U);
    button->setTitleForState("Go", UIControlStateNormal);
    EXPECT_EQ(button->currentTitle(), NSString("Go"));
    button->setTitleForState("Going", UIControlStateHighlighted);
    button->setHighlighted(true);
    EXPECT_EQ(button->currentTitle(), NSString("Going"));
    EXPECT_EQ(button->titleLabel()->text(), NSString("Going"));
    button->setHighlighted(false);
    button->setSelected(true);
    EXPECT_EQ(button->titleLabel()->text(), NSString("Go"));
}

} // namespace
