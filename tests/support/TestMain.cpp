#include "platform/runtime/Class.h"
#include "tests/support/TemporaryDeviceRoot.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

// Every test starts from the platform's own state: its own empty device
// root, no method replacements.
class FreshPlatformState final : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override
    {
        runtimeRestoreRegisteredMethods();
        m_deviceRoot = std::make_unique<TemporaryDeviceRoot>();
    }
    void OnTestEnd(const testing::TestInfo&) override { m_deviceRoot.reset(); }

    std::unique_ptr<TemporaryDeviceRoot> m_deviceRoot;
};

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new FreshPlatformState); // gtest owns listeners
    return RUN_ALL_TESTS();
}
