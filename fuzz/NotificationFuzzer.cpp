// Any datagram arriving at this process's notification socket: the
// transport ignores what is malformed, never crashes, and an observer hears
// exactly the name it observes.
#include "platform/foundation/CFNotificationCenter.h"
#include "platform/foundation/DarwinNotifyTransport.h"
#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/NSRunLoop.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr const char* observedName = "com.quillfen.corvane.preferencechanged";

void nameHeard(CFNotificationCenterRef, void*, NSString name, const void*, NSMutableDictionary*)
{
    if (name.utf8() != observedName)
        std::abort();
}

struct Listener {
    Listener()
    {
        std::string root
            = std::filesystem::temp_directory_path() / ("corvane-fuzz-notify-" + std::to_string(::getpid()));
        std::filesystem::create_directories(root);
        DeviceRoot::setOverride(root);
        CFNotificationCenterAddObserver(CFNotificationCenterGetDarwinNotifyCenter(), nullptr, nameHeard,
            NSString(observedName), nullptr, 0);
        std::string socketPath
            = DarwinNotifyTransport::socketFolder() + "/" + std::to_string(::getpid()) + ".sock";
        address.sun_family = AF_UNIX;
        if (socketPath.size() >= sizeof address.sun_path)
            std::abort();
        socketPath.copy(address.sun_path, socketPath.size());
        sender = ::socket(AF_UNIX, SOCK_DGRAM, 0);
    }
    sockaddr_un address {};
    int sender { -1 };
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Listener listener;
    // Most inputs carry the transport's magic so that the fuzzer reaches the name checks.
    std::string datagram(reinterpret_cast<const char*>(data), size);
    if (size && data[0] % 4)
        datagram = "CVN1" + datagram.substr(1);
    ::sendto(listener.sender, datagram.data(), datagram.size(), MSG_DONTWAIT,
        reinterpret_cast<const sockaddr*>(&listener.address), sizeof listener.address);
    NSRunLoop::main().runUntilIdle();
    return 0;
}
