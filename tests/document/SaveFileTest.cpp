// Saving into a real file: the target is replaced only by a complete file.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

#include "document/FileLayer.h"
#include "document/VandrelEdit2028Doc.h"
#include "support/NdbTestBuilder.h"

using namespace ndbtest;
namespace fs = std::filesystem;

namespace {

Bytes ReadAll(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const fs::path& p, const Bytes& b)
{
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

std::vector<std::string> Listing(const fs::path& dir)
{
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(dir)) {
        out.push_back(e.path().filename().string());
    }
    std::sort(out.begin(), out.end());
    return out;
}

// Each test gets a fresh directory and a loaded, modified document.
class SaveFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device rd;
        dir = fs::temp_directory_path() / ("ve_save_" + std::to_string(rd()) + "_" + std::to_string(::getpid()));
        fs::create_directories(dir);
        target = dir / "channels.ndb";
        file = MakeSmallDatabase().Build();
        ASSERT_EQ(doc.Load(file.data(), file.size()), LoadStatus::Loaded);
        // a real change, so a save that silently skipped writing would be seen
        ASSERT_TRUE(doc.m_configuration.GetAt(1)->Rename("Neu"));
        doc.SetModifiedFlag(true);
        expected = doc.Save();
        ASSERT_FALSE(expected == file);
        original = Bytes(5000);
        Fill(original, 0, original.size(), 0x0F);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, ec);
        fs::remove_all(dir, ec);
    }
    fs::path dir, target;
    Bytes file, expected, original;
    CVandrelEdit2028Doc doc;
};

// Makes one step of the atomic write fail.
class FailingFiles : public CFileLayer {
public:
    enum class Step { None, CreateTemp, WriteAll, WritePartly, Flush, Close, Rename };
    explicit FailingFiles(Step s) : m_step(s) {}
    int removed = 0;

protected:
    bool CreateTemp(const std::string& t, std::string& tempPath, int& fd, std::string& error) override
    {
        if (m_step == Step::CreateTemp) {
            error = "no temporary file";
            return false;
        }
        return CFileLayer::CreateTemp(t, tempPath, fd, error);
    }
    bool WriteAll(int fd, const uint8_t* data, size_t size, std::string& error) override
    {
        if (m_step == Step::WriteAll) {
            error = "disk full";
            return false;
        }
        if (m_step == Step::WritePartly) {
            CFileLayer::WriteAll(fd, data, size / 2, error);
            error = "disk full halfway";
            return false;
        }
        return CFileLayer::WriteAll(fd, data, size, error);
    }
    bool Flush(int fd, std::string& error) override
    {
        if (m_step == Step::Flush) {
            error = "flush failed";
            return false;
        }
        return CFileLayer::Flush(fd, error);
    }
    bool Close(int fd, std::string& error) override
    {
        const bool ok = CFileLayer::Close(fd, error);
        if (m_step == Step::Close) {
            error = "close failed";
            return false;
        }
        return ok;
    }
    bool Rename(const std::string& from, const std::string& to, std::string& error) override
    {
        if (m_step == Step::Rename) {
            error = "rename failed";
            return false;
        }
        return CFileLayer::Rename(from, to, error);
    }
    void Remove(const std::string& path) override
    {
        ++removed;
        CFileLayer::Remove(path);
    }

private:
    Step m_step;
};

} // namespace

TEST_F(SaveFileTest, WritesANewFile)
{
    std::string error;
    ASSERT_TRUE(doc.SaveFile(target.string(), error)) << error;
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(ReadAll(target) == expected);
    EXPECT_EQ(Listing(dir), std::vector<std::string>{"channels.ndb"});
}

TEST_F(SaveFileTest, ReplacesAnExistingTarget)
{
    WriteAll(target, original);
    std::string error;
    FailingFiles ok(FailingFiles::Step::None);
    ASSERT_TRUE(doc.SaveFile(target.string(), error, &ok)) << error;
    EXPECT_TRUE(ReadAll(target) == expected);
    EXPECT_EQ(Listing(dir), std::vector<std::string>{"channels.ndb"});

    CVandrelEdit2028Doc back;
    ASSERT_EQ(back.LoadFile(target.string(), error), LoadStatus::Loaded) << error;
    EXPECT_EQ(back.m_configuration.GetAt(1)->GetName(), "Neu");
}

TEST_F(SaveFileTest, EveryFailingStepLeavesTheTargetAlone)
{
    using S = FailingFiles::Step;
    for (S step : {S::CreateTemp, S::WriteAll, S::WritePartly, S::Flush, S::Close, S::Rename}) {
        WriteAll(target, original);
        doc.SetModifiedFlag(true);
        FailingFiles files(step);
        std::string error;
        EXPECT_FALSE(doc.SaveFile(target.string(), error, &files)) << int(step);
        EXPECT_FALSE(error.empty()) << int(step);
        EXPECT_TRUE(doc.IsModified()) << int(step);
        EXPECT_TRUE(ReadAll(target) == original) << int(step);
        EXPECT_EQ(Listing(dir), std::vector<std::string>{"channels.ndb"}) << "no temporary file is left, step " << int(step);
    }
}

TEST_F(SaveFileTest, MissingDirectoryFails)
{
    std::string error;
    EXPECT_FALSE(doc.SaveFile((dir / "missing" / "x.ndb").string(), error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(SaveFileTest, ReadOnlyDirectoryFails)
{
    WriteAll(target, original);
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                             fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    // Returns a bit per failed expectation, so it can run in a child process.
    auto attempt = [&]() {
        std::string error;
        int failures = 0;
        failures |= doc.SaveFile(target.string(), error) ? 1 : 0;
        failures |= error.empty() ? 2 : 0;
        failures |= doc.IsModified() ? 0 : 4;
        return failures;
    };
    int failures = 0;
    if (::geteuid() != 0) {
        failures = attempt();
    } else {
        // root writes anywhere; try as an unprivileged user instead
        const pid_t child = ::fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0) {
                ::_exit(100);
            }
            ::_exit(attempt());
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        ASSERT_NE(WEXITSTATUS(status), 100) << "could not drop privileges";
        failures = WEXITSTATUS(status);
    }
    EXPECT_EQ(failures & 1, 0) << "the save must fail";
    EXPECT_EQ(failures & 2, 0) << "the failure must say why";
    EXPECT_EQ(failures & 4, 0) << "the document stays modified";
    EXPECT_TRUE(ReadAll(target) == original);
    EXPECT_EQ(Listing(dir), std::vector<std::string>{"channels.ndb"});
}

TEST_F(SaveFileTest, LoadFileReadsAndReportsErrors)
{
    WriteAll(target, file);
    std::string error;
    CVandrelEdit2028Doc loaded;
    EXPECT_EQ(loaded.LoadFile(target.string(), error), LoadStatus::Loaded);
    EXPECT_TRUE(loaded.Save() == file);

    CVandrelEdit2028Doc missing;
    error.clear();
    EXPECT_EQ(missing.LoadFile((dir / "nothing.ndb").string(), error), LoadStatus::ReadError);
    EXPECT_FALSE(error.empty());

    WriteAll(target, Bytes(file.begin(), file.begin() + 3000));
    CVandrelEdit2028Doc cut;
    EXPECT_EQ(cut.LoadFile(target.string(), error), LoadStatus::Refused);
}

TEST_F(SaveFileTest, ALinkStaysALinkAndItsFileIsReplaced)
{
    const fs::path real = dir / "real.ndb";
    WriteAll(real, original);
    fs::create_symlink(real.filename(), target);
    std::string error;
    ASSERT_TRUE(doc.SaveFile(target.string(), error)) << error;
    EXPECT_TRUE(fs::is_symlink(target));
    EXPECT_TRUE(ReadAll(real) == expected);
    EXPECT_EQ(Listing(dir), (std::vector<std::string>{"channels.ndb", "real.ndb"}));
}
