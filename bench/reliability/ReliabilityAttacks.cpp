// The attacks of docs/reliability.md, measured: a notification storm of
// distinct names on a stopped app and its catching up, bad settings files in
// a row under the pane's toggles, another user holding the folder's lock,
// and another user owning the notification folder. Each attack runs on a
// fresh device root of its own; the figures are printed as "name: value"
// lines for tools/reliability-figures. Run as the superuser, the attacks by
// another user run too.

#include "contracts/CorvaneContract.h"
#include "platform/foundation/CFNotificationCenter.h"
#include "platform/foundation/DarwinNotifyCenter.h"
#include "platform/foundation/DarwinNotifyTransport.h"
#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/foundation/PreferencesFile.h"
#include "settings/CorvanePrefSelectors.h"
#include "settings/CorvaneSettingButton.h"
#include "settings/PrefsHelper.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr uid_t otherUser = 65534;

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void report(const std::string& name, const std::string& value)
{
    std::cout << name << ": " << value << std::endl;
}

void report(const std::string& name, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", value);
    report(name, std::string(text));
}

void report(const std::string& name, long long value)
{
    report(name, std::to_string(value));
}

// A fresh device root, open to other users so that they can reach its
// folders, removed at the end.
class FreshDeviceRoot {
public:
    FreshDeviceRoot()
    {
        std::string pattern = (fs::temp_directory_path() / "corvane-attack-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        m_path = pattern;
        ::chmod(m_path.c_str(), 0755);
        DeviceRoot::setOverride(m_path);
    }
    ~FreshDeviceRoot()
    {
        DeviceRoot::clearOverride();
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    FreshDeviceRoot(const FreshDeviceRoot&) = delete;
    FreshDeviceRoot& operator=(const FreshDeviceRoot&) = delete;

    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

// Files and bytes on disk below a folder.
struct DiskUse {
    long long files { 0 };
    long long bytes { 0 };
};

DiskUse diskUseBelow(const std::string& folder)
{
    DiskUse use;
    std::error_code error;
    for (auto entry = fs::recursive_directory_iterator(folder, error); !error && entry != fs::end(entry);
         entry.increment(error)) {
        struct stat status { };
        if (::lstat(entry->path().c_str(), &status) != 0)
            continue;
        use.files += 1;
        use.bytes += static_cast<long long>(status.st_blocks) * 512;
    }
    return use;
}

// A forked process running one function, with a pipe back for its figures.
struct Child {
    pid_t pid;
    int figures;
};

template <typename Body> Child fork(Body body)
{
    int ends[2];
    if (::pipe(ends) != 0)
        std::abort();
    pid_t pid = ::fork();
    if (pid == 0) {
        ::close(ends[0]);
        std::string written = body();
        [[maybe_unused]] auto ignored = ::write(ends[1], written.data(), written.size());
        ::_exit(0);
    }
    ::close(ends[1]);
    return { pid, ends[0] };
}

std::string collect(const Child& child)
{
    std::string text;
    char buffer[512];
    for (ssize_t got; (got = ::read(child.figures, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(got));
    ::close(child.figures);
    int status = 0;
    ::waitpid(child.pid, &status, 0);
    return text;
}

bool becomeTheOtherUser()
{
    return ::setgid(otherUser) == 0 && ::setuid(otherUser) == 0;
}

int heardChanges = 0;
void countChange(CFNotificationCenterRef, void*, NSString, const void*, NSMutableDictionary*)
{
    ++heardChanges;
}

void observeChanges()
{
    CFNotificationCenterAddObserver(CFNotificationCenterGetDarwinNotifyCenter(), nullptr, countChange,
        NSString(contract::settingsChangedNotification), nullptr, 0);
}

void postName(const std::string& name)
{
    CFNotificationCenterPostNotification(
        CFNotificationCenterGetDarwinNotifyCenter(), name, nullptr, nullptr, true);
}

// 1. Distinct names posted to an app that is stopped, the change notification
// once among them, then the app goes on and catches up.
void distinctNamesToAStoppedApp(int names)
{
    FreshDeviceRoot root;
    int ready[2];
    if (::pipe(ready) != 0)
        std::abort();
    Child app = fork([&] {
        observeChanges();
        [[maybe_unused]] auto ignored = ::write(ready[1], "r", 1);
        ::raise(SIGSTOP);
        auto start = Clock::now();
        DarwinNotifyCenter::shared().receivePending();
        NSRunLoop::main().runUntilIdle();
        double catchUp = secondsSince(start);
        rusage usage {};
        ::getrusage(RUSAGE_SELF, &usage);
        return std::to_string(catchUp) + " " + std::to_string(heardChanges) + " "
            + std::to_string(usage.ru_maxrss);
    });
    char signal;
    if (::read(ready[0], &signal, 1) != 1)
        std::abort();
    int status = 0;
    ::waitpid(app.pid, &status, WUNTRACED);

    auto start = Clock::now();
    for (int index = 0; index < names; ++index) {
        postName("com.example.storm." + std::to_string(index));
        if (index == names / 2)
            postName(contract::settingsChangedNotification);
    }
    double posting = secondsSince(start);
    DiskUse mailbox = diskUseBelow(DarwinNotifyTransport::socketFolder());
    ::kill(app.pid, SIGCONT);
    double catchUp = 0;
    long long heard = 0;
    long long resident = 0;
    std::sscanf(collect(app).c_str(), "%lf %lld %lld", &catchUp, &heard, &resident);

    report("storm.names", static_cast<long long>(names));
    report("storm.postingSeconds", posting);
    report("storm.postsPerSecond", names / posting);
    report("storm.notifyFolderFiles", mailbox.files);
    report("storm.notifyFolderBytes", mailbox.bytes);
    report("storm.catchUpSeconds", catchUp);
    report("storm.changeHeard", heard);
    report("storm.appMaxResidentKB", resident);
}

// The pane as a fresh Settings process opens it, its gesture word tapped
// once; whether the word shown then is what the file holds.
bool toggleInAFreshPane(int& shownChoice)
{
    PrefsHelper::resetProcessState();
    auto button = CorvaneSettingButton::make(contract::gestureSetting);
    send(button.get(), sel::settingButtonTouchUp);
    shownChoice = button->currentIndex();
    PreferencesFile::Contents file
        = PreferencesFile::read(DeviceRoot::devicePath(contract::settingsFilePath));
    int held
        = contract::gestureSetting.readChoice(file.dictionary->objectForKey(contract::gestureKey).intValue());
    return held == shownChoice;
}

// 2. A bad settings file, then a toggle in the pane, many times in a row;
// then toggles on the good file that leaves.
void badFilesInARow(int rounds, std::size_t badFileBytes)
{
    FreshDeviceRoot root;
    std::string path = DeviceRoot::devicePath(contract::settingsFilePath);
    std::string preferences = fs::path(path).parent_path().string();
    fs::create_directories(preferences);
    std::mt19937 random(27);
    std::string bad(badFileBytes, '\0');
    for (char& byte : bad)
        byte = static_cast<char>(random());

    int failedSaves = 0;
    int mismatches = 0;
    auto start = Clock::now();
    for (int round = 0; round < rounds; ++round) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bad;
        int shown = 0;
        mismatches += toggleInAFreshPane(shown) ? 0 : 1;
        failedSaves += PreferencesFile::read(path).state == PreferencesFile::State::Read ? 0 : 1;
    }
    double badSeconds = secondsSince(start);
    DiskUse afterBadFiles = diskUseBelow(preferences);

    constexpr int toggles = 20;
    int toggleFailures = 0;
    start = Clock::now();
    for (int round = 0; round < toggles; ++round) {
        int shown = 0;
        int before = PreferencesFile::read(path).dictionary->objectForKey(contract::gestureKey).intValue();
        toggleFailures
            += toggleInAFreshPane(shown) && shown != contract::gestureSetting.readChoice(before) ? 0 : 1;
    }
    double toggleSeconds = secondsSince(start);

    report("badFiles.rounds", static_cast<long long>(rounds));
    report("badFiles.bytesEach", static_cast<long long>(badFileBytes));
    report("badFiles.failedSaves", static_cast<long long>(failedSaves));
    report("badFiles.buttonNotShowingTheFile", static_cast<long long>(mismatches));
    report("badFiles.secondsPerRound", badSeconds / rounds);
    report("badFiles.preferencesFiles", afterBadFiles.files);
    report("badFiles.preferencesBytes", afterBadFiles.bytes);
    report("toggles.count", static_cast<long long>(toggles));
    report("toggles.failed", static_cast<long long>(toggleFailures));
    report("toggles.millisecondsEach", 1000 * toggleSeconds / toggles);
}

// 3. Another user who may read the preferences folder locks it, and tries
// the lock file, while the owner's pane saves.
void anotherUserLocking(int saves)
{
    FreshDeviceRoot root;
    std::string path = DeviceRoot::devicePath(contract::settingsFilePath);
    std::string preferences = fs::path(path).parent_path().string();
    fs::create_directories(preferences);
    int shown = 0;
    toggleInAFreshPane(shown);

    int holding[2];
    int release[2];
    if (::pipe(holding) != 0 || ::pipe(release) != 0)
        std::abort();
    Child other = fork([&] {
        if (!becomeTheOtherUser())
            return std::string("cannot-become-the-other-user");
        int folder = ::open(preferences.c_str(), O_RDONLY | O_DIRECTORY);
        bool folderLocked = folder >= 0 && ::flock(folder, LOCK_EX) == 0;
        int lock = ::open(PreferencesFile::lockPath(path).c_str(), O_RDONLY);
        std::string figures = std::string(folderLocked ? "folder-locked" : "folder-not-locked") + " "
            + (lock >= 0 ? "lock-file-opened" : "lock-file-refused");
        [[maybe_unused]] auto ignored = ::write(holding[1], "h", 1);
        char signal;
        [[maybe_unused]] auto waited = ::read(release[0], &signal, 1);
        return figures;
    });
    char signal;
    if (::read(holding[0], &signal, 1) != 1)
        std::abort();
    int failed = 0;
    auto start = Clock::now();
    for (int round = 0; round < saves; ++round)
        failed += toggleInAFreshPane(shown) ? 0 : 1;
    double seconds = secondsSince(start);
    [[maybe_unused]] auto ignored = ::write(release[1], "r", 1);
    std::string otherSaw = collect(other);

    report("lock.otherUser", otherSaw);
    report("lock.saves", static_cast<long long>(saves));
    report("lock.failedSaves", static_cast<long long>(failed));
    report("lock.millisecondsEach", 1000 * seconds / saves);
}

// 4. Another user owns the notification folder of this user: a keyboard
// cannot listen, and says so.
void anotherUserOwningTheNotificationFolder()
{
    FreshDeviceRoot root;
    std::string folder = DarwinNotifyTransport::socketFolder();
    fs::create_directories(folder);
    ::chown(folder.c_str(), otherUser, otherUser);
    observeChanges();
    report("notifyFolder.listeningProblem", DarwinNotifyCenter::shared().listeningProblem());
    CFNotificationCenterRemoveEveryObserver(CFNotificationCenterGetDarwinNotifyCenter(), nullptr);
}

// 5. Under umask 000, the folders a first save and a first listener make.
void foldersUnderAnOpenUmask()
{
    FreshDeviceRoot root;
    mode_t previous = ::umask(0);
    observeChanges();
    int shown = 0;
    toggleInAFreshPane(shown);
    ::umask(previous);
    auto modeOf = [](const std::string& path) {
        struct stat status { };
        char text[8] = "absent";
        if (::stat(path.c_str(), &status) == 0)
            std::snprintf(text, sizeof text, "%04o", status.st_mode & 07777);
        return std::string(text);
    };
    std::string settings = DeviceRoot::devicePath(contract::settingsFilePath);
    report("umask000.varRun", modeOf(DeviceRoot::devicePath("/var/run")));
    report("umask000.notifyFolder", modeOf(DarwinNotifyTransport::socketFolder()));
    report("umask000.preferences", modeOf(fs::path(settings).parent_path().string()));
    report("umask000.lockFile", modeOf(PreferencesFile::lockPath(settings)));
    CFNotificationCenterRemoveEveryObserver(CFNotificationCenterGetDarwinNotifyCenter(), nullptr);
}

} // namespace

int main(int argc, char** argv)
{
    int names = argc > 1 ? std::atoi(argv[1]) : 100000;
    int badRounds = argc > 2 ? std::atoi(argv[2]) : 1000;
    std::size_t badBytes = argc > 3 ? static_cast<std::size_t>(std::atoll(argv[3])) : 1024 * 1024;
    NSRunLoop::main().setClock(NSRunLoop::Clock::Real);
    distinctNamesToAStoppedApp(names);
    badFilesInARow(badRounds, badBytes);
    foldersUnderAnOpenUmask();
    if (::geteuid() == 0) {
        anotherUserLocking(100);
        anotherUserOwningTheNotificationFolder();
    } else {
        report("otherUser", "skipped: acting as another user takes the superuser");
    }
    return 0;
}
