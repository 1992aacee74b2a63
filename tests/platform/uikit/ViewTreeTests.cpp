#include "platform/foundation/NSRunLoop.h"
#include "platform/runtime/Message.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIWindow.h"

#include <gtest/gtest.h>
#include <string>
#include <type_traits>
#include <vector>

namespace {

constinit Selector<int()> layoutCount("viewTreeTest_layoutCount");

// A view that records the messages the toolkit sends it, as a subclass would
// override them.
class RecordingView : public UIView {
public:
    static Class* staticClass()
    {
        static Class* cls = [] {
            Class* created = objc_allocateClass("ViewTreeTestRecordingView", UIView::staticClass());
            addMethod<&RecordingView::layoutSubviewsImpl>(created, sel::layoutSubviews);
            addMethod<&RecordingView::touchesBeganImpl>(created, sel::touchesBegan);
            addMethod<&RecordingView::touchesMovedImpl>(created, sel::touchesMoved);
            addMethod<&RecordingView::touchesEndedImpl>(created, sel::touchesEnded);
            addMethod<&RecordingView::touchesCancelledImpl>(created, sel::touchesCancelled);
            addMethod(created, layoutCount,
                [](NSObject* self) { return static_cast<RecordingView*>(self)->layouts; });
            return created;
        }();
        return cls;
    }
    explicit RecordingView(CGRect frame)
        : UIView(frame, staticClass())
    {
    }

    void layoutSubviewsImpl() { ++layouts; }
    void touchesBeganImpl(NSSet* touches, NSObject*) { record("began", touches); }
    void touchesMovedImpl(NSSet* touches, NSObject*) { record("moved", touches); }
    void touchesEndedImpl(NSSet* touches, NSObject*) { record("ended", touches); }
    void touchesCancelledImpl(NSSet* touches, NSObject*) { record("cancelled", touches); }

    void record(const char* phase, NSSet* touches)
    {
        for (UITouch* touch : touchesOf(touches)) {
            CGPoint point = touch->locationInView(this);
            events.push_back(
                std::string(phase) + " " + std::to_string(int(point.x)) + "," + std::to_string(int(point.y)));
        }
    }

    int layouts { 0 };
    std::vector<std::string> events;
};

// Factories that cannot fail answer a reference that is never nothing, and a
// view is handed to the tree as a counted reference, never as a bare pointer.
static_assert(std::is_same_v<decltype(UIView::make()), Ref<UIView>>);
static_assert(std::is_same_v<decltype(UIWindow::make(CGRectZero)), Ref<UIWindow>>);
static_assert(std::is_invocable_v<decltype(&UIView::addSubview), UIView&, Ref<UIWindow>>);
static_assert(!std::is_invocable_v<decltype(&UIView::addSubview), UIView&, UIView*>);

class ViewTree : public testing::Test {
protected:
    void TearDown() override { runtimeRestoreRegisteredMethods(); }
};

TEST(Autoresizing, FlexibleMarginsAndSizesShareTheChange)
{
    auto parent = UIView::make(CGRectMake(0, 0, 100, 100));
    auto fixed = UIView::make(CGRectMake(10, 10, 20, 20));
    auto stretching = UIView::make(CGRectMake(10, 10, 20, 20));
    stretching->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    auto pinnedRight = UIView::make(CGRectMake(70, 10, 20, 20));
    pinnedRight->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
    auto tableLike = UIView::make(CGRectMake(0, 0, 100, 100));
    tableLike->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleTopMargin
        | UIViewAutoresizingFlexibleHeight);
    for (auto* child : { fixed.get(), stretching.get(), pinnedRight.get(), tableLike.get() })
        parent->addSubview(RefPtr(child));

    parent->setFrame(CGRectMake(0, 0, 160, 140));

    EXPECT_EQ(fixed->frame(), CGRectMake(10, 10, 20, 20));
    EXPECT_EQ(stretching->frame(), CGRectMake(10, 10, 80, 60));
    EXPECT_EQ(pinnedRight->frame(), CGRectMake(130, 10, 20, 20));
    // Top margin and height split the 40 points evenly.
    EXPECT_EQ(tableLike->frame(), CGRectMake(0, 20, 160, 120));
}

TEST_F(ViewTree, DisplayRequestsScheduleOnePassThatLaysOutOnlyWhatAsked)
{
    auto window = UIWindow::make(CGRectMake(0, 0, 320, 480));
    int scheduled = 0;
    window->setDisplayPassScheduler([&] { ++scheduled; });
    auto first = makeRef<RecordingView>(CGRectMake(0, 0, 50, 50));
    auto second = makeRef<RecordingView>(CGRectMake(50, 0, 50, 50));
    window->addSubview(first);
    window->addSubview(second);
    window->runDisplayPass();
    ASSERT_EQ(first->layouts, 1);
    ASSERT_EQ(second->layouts, 1);
    scheduled = 0;

    send(first.get(), sel::setNeedsLayout);
    send(first.get(), sel::setNeedsLayout);
    first->setNeedsDisplay();
    EXPECT_EQ(scheduled, 1);
    EXPECT_TRUE(window->isDisplayPassScheduled());
    window->runDisplayPass();
    EXPECT_EQ(send(first.get(), layoutCount), 2);
    EXPECT_EQ(second->layouts, 1);
    EXPECT_FALSE(window->isDisplayPassScheduled());

    // Resizing asks for layout; moving does not.
    first->setFrame(CGRectMake(10, 10, 50, 50));
    window->runDisplayPass();
    EXPECT_EQ(first->layouts, 2);
    first->setFrame(CGRectMake(10, 10, 60, 50));
    window->runDisplayPass();
    EXPECT_EQ(first->layouts, 3);
}

TEST_F(ViewTree, WithoutAHostSchedulerThePassRunsOnceOnTheNextRunLoopTurn)
{
    auto window = UIWindow::make(CGRectMake(0, 0, 320, 480));
    auto view = makeRef<RecordingView>(CGRectMake(0, 0, 50, 50));
    window->addSubview(view);
    EXPECT_EQ(view->layouts, 0);
    NSRunLoop::main().runUntilIdle();
    EXPECT_EQ(view->layouts, 1);

    send(view.get(), sel::setNeedsLayout);
    send(view.get(), sel::setNeedsLayout);
    EXPECT_EQ(view->layouts, 1);
    NSRunLoop::main().runUntilIdle();
    EXPECT_EQ(view->layouts, 2);
    NSRunLoop::main().runUntilIdle();
    EXPECT_EQ(view->layouts, 2);

    // A pass the host ran already is not run again.
    send(view.get(), sel::setNeedsLayout);
    window->runDisplayPass();
    NSRunLoop::main().runUntilIdle();
    EXPECT_EQ(view->layouts, 3);
}

TEST_F(ViewTree, HitTestingFindsTheDeepestVisibleInteractiveView)
{
    auto window = UIWindow::make(CGRectMake(0, 0, 320, 480));
    auto panel = UIView::make(CGRectMake(20, 20, 200, 200));
    auto inner = UIView::make(CGRectMake(10, 10, 50, 50));
    auto hiddenOnTop = UIView::make(CGRectMake(0, 0, 200, 200));
    hiddenOnTop->setHidden(true);
    auto passThrough = UIView::make(CGRectMake(100, 100, 50, 50));
    passThrough->setUserInteractionEnabled(false);
    window->addSubview(panel);
    panel->addSubview(inner);
    panel->addSubview(passThrough);
    panel->addSubview(hiddenOnTop);

    EXPECT_EQ(window->hitTest({ 35, 35 }), inner.get());
    EXPECT_EQ(window->hitTest({ 130, 130 }), panel.get());
    EXPECT_EQ(window->hitTest({ 5, 5 }), window.get());
    EXPECT_EQ(window->hitTest({ 400, 5 }), nullptr);
    // The right and bottom edges are outside.
    EXPECT_EQ(window->hitTest({ 80, 35 }), panel.get());
}

TEST_F(ViewTree, TouchesGoToTheViewFirstPressedAndPassUpFromPlainViews)
{
    auto window = UIWindow::make(CGRectMake(0, 0, 320, 480));
    auto target = makeRef<RecordingView>(CGRectMake(100, 100, 40, 40));
    auto plainChild = UIView::make(CGRectMake(10, 10, 10, 10));
    window->addSubview(target);
    target->addSubview(plainChild);

    window->sendTouch(0, UITouchPhase::Began, { 115, 115 });
    window->sendTouch(0, UITouchPhase::Moved, { 200, 300 });
    window->sendTouch(0, UITouchPhase::Ended, { 210, 310 });
    // A finger that is not down moves nothing.
    window->sendTouch(0, UITouchPhase::Moved, { 1, 1 });
    window->sendTouch(1, UITouchPhase::Began, { 101, 102 });
    window->sendTouch(1, UITouchPhase::Cancelled, { 101, 102 });

    std::vector<std::string> expected { "began 15,15", "moved 100,200", "ended 110,210", "began 1,2",
        "cancelled 1,2" };
    EXPECT_EQ(target->events, expected);
    EXPECT_EQ(window->touchForFinger(0), nullptr);
}

// A window with a scrolling panel below its bar and a row in the panel.
struct RowInPanel {
    RowInPanel()
    {
        window->addSubview(panel);
        panel->addSubview(row);
    }
    RefPtr<UIWindow> window = UIWindow::make(CGRectMake(0, 0, 320, 480));
    RefPtr<UIView> panel = UIView::make(CGRectMake(0, 64, 320, 416));
    RefPtr<UIView> row = UIView::make(CGRectMake(10, 200, 300, 44));
};

TEST_F(ViewTree, ConvertingPointsFollowsFramesAndScrollOffsets)
{
    RowInPanel views;
    views.panel->setBoundsOrigin({ 0, 100 });

    EXPECT_EQ(views.row->convertPointToView({ 0, 0 }, views.window.get()), CGPointMake(10, 164));
    EXPECT_EQ(views.row->convertPointFromView({ 15, 170 }, views.window.get()), CGPointMake(5, 6));
    EXPECT_EQ(views.window->hitTest({ 15, 170 }), views.row.get());
}

// A touch keeps the location it last converted, so a second reader of the
// same move gets it at once; the answer must still follow the views.
TEST_F(ViewTree, ATouchLocationFollowsTheTouchAndEveryChangeOfTheViewsBetweenReads)
{
    RowInPanel views;
    UIView* row = views.row.get();
    auto touch = makeRef<UITouch>(views.window.get(), row, CGPointMake(50, 280));

    EXPECT_EQ(touch->locationInView(row), CGPointMake(40, 16));
    EXPECT_EQ(touch->locationInView(row), CGPointMake(40, 16));
    EXPECT_EQ(touch->locationInView(views.panel.get()), CGPointMake(50, 216));
    EXPECT_EQ(touch->locationInView(nullptr), CGPointMake(50, 280));

    touch->moveTo({ 60, 290 }, UITouchPhase::Moved);
    EXPECT_EQ(touch->locationInView(row), CGPointMake(50, 26));
    views.panel->setFrame(CGRectMake(0, 54, 320, 416));
    EXPECT_EQ(touch->locationInView(row), CGPointMake(50, 36));
    views.panel->setBoundsOrigin({ 0, 5 });
    EXPECT_EQ(touch->locationInView(row), CGPointMake(50, 41));
    row->removeFromSuperview();
    EXPECT_EQ(touch->locationInView(row), CGPointMake(60, 290));
    views.window->addSubview(RefPtr(row));
    EXPECT_EQ(touch->locationInView(row), CGPointMake(50, 90));
}

TEST_F(ViewTree, OnlyOneFirstResponderAndEndEditingReachesIntoTheSubtree)
{
    auto window = UIWindow::make(CGRectMake(0, 0, 320, 480));
    auto container = UIView::make(CGRectMake(0, 0, 320, 480));
    auto plain = UIView::make(CGRectMake(0, 0, 10, 10));
    window->addSubview(container);
    container->addSubview(plain);

    // A plain view cannot take the keyboard focus.
    EXPECT_FALSE(plain->becomeFirstResponder());
    EXPECT_FALSE(container->endEditing(true));
    EXPECT_EQ(window->firstResponder(), nullptr);
}

TEST(Application, RecordsOpenedAddressesAndRefusesMalformedOnes)
{
    UIApplication* application = UIApplication::sharedApplication();
    application->clearOpenedURLs();
    EXPECT_TRUE(application->openURL(NSURL::URLWithString("https://example.net/user/quill")));
    EXPECT_FALSE(application->openURL(NSURL::URLWithString("https://example.net/with space")));
    EXPECT_FALSE(application->openURL(NSURL::URLWithString(NSString())));
    ASSERT_EQ(application->openedURLs().size(), 1U);
    EXPECT_EQ(application->openedURLs()[0], NSString("https://example.net/user/quill"));
    EXPECT_EQ(NSURL::URLWithString("mailto:a@b.c").scheme(), NSString("mailto"));
}

} // namespace
