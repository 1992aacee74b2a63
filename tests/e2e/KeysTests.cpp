#include "SimulatorRun.h"
#include "contracts/CorvaneContract.h"
#include "platform/graphics/CGImage.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

namespace {

// The listing's line for one key name, or "" when there is none.
std::string lineFor(const std::string& listing, const std::string& keyName)
{
    std::istringstream lines(listing);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.compare(0, keyName.size() + 1, keyName + "\t") == 0)
            return line;
    }
    return "";
}

TEST(Keys, ListsEachKeyWithTheAlternatesTheExtensionStored)
{
    E2EWorkspace workspace;
    SimulatorResult result = runSimulator({ "keys", "--device", workspace.deviceRoot() }, workspace.path());
    ASSERT_EQ(result.exitStatus, 0) << result.errors;
    EXPECT_EQ(lineFor(result.output, "Latin-Small-Letter-Q"), "Latin-Small-Letter-Q\tq\t1\t1");
    EXPECT_EQ(lineFor(result.output, "Latin-Small-Letter-L"), "Latin-Small-Letter-L\tl\t@\t@");
    EXPECT_EQ(lineFor(result.output, "Latin-Small-Letter-J"), "Latin-Small-Letter-J\tj\t$\t$");
    // An empty field is "none", as tab-separated files have it; "-" is the alternate of "a".
    EXPECT_EQ(lineFor(result.output, "Latin-Small-Letter-A"), "Latin-Small-Letter-A\ta\t-\t-");
    EXPECT_EQ(lineFor(result.output, "Shift-Key"), "Shift-Key\t\t\t");
    EXPECT_EQ(lineFor(result.output, "Return-Key"), "Return-Key\t\\n\t\t");
    EXPECT_TRUE(runningSimulatorProcesses(workspace.path()).empty());
}

TEST(Keys, LayoutLocaleKeyplaneAndKeyboardTypeChooseTheKeyboard)
{
    E2EWorkspace workspace;
    SimulatorResult qwertz = runSimulator(
        { "keys", "--layout", "QWERTZ", "--device", workspace.deviceRoot() }, workspace.path());
    ASSERT_EQ(qwertz.exitStatus, 0) << qwertz.errors;
    EXPECT_EQ(lineFor(qwertz.output, "Latin-Small-Letter-Z"), "Latin-Small-Letter-Z\tz\t6\t6");
    EXPECT_EQ(lineFor(qwertz.output, "Latin-Small-Letter-Y"), "Latin-Small-Letter-Y\ty\t.\t.");

    SimulatorResult capitals = runSimulator(
        { "keys", "--keyplane", "Capital-Letters", "--device", workspace.deviceRoot() }, workspace.path());
    ASSERT_EQ(capitals.exitStatus, 0) << capitals.errors;
    EXPECT_EQ(lineFor(capitals.output, "Latin-Capital-Letter-Q"), "Latin-Capital-Letter-Q\tQ\t1\t[");

    // Without --layout the keyboard follows the locale, as in any app.
    SimulatorResult german
        = runSimulator({ "keys", "--locale", "de_DE", "--device", workspace.deviceRoot() }, workspace.path());
    ASSERT_EQ(german.exitStatus, 0) << german.errors;
    EXPECT_EQ(lineFor(german.output, "Latin-Small-Letter-Z"), "Latin-Small-Letter-Z\tz\t6\t6");
    SimulatorResult french
        = runSimulator({ "keys", "--locale", "fr_FR", "--device", workspace.deviceRoot() }, workspace.path());
    ASSERT_EQ(french.exitStatus, 0) << french.errors;
    EXPECT_EQ(lineFor(french.output, "Latin-Small-Letter-A"), "Latin-Small-Letter-A\ta\t1\t1");

    SimulatorResult euro = runSimulator(
        { "keys", "--locale", "de_DE", "--layout", "QWERTY", "--device", workspace.deviceRoot() },
        workspace.path());
    ASSERT_EQ(euro.exitStatus, 0) << euro.errors;
    EXPECT_EQ(lineFor(euro.output, "Latin-Small-Letter-J"), "Latin-Small-Letter-J\tj\t€\t€");

    // The e-mail keyboard: "." and "!" carry no alternate there.
    SimulatorResult email = runSimulator(
        { "keys", "--keyboard-type", "7", "--device", workspace.deviceRoot() }, workspace.path());
    ASSERT_EQ(email.exitStatus, 0) << email.errors;
    EXPECT_EQ(lineFor(email.output, "Full-Stop"), "Full-Stop\t.\t\t");
    EXPECT_EQ(lineFor(email.output, "Latin-Small-Letter-Q"), "Latin-Small-Letter-Q\tq\t1\t1");
    SimulatorResult emailNumbers
        = runSimulator({ "keys", "--keyboard-type", "7", "--keyplane", "Numbers-And-Punctuation", "--device",
                           workspace.deviceRoot() },
            workspace.path());
    ASSERT_EQ(emailNumbers.exitStatus, 0) << emailNumbers.errors;
    EXPECT_EQ(lineFor(emailNumbers.output, "Exclamation-Mark"), "Exclamation-Mark\t!\t\t");

    SimulatorResult missing = runSimulator(
        { "keys", "--keyplane", "Emoji", "--device", workspace.deviceRoot() }, workspace.path());
    EXPECT_EQ(missing.exitStatus, 2);
    EXPECT_NE(missing.errors.find("this keyboard has no keyplane \"Emoji\"; it has "), std::string::npos)
        << missing.errors;
}

// Black ink among the pixels of a rectangle of the image.
int blackPixels(
    const CGImageRef& image, std::size_t left, std::size_t top, std::size_t right, std::size_t bottom)
{
    int found = 0;
    for (std::size_t y = top; y < bottom; ++y) {
        for (std::size_t x = left; x < right; ++x) {
            CGPixel pixel = CGImageGetPixel(image, x, y);
            found += pixel.red < 60 && pixel.green < 60 && pixel.blue < 60;
        }
    }
    return found;
}

TEST(Keys, LanguageKeyboardsListAndDrawTheirOwnLettersWithoutAlternates)
{
    E2EWorkspace workspace;
    SimulatorResult spanish = runSimulator(
        { "keys", "--locale", "es_ES", "--png", "spanish.png", "--device", workspace.deviceRoot() },
        workspace.path());
    ASSERT_EQ(spanish.exitStatus, 0) << spanish.errors;
    EXPECT_EQ(
        lineFor(spanish.output, "Latin-Small-Letter-N-With-Tilde"), "Latin-Small-Letter-N-With-Tilde\tñ\t\t");
    EXPECT_EQ(lineFor(spanish.output, "Latin-Small-Letter-L"), "Latin-Small-Letter-L\tl\t@\t@");
    // Ñ ends the middle row, where the QWERTY keyboard shows only the background.
    SimulatorResult qwerty = runSimulator(
        { "keys", "--png", "qwerty.png", "--device", workspace.deviceRoot() }, workspace.path());
    ASSERT_EQ(qwerty.exitStatus, 0) << qwerty.errors;
    CGImageRef withN = CGImageCreateWithPNGFile(workspace.path() + "/spanish.png");
    CGImageRef without = CGImageCreateWithPNGFile(workspace.path() + "/qwerty.png");
    ASSERT_TRUE(withN && without);
    EXPECT_GT(blackPixels(withN, 606, 116, 630, 210), 20);
    EXPECT_EQ(blackPixels(without, 606, 116, 630, 210), 0);

    SimulatorResult german
        = runSimulator({ "keys", "--locale", "de_DE", "--device", workspace.deviceRoot() }, workspace.path());
    ASSERT_EQ(german.exitStatus, 0) << german.errors;
    for (const char* line : { "Latin-Small-Letter-U-With-Diaeresis\tü\t\t",
             "Latin-Small-Letter-O-With-Diaeresis\tö\t\t", "Latin-Small-Letter-A-With-Diaeresis\tä\t\t",
             // QWERTZ's digits and punctuation stay where they were.
             "Latin-Small-Letter-P\tp\t0\t0", "Latin-Small-Letter-Z\tz\t6\t6",
             "Latin-Small-Letter-J\tj\t€\t€" })
        EXPECT_EQ(lineFor(german.output, std::string(line).substr(0, std::string(line).find('\t'))), line);

    for (const auto& [locale, own] : { std::pair { "sv_SE", "å ö ä" }, std::pair { "fi_FI", "å ö ä" },
             std::pair { "da_DK", "å æ ø" }, std::pair { "nb_NO", "å ø æ" } }) {
        SimulatorResult nordic = runSimulator(
            { "keys", "--locale", locale, "--device", workspace.deviceRoot() }, workspace.path());
        ASSERT_EQ(nordic.exitStatus, 0) << nordic.errors;
        // The letters in listing order: the top row's last, then the middle row's last two.
        std::string found;
        std::istringstream lines(nordic.output);
        for (std::string line; std::getline(lines, line);) {
            std::string represented = line.substr(line.find('\t') + 1);
            represented = represented.substr(0, represented.find('\t'));
            if (line.starts_with("Latin-") && represented.size() == 2 && line.ends_with("\t\t"))
                found += (found.empty() ? "" : " ") + represented;
        }
        EXPECT_EQ(found, own) << locale;
    }
}

TEST(Keys, TypeModeAppliesForTheListingOnlyAndThePngShowsTheKeyboard)
{
    E2EWorkspace workspace;
    SimulatorResult shifted = runSimulator(
        { "keys", "--type-mode", "1", "--png", "keys.png", "--device", workspace.deviceRoot() },
        workspace.path());
    ASSERT_EQ(shifted.exitStatus, 0) << shifted.errors;
    EXPECT_EQ(lineFor(shifted.output, "Latin-Small-Letter-Q"), "Latin-Small-Letter-Q\tq\tQ\t");
    // The settings file is as it was: there was none.
    EXPECT_FALSE(workspace.exists(std::string("device") + contract::settingsFilePath));

    CGImageRef image = CGImageCreateWithPNGFile(workspace.path() + "/keys.png");
    ASSERT_TRUE(image);
    EXPECT_EQ(CGImageGetWidth(image), 640u);
    EXPECT_GT(CGImageGetHeight(image), 300u);
    EXPECT_LT(CGImageGetHeight(image), 600u);
}

// Every entry under a root, with its type, mode, size, time and contents: two
// equal pictures mean nothing was added, removed or changed.
std::string pictureOf(const std::string& root)
{
    std::ostringstream picture;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        struct stat status { };
        ::lstat(entry.path().c_str(), &status);
        picture << entry.path().lexically_relative(root).string() << ' ' << std::oct << status.st_mode
                << std::dec << ' ' << status.st_size << ' ' << status.st_mtim.tv_sec << '.'
                << status.st_mtim.tv_nsec;
        if (entry.is_regular_file()) {
            // The contents by a hash, so that a difference reads as a line, not as the whole file.
            std::ifstream file(entry.path(), std::ios::binary);
            std::stringstream contents;
            contents << file.rdbuf();
            picture << ' ' << std::hash<std::string> {}(contents.str());
        }
        picture << '\n';
    }
    return picture.str();
}

// keys only looks: the device root, its settings file included, is left as
// it was, whatever the options; yet the listing follows that settings file.
TEST(Keys, LeavesTheDeviceRootAsItWasAndFollowsItsSettings)
{
    E2EWorkspace workspace;
    SimulatorResult withType = workspace.runScript("settings type=1\n");
    ASSERT_EQ(withType.exitStatus, 0) << withType.errors;
    std::string before = pictureOf(workspace.deviceRoot());
    ASSERT_NE(before.find(std::filesystem::path(contract::settingsFilePath).filename().string()),
        std::string::npos);

    SimulatorResult shifted = runSimulator({ "keys", "--device", workspace.deviceRoot() }, workspace.path());
    ASSERT_EQ(shifted.exitStatus, 0) << shifted.errors;
    EXPECT_EQ(lineFor(shifted.output, "Latin-Small-Letter-Q"), "Latin-Small-Letter-Q\tq\tQ\t");
    SimulatorResult alternate
        = runSimulator({ "keys", "--type-mode", "2", "--png", "k.png", "--device", workspace.deviceRoot() },
            workspace.path());
    ASSERT_EQ(alternate.exitStatus, 0) << alternate.errors;
    EXPECT_EQ(lineFor(alternate.output, "Latin-Small-Letter-Q"), "Latin-Small-Letter-Q\tq\t1\t1");
    EXPECT_EQ(pictureOf(workspace.deviceRoot()), before);
}

} // namespace
