#include "simulator/OutputFile.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

class OutputFileTest : public testing::Test {
protected:
    OutputFileTest()
    {
        std::string pattern = (fs::temp_directory_path() / "corvane-output-XXXXXX").string();
        m_folder = ::mkdtemp(pattern.data());
    }
    ~OutputFileTest() override { fs::remove_all(m_folder); }

    std::string path(const std::string& name) const { return (m_folder / name).string(); }
    std::string read(const std::string& name) const
    {
        std::ifstream file(path(name));
        std::stringstream contents;
        contents << file.rdbuf();
        return contents.str();
    }
    void write(const std::string& name, const std::string& contents) const
    {
        std::ofstream(path(name)) << contents;
    }
    mode_t permissions(const std::string& name) const
    {
        struct stat status { };
        ::lstat(path(name).c_str(), &status);
        return status.st_mode & 07777;
    }
    std::vector<std::string> names() const
    {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(m_folder))
            found.push_back(entry.path().filename().string());
        std::sort(found.begin(), found.end());
        return found;
    }

    fs::path m_folder;
};

// What lies at the destination is replaced, never written through: a link's
// target stays as it was, and a pipe cannot hold the writer up.
TEST_F(OutputFileTest, ReplacesALinkOrAPipeInsteadOfWritingThroughIt)
{
    write("mine.txt", "mine");
    fs::create_symlink("mine.txt", path("linked.png"));
    ASSERT_EQ(::mkfifo(path("pipe.png").c_str(), 0644), 0);

    ASSERT_TRUE(OutputFile::write(path("linked.png"), "picture"));
    ASSERT_TRUE(OutputFile::write(path("pipe.png"), "picture"));
    EXPECT_EQ(read("mine.txt"), "mine");
    for (const char* name : { "linked.png", "pipe.png" }) {
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(path(name)))) << name;
        EXPECT_EQ(read(name), "picture") << name;
    }
    EXPECT_EQ(names(), (std::vector<std::string> { "linked.png", "mine.txt", "pipe.png" }));
}

TEST_F(OutputFileTest, KeepsTheReplacedFilesPermissionsButNeverSetIdBits)
{
    write("chosen.txt", "old");
    ::chmod(path("chosen.txt").c_str(), 0640);
    write("setuid.txt", "old");
    ::chmod(path("setuid.txt").c_str(), 04755);
    ASSERT_TRUE(OutputFile::write(path("chosen.txt"), "new"));
    ASSERT_TRUE(OutputFile::write(path("setuid.txt"), "new"));
    EXPECT_EQ(permissions("chosen.txt"), 0640U);
    EXPECT_EQ(permissions("setuid.txt"), 0755U);

    mode_t umask = ::umask(022);
    ASSERT_TRUE(OutputFile::write(path("new.txt"), "new"));
    ::umask(umask);
    EXPECT_EQ(permissions("new.txt"), 0644U);
}

// Written bit by bit, an output appears whole once committed, or not at all.
TEST_F(OutputFileTest, AnOutputAppearsWholeOrNotAtAll)
{
    write("list.txt", "earlier");
    {
        auto list = OutputFile::create(path("list.txt"));
        ASSERT_TRUE(list);
        ASSERT_TRUE(list.value().append("line 1\n"));
        EXPECT_EQ(read("list.txt"), "earlier");
        ASSERT_TRUE(list.value().append("line 2\n"));
        ASSERT_TRUE(list.value().commit());
    }
    EXPECT_EQ(read("list.txt"), "line 1\nline 2\n");
    {
        auto dropped = OutputFile::create(path("list.txt"));
        ASSERT_TRUE(dropped);
        ASSERT_TRUE(dropped.value().append("half"));
    }
    EXPECT_EQ(read("list.txt"), "line 1\nline 2\n");

    fs::create_directory(path("folder.png"));
    auto intoFolder = OutputFile::write(path("folder.png"), "picture");
    ASSERT_FALSE(intoFolder);
    EXPECT_EQ(intoFolder.error().message, "cannot replace " + path("folder.png") + ": Is a directory");
    auto nowhere = OutputFile::write(path("missing/x.png"), "picture");
    ASSERT_FALSE(nowhere);
    EXPECT_EQ(
        nowhere.error().message, "cannot write " + path("missing/x.png") + ": No such file or directory");
    // No temporary file is left behind.
    EXPECT_EQ(names(), (std::vector<std::string> { "folder.png", "list.txt" }));
}

} // namespace
