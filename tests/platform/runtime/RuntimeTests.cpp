#include "platform/runtime/Message.h"
#include "platform/runtime/NSException.h"
#include "platform/substrate/Substrate.h"

#include <gtest/gtest.h>
#include <string>
#include <type_traits>

namespace {

constinit Selector<int(int)> addTen("runtimeTest_addTen:");
constinit Selector<int(int)> addTwice("runtimeTest_addTwice:");
constinit Selector<std::string()> kind("runtimeTest_kind");
constinit Selector<bool()> isReady("runtimeTest_isReady");
constinit Selector<int()> classValue("runtimeTest_classValue");

// A platform-style class whose own internal call goes through the method table.
class Counter : public NSObject {
public:
    static Class* staticClass()
    {
        static Class* cls = [] {
            Class* created = objc_allocateClass("RuntimeTestCounter", NSObject::staticClass());
            addMethod<&Counter::addTenImpl>(created, addTen);
            addMethod<&Counter::addTwiceImpl>(created, addTwice);
            addMethod<&Counter::kindImpl>(created, kind);
            addMethod<&Counter::isReadyImpl>(created, isReady);
            addMethod(created->metaclass(), classValue, [](NSObject*) { return 7; });
            created->addIvar("_base", [](NSObject* object) {
                return reinterpret_cast<void*>(static_cast<intptr_t>(static_cast<Counter*>(object)->m_base));
            });
            return created;
        }();
        return cls;
    }
    explicit Counter(int base = 0, Class* cls = staticClass())
        : NSObject(cls)
        , m_base(base)
    {
    }

private:
    int addTenImpl(int value) { return value + 10 + m_base; }
    int addTwiceImpl(int value) { return send(this, addTen, send(this, addTen, value)); }
    std::string kindImpl() { return "counter"; }
    bool isReadyImpl() { return true; }
    int m_base;
};

class SubCounter final : public Counter {
public:
    static Class* staticClass()
    {
        static Class* cls = objc_allocateClass("RuntimeTestSubCounter", Counter::staticClass());
        return cls;
    }
    SubCounter()
        : Counter(0, staticClass())
    {
    }
};

// Ownership shows in the code: a raw pointer becomes a counted reference only
// when asked to, a reference never silently becomes a raw pointer again, and
// what a factory answers cannot be nothing.
static_assert(!std::is_convertible_v<Counter*, RefPtr<Counter>>);
static_assert(std::is_constructible_v<RefPtr<Counter>, Counter*>);
static_assert(!std::is_convertible_v<RefPtr<Counter>, Counter*>);
static_assert(!std::is_convertible_v<RefPtr<Counter>, bool>);
static_assert(!std::is_convertible_v<Ref<Counter>, Counter*>);
static_assert(!std::is_constructible_v<Ref<Counter>, Counter*>);
static_assert(!std::is_constructible_v<Ref<Counter>, std::nullptr_t>);
static_assert(!std::is_default_constructible_v<Ref<Counter>>);
static_assert(std::is_convertible_v<Ref<SubCounter>, RefPtr<Counter>>);
static_assert(!std::is_convertible_v<RefPtr<Counter>, RefPtr<SubCounter>>);
static_assert(!std::is_convertible_v<RefPtr<Counter>, Ref<Counter>>);
static_assert(std::is_same_v<decltype(makeRef<Counter>()), Ref<Counter>>);

Selector<int(int)>::Implementation previousAddTen = nullptr;
Selector<int(int)>::Implementation firstAddTen = nullptr;

int replacedAddTen(NSObject* self, int value)
{
    return callImplementation(previousAddTen, self, value) * 2;
}

int firstReplacement(NSObject* self, int value)
{
    return callImplementation(firstAddTen, self, value) + 1;
}

class Runtime : public testing::Test {
protected:
    void TearDown() override { runtimeRestoreRegisteredMethods(); }
};

TEST_F(Runtime, ClassesAreFoundByNameWithTheirMetaclass)
{
    Class* cls = Counter::staticClass();
    EXPECT_EQ(objc_getClass("RuntimeTestCounter"), cls);
    EXPECT_EQ(objc_getClass("NoSuchClass"), nullptr);
    EXPECT_EQ(object_getClass(cls), cls->metaclass());
    EXPECT_TRUE(cls->metaclass()->isMetaclass());
    EXPECT_EQ(send(cls, classValue), 7);
    EXPECT_EQ(SubCounter::staticClass()->superclass(), cls);
}

TEST_F(Runtime, MessagesWalkTheClassChain)
{
    auto sub = makeRef<SubCounter>();
    EXPECT_EQ(send(sub, addTen, 1), 11);
    EXPECT_EQ(send(sub, kind), "counter");
    EXPECT_TRUE(sub->isKindOfClass(Counter::staticClass()));
    EXPECT_EQ(runtimeCast<SubCounter>(makeRef<Counter>().get()), nullptr);
}

TEST_F(Runtime, AMessageToAMissingObjectAnswersNothing)
{
    Counter* missing = nullptr;
    EXPECT_EQ(send(missing, addTen, 5), 0);
    EXPECT_EQ(send(missing, kind), "");
    EXPECT_FALSE(send(missing, isReady));
    RefPtr<Counter> none;
    EXPECT_EQ(send(none, addTwice, 1), 0);
}

TEST_F(Runtime, AnUnknownSelectorRaisesThePlatformException)
{
    const Selector<void()> unknown("runtimeTest_unknown");
    auto counter = makeRef<Counter>();
    try {
        send(counter, unknown);
        FAIL() << "no exception";
    } catch (const NSException& exception) {
        EXPECT_EQ(exception.reason(),
            "-[RuntimeTestCounter runtimeTest_unknown]: unrecognized selector sent to instance");
        EXPECT_FALSE(exception.callStackSymbols().empty());
    }
}

TEST_F(Runtime, InstanceVariablesAreReadByName)
{
    auto sub = makeRef<SubCounter>();
    auto counter = makeRef<Counter>(42);
    void* value = nullptr;
    EXPECT_NE(object_getInstanceVariable(counter.get(), "_base", &value), nullptr);
    EXPECT_EQ(reinterpret_cast<intptr_t>(value), 42);
    EXPECT_NE(object_getInstanceVariable(sub.get(), "_base", &value), nullptr);
    EXPECT_EQ(object_getInstanceVariable(counter.get(), "_missing", &value), nullptr);
    EXPECT_EQ(value, nullptr);
    EXPECT_EQ(object_getInstanceVariable(nullptr, "_base", &value), nullptr);
}

TEST_F(Runtime, ReplacementReachesThePlatformsOwnInternalCalls)
{
    auto counter = makeRef<Counter>();
    ASSERT_TRUE(MSHookMessageEx(Counter::staticClass(), addTen, &replacedAddTen, &previousAddTen));
    EXPECT_EQ(send(counter, addTen, 1), 22);
    // addTwice calls addTen twice through the method table: ((1+10)*2 + 10)*2.
    EXPECT_EQ(send(counter, addTwice, 1), 64);
    runtimeRestoreRegisteredMethods();
    EXPECT_EQ(send(counter, addTen, 1), 11);
}

TEST_F(Runtime, ReplacingTwiceChains)
{
    auto counter = makeRef<Counter>();
    ASSERT_TRUE(MSHookMessageEx(Counter::staticClass(), addTen, &firstReplacement, &firstAddTen));
    ASSERT_TRUE(MSHookMessageEx(Counter::staticClass(), addTen, &replacedAddTen, &previousAddTen));
    EXPECT_EQ(reinterpret_cast<void*>(previousAddTen), reinterpret_cast<void*>(&firstReplacement));
    EXPECT_EQ(send(counter, addTen, 1), (1 + 10 + 1) * 2);
}

TEST_F(Runtime, ReplacingOnASubclassLeavesTheSuperclassAlone)
{
    auto counter = makeRef<Counter>();
    auto sub = makeRef<SubCounter>();
    ASSERT_TRUE(MSHookMessageEx(SubCounter::staticClass(), addTen, &replacedAddTen, &previousAddTen));
    EXPECT_EQ(send(sub, addTen, 1), 22);
    EXPECT_EQ(send(counter, addTen, 1), 11);
}

TEST_F(Runtime, AMissingClassOrSelectorReplacesNothing)
{
    Selector<int(int)>::Implementation previous = &replacedAddTen;
    EXPECT_FALSE(MSHookMessageEx(objc_getClass("NoSuchClass"), addTen, &replacedAddTen, &previous));
    EXPECT_EQ(previous, nullptr);
    const Selector<int(int)> absent("runtimeTest_absent:");
    previous = &replacedAddTen;
    EXPECT_FALSE(MSHookMessageEx(Counter::staticClass(), absent, &replacedAddTen, &previous));
    EXPECT_EQ(previous, nullptr);
    EXPECT_EQ(send(makeRef<Counter>(), addTen, 1), 11);
}

TEST_F(Runtime, ClassOperationsAreReplacedThroughTheMetaclass)
{
    static Selector<int()>::Implementation previousClassValue = nullptr;
    auto replacement = [](NSObject* self) { return callImplementation(previousClassValue, self) + 1; };
    ASSERT_TRUE(MSHookMessageEx(
        object_getClass(Counter::staticClass()), classValue, +replacement, &previousClassValue));
    EXPECT_EQ(send(Counter::staticClass(), classValue), 8);
}

TEST_F(Runtime, WeakReferencesSeeAFreedObject)
{
    WeakPtr<Counter> weak;
    {
        auto counter = makeRef<Counter>();
        weak = counter.get();
        EXPECT_EQ(weak.get(), counter.get());
        EXPECT_EQ(send(weak, addTen, 0), 10);
    }
    EXPECT_EQ(weak.get(), nullptr);
    EXPECT_EQ(send(weak, addTen, 0), 0);
}

TEST_F(Runtime, ReferenceCountsStartAtOneAndFreeAtZero)
{
    WeakPtr<Counter> weak;
    RefPtr<Counter> second;
    {
        auto counter = makeRef<Counter>();
        EXPECT_EQ(counter->referenceCount(), 1);
        weak = counter.get();
        second = counter;
        EXPECT_EQ(counter->referenceCount(), 2);
    }
    EXPECT_NE(weak.get(), nullptr);
    second = nullptr;
    EXPECT_EQ(weak.get(), nullptr);
}

} // namespace
