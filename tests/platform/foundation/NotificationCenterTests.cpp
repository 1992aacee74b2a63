#include "platform/foundation/NSLocale.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/runtime/Class.h"
#include "platform/runtime/Message.h"
#include "platform/substrate/Substrate.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constinit Selector<void(NSNotification*)> keyboardWillShow("keyboardWillShow:");

std::vector<std::string> received;

// An observer in the platform's style: a selector that takes the notification.
class Listener final : public NSObject {
public:
    static Class* staticClass()
    {
        static Class* cls = [] {
            Class* created = objc_allocateClass("NotificationTestListener", NSObject::staticClass());
            addMethod<&Listener::keyboardWillShow>(created, ::keyboardWillShow);
            return created;
        }();
        return cls;
    }
    explicit Listener(std::string label)
        : NSObject(staticClass())
        , m_label(std::move(label))
    {
    }
    void keyboardWillShow(NSNotification* notification)
    {
        received.push_back(m_label + ":" + notification->name().utf8());
    }

private:
    std::string m_label;
};

NSNotificationCenter& center()
{
    return *NSNotificationCenter::defaultCenter();
}

TEST(NSNotificationCenter, DeliversAtOnceToObserversOfTheNameAndObjectInOrder)
{
    received.clear();
    auto byName = makeRef<Listener>("byName");
    auto byObject = makeRef<Listener>("byObject");
    auto byBoth = makeRef<Listener>("byBoth");
    auto sender = makeRef<Listener>("sender");
    auto otherSender = makeRef<Listener>("other");
    center().addObserver(byName.get(), keyboardWillShow, "Show", nullptr);
    center().addObserver(byObject.get(), keyboardWillShow, NSString(), sender.get());
    center().addObserver(byBoth.get(), keyboardWillShow, "Show", otherSender.get());

    center().postNotificationName("Show", sender.get());
    EXPECT_EQ(received, (std::vector<std::string> { "byName:Show", "byObject:Show" }));
    received.clear();
    center().postNotificationName("Hide", otherSender.get());
    EXPECT_TRUE(received.empty());
    center().postNotificationName("Show", otherSender.get());
    EXPECT_EQ(received, (std::vector<std::string> { "byName:Show", "byBoth:Show" }));
}

TEST(NSNotificationCenter, CarriesObjectAndUserInfoAndRunsBlocks)
{
    auto sender = makeRef<Listener>("sender");
    auto info = NSMutableDictionary::dictionary();
    info->setObject(216, "height");
    NSObject* seenObject = nullptr;
    int seenHeight = 0;
    center().addObserver(
        sender.get(),
        [&](NSNotification* notification) {
            seenObject = notification->object();
            seenHeight = notification->userInfo()->objectForKey("height").intValue();
        },
        "Frame", nullptr);
    center().postNotificationName("Frame", sender.get(), info);
    EXPECT_EQ(seenObject, sender.get());
    EXPECT_EQ(seenHeight, 216);
}

TEST(NSNotificationCenter, ObserversAreNotKeptAliveAndGoneOnesAreSkipped)
{
    received.clear();
    RefPtr<Listener> observer = makeRef<Listener>("gone");
    RefPtr<Listener> sender = makeRef<Listener>("sender");
    center().addObserver(observer.get(), keyboardWillShow, "Show", nullptr);
    int blockCalls = 0;
    center().addObserver(
        observer.get(), [&](NSNotification*) { ++blockCalls; }, "Show", nullptr);
    EXPECT_EQ(observer->referenceCount(), 1);
    observer = nullptr;
    center().postNotificationName("Show", nullptr);
    EXPECT_TRUE(received.empty());
    EXPECT_EQ(blockCalls, 0);

    // A registration for one object ends with that object.
    auto watcher = makeRef<Listener>("watcher");
    center().addObserver(watcher.get(), keyboardWillShow, "Show", sender.get());
    NSObject* formerSender = sender.get();
    sender = nullptr;
    auto stranger = makeRef<Listener>("stranger");
    center().postNotificationName("Show", stranger.get());
    EXPECT_TRUE(received.empty()) << "an object at " << formerSender << " is gone; nothing else matches it";
}

TEST(NSNotificationCenter, RemovingStopsDeliveryEvenDuringAPost)
{
    received.clear();
    auto first = makeRef<Listener>("first");
    auto second = makeRef<Listener>("second");
    center().addObserver(first.get(), keyboardWillShow, "Show", nullptr);
    center().addObserver(first.get(), keyboardWillShow, "Hide", nullptr);
    center().addObserver(
        first.get(), [&](NSNotification*) { center().removeObserver(second.get()); }, "Show", nullptr);
    center().addObserver(second.get(), keyboardWillShow, "Show", nullptr);
    center().postNotificationName("Show", nullptr);
    EXPECT_EQ(received, (std::vector<std::string> { "first:Show" }));

    received.clear();
    center().removeObserver(first.get(), "Show");
    center().postNotificationName("Show", nullptr);
    center().postNotificationName("Hide", nullptr);
    EXPECT_EQ(received, (std::vector<std::string> { "first:Hide" }));
    center().removeObserver(first.get());
    center().postNotificationName("Hide", nullptr);
    EXPECT_EQ(received.size(), 1u);
}

void replacedKeyboardWillShow(NSObject*, NSNotification* notification)
{
    received.push_back("replacement:" + notification->name().utf8());
}

TEST(NSNotificationCenter, SelectorsAreSentThroughTheMethodTable)
{
    received.clear();
    auto observer = makeRef<Listener>("own");
    center().addObserver(observer.get(), keyboardWillShow, "Show", nullptr);
    Selector<void(NSNotification*)>::Implementation previous = nullptr;
    ASSERT_TRUE(
        MSHookMessageEx(Listener::staticClass(), keyboardWillShow, &replacedKeyboardWillShow, &previous));
    center().postNotificationName("Show", nullptr);
    EXPECT_EQ(received, (std::vector<std::string> { "replacement:Show" }));
}

// The platform announces a new current locale, once per change.
TEST(NSLocale, AChangeOfTheCurrentLocaleIsPostedOnTheDefaultCentre)
{
    int posts = 0;
    NSNotificationCenter::defaultCenter()->addObserver(
        nullptr, [&posts](NSNotification*) { ++posts; }, NSCurrentLocaleDidChangeNotification, nullptr);
    NSLocale::setCurrentLocaleIdentifier("ja_JP");
    EXPECT_EQ(posts, 1);
    NSLocale::setCurrentLocaleIdentifier("ja_JP");
    EXPECT_EQ(posts, 1);
    NSLocale::setCurrentLocaleIdentifier("");
    EXPECT_EQ(NSLocale::currentLocaleIdentifier().utf8(), NSLocale::defaultLocaleIdentifier);
    EXPECT_EQ(posts, 2);
    NSLocale::setCurrentLocaleIdentifier(NSLocale::defaultLocaleIdentifier);
    EXPECT_EQ(posts, 2);
}

} // namespace
