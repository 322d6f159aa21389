// Saves that fail at every step of the atomic write, with the errors the
// system really reports: the database on disk stays byte-identical and
// loadable, no temporary file is left behind, and the document stays
// modified. Also a read-only directory, a full disk, and a database file
// that another program replaced while the document was open.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>

#include "document/FileLayer.h"
#include "document/VandrelEdit2028Doc.h"
#include "support/NdbTestBuilder.h"

using namespace ndbtest;
namespace fs = std::filesystem;

namespace {

Bytes ReadBytes(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& p, const Bytes& b)
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

LoadStatus LoadStatusOf(const fs::path& p)
{
    CVandrelEdit2028Doc doc;
    std::string error;
    return doc.LoadFile(p.string(), error);
}

// Lets the atomic write fail at one step, with the error the system gives
// for a real fault of that kind: the failing call is made by the file layer
// itself, on a descriptor or path that cannot succeed, so the message tested
// is the one the user would see.
class FaultyFiles : public CFileLayer {
public:
    enum class Fault { None, WriteAfterBytes, Flush, Close, Rename };
    FaultyFiles(Fault fault, size_t okBytes = 0) : m_fault(fault), m_okBytes(okBytes) {}

    std::vector<std::string> temps; // every temporary file created
    std::function<void()> beforeRename;

protected:
    bool CreateTemp(const std::string& target, std::string& tempPath, int& fd, std::string& error) override
    {
        const bool ok = CFileLayer::CreateTemp(target, tempPath, fd, error);
        if (ok) {
            temps.push_back(tempPath);
        }
        return ok;
    }
    bool WriteAll(int fd, const uint8_t* data, size_t size, std::string& error) override
    {
        if (m_fault != Fault::WriteAfterBytes) {
            return CFileLayer::WriteAll(fd, data, size, error);
        }
        const size_t first = std::min(size, m_okBytes);
        if (!CFileLayer::WriteAll(fd, data, first, error)) {
            return false;
        }
        // The rest goes to a device that is always full: ENOSPC.
        const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
        if (full < 0) {
            error = "no /dev/full";
            return false;
        }
        const bool ok = CFileLayer::WriteAll(full, data + first, size - first, error);
        ::close(full);
        return ok;
    }
    bool Flush(int fd, std::string& error) override
    {
        if (m_fault != Fault::Flush) {
            return CFileLayer::Flush(fd, error);
        }
        // A pipe cannot be synchronised: fsync fails with EINVAL.
        int p[2];
        if (::pipe(p) != 0) {
            error = "no pipe";
            return false;
        }
        const bool ok = CFileLayer::Flush(p[1], error);
        ::close(p[0]);
        ::close(p[1]);
        return ok;
    }
    bool Close(int fd, std::string& error) override
    {
        if (m_fault != Fault::Close) {
            return CFileLayer::Close(fd, error);
        }
        // The real descriptor is closed; the failure is the one the layer
        // reports for a descriptor the system refuses to close.
        std::string ignored;
        CFileLayer::Close(fd, ignored);
        return CFileLayer::Close(-1, error);
    }
    bool Rename(const std::string& from, const std::string& to, std::string& error) override
    {
        if (beforeRename) {
            beforeRename();
        }
        if (m_fault != Fault::Rename) {
            return CFileLayer::Rename(from, to, error);
        }
        return CFileLayer::Rename(from, to + ".missing/inside", error);
    }

private:
    Fault m_fault;
    size_t m_okBytes;
};

class SaveFailureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device rd;
        dir = fs::temp_directory_path() / ("ve_fail_" + std::to_string(rd()) + "_" + std::to_string(::getpid()));
        fs::create_directories(dir);
        target = dir / "channels.ndb";
        original = MakeSmallDatabase().Build();
        WriteBytes(target, original);
        std::string error;
        ASSERT_EQ(doc.LoadFile(target.string(), error), LoadStatus::Loaded) << error;
        // a real change: a save that wrote the old bytes would pass unnoticed otherwise
        ASSERT_TRUE(doc.m_configuration.GetAt(2)->Rename("Geändert"));
        doc.SetModifiedFlag(true);
        expected = doc.Save();
        ASSERT_NE(expected, original);
    }
    void TearDown() override
    {
        SetImmutable(dir, false);
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, ec);
        fs::remove_all(dir, ec);
    }

    static bool SetImmutable(const fs::path& p, bool on)
    {
        const int fd = ::open(p.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) {
            return false;
        }
        int flags = 0;
        bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (ok) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return ok;
    }

    // What must hold after any failed save.
    void ExpectNothingLost(bool saved, const std::string& error, const std::string& where)
    {
        EXPECT_FALSE(saved) << where;
        EXPECT_FALSE(error.empty()) << where;
        EXPECT_NE(error.find("Datei"), std::string::npos) << where << ": the message is the German one: " << error;
        EXPECT_TRUE(doc.IsModified()) << where;
        EXPECT_EQ(ReadBytes(target), original) << where << ": the database on disk is untouched";
        EXPECT_EQ(LoadStatusOf(target), LoadStatus::Loaded) << where;
        EXPECT_EQ(Listing(dir), std::vector<std::string>{"channels.ndb"}) << where << ": no temporary file remains";
    }

    fs::path dir, target;
    Bytes original, expected;
    CVandrelEdit2028Doc doc;
};

} // namespace

TEST_F(SaveFailureTest, DiskFullAfterAnyNumberOfBytes)
{
    const size_t size = expected.size();
    for (size_t ok : {size_t{0}, size_t{1}, size_t{19}, size_t{20}, size_t{147}, size_t{148}, size_t{4096},
                      size / 2, size - 1}) {
        doc.SetModifiedFlag(true);
        FaultyFiles files(FaultyFiles::Fault::WriteAfterBytes, ok);
        std::string error;
        const bool saved = doc.SaveFile(target.string(), error, &files);
        ExpectNothingLost(saved, error, "full after " + std::to_string(ok) + " bytes");
        EXPECT_NE(error.find("Kein Speicherplatz"), std::string::npos) << error;
        ASSERT_EQ(files.temps.size(), 1u);
        EXPECT_FALSE(fs::exists(files.temps[0]));
    }
}

TEST_F(SaveFailureTest, NoFullDiskBeyondTheFileSize)
{
    // A fault after the last byte is no fault: the seam itself is sound.
    FaultyFiles files(FaultyFiles::Fault::WriteAfterBytes, expected.size());
    std::string error;
    ASSERT_TRUE(doc.SaveFile(target.string(), error, &files)) << error;
    EXPECT_EQ(ReadBytes(target), expected);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(SaveFailureTest, FlushCloseAndRenameFailures)
{
    using F = FaultyFiles::Fault;
    for (F fault : {F::Flush, F::Close, F::Rename}) {
        const std::string where = "fault " + std::to_string(static_cast<int>(fault));
        doc.SetModifiedFlag(true);
        FaultyFiles files(fault);
        std::string error;
        const bool saved = doc.SaveFile(target.string(), error, &files);
        ExpectNothingLost(saved, error, where);
        ASSERT_EQ(files.temps.size(), 1u) << where;
        EXPECT_FALSE(fs::exists(files.temps[0])) << where;
    }
}

TEST_F(SaveFailureTest, TheSaveAfterAFailedOneWritesEverything)
{
    FaultyFiles broken(FaultyFiles::Fault::WriteAfterBytes, expected.size() / 3);
    std::string error;
    ASSERT_FALSE(doc.SaveFile(target.string(), error, &broken));
    // The failed attempt left nothing half-done in the document or the
    // shared save buffer.
    error.clear();
    ASSERT_TRUE(doc.SaveFile(target.string(), error)) << error;
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(ReadBytes(target), expected);
    CVandrelEdit2028Doc back;
    ASSERT_EQ(back.LoadFile(target.string(), error), LoadStatus::Loaded);
    EXPECT_EQ(back.m_configuration.GetAt(2)->GetName(), "Geändert");
    EXPECT_EQ(Listing(dir), std::vector<std::string>{"channels.ndb"});
}

TEST_F(SaveFailureTest, ParentIsARegularFile)
{
    const fs::path plain = dir / "notes.txt";
    WriteBytes(plain, Bytes{'a', 'b'});
    std::string error;
    EXPECT_FALSE(doc.SaveFile((plain / "channels.ndb").string(), error));
    EXPECT_NE(error.find("Datei"), std::string::npos) << error;
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(ReadBytes(plain), (Bytes{'a', 'b'}));
    EXPECT_EQ(ReadBytes(target), original);
    EXPECT_EQ(Listing(dir), (std::vector<std::string>{"channels.ndb", "notes.txt"}));
}

TEST_F(SaveFailureTest, ReadOnlyDirectory)
{
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                             fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    // Root writes into a 0555 directory anyway; an immutable directory stops
    // root too. Without that right there is nothing left to test here.
    const fs::path probe = dir / "probe";
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
        ::unlink(probe.c_str());
        if (!SetImmutable(dir, true)) {
            GTEST_SKIP() << "running as a user who writes into read-only directories, and the file system "
                            "has no immutable flag this user may set";
        }
    }
    std::string error;
    const bool saved = doc.SaveFile(target.string(), error);
    SetImmutable(dir, false);
    ExpectNothingLost(saved, error, "read-only directory");
}

TEST_F(SaveFailureTest, FileReplacedWhileOpen)
{
    // Another program saved its own database over the path after we loaded.
    const Bytes theirs = [] {
        TestDatabase other = MakeSmallDatabase();
        other.header.Quad(9, 9, 9, 9);
        return other.Build();
    }();
    const fs::path staging = dir / "theirs.tmp";
    WriteBytes(staging, theirs);
    fs::rename(staging, target);
    // And a second name of the file as it is now, which the save must not write through.
    fs::create_hard_link(target, dir / "link.ndb");

    std::string error;
    ASSERT_TRUE(doc.SaveFile(target.string(), error)) << error;
    EXPECT_EQ(ReadBytes(target), expected) << "the whole document, not a mix";
    EXPECT_EQ(LoadStatusOf(target), LoadStatus::Loaded);
    EXPECT_EQ(ReadBytes(dir / "link.ndb"), theirs);
    EXPECT_EQ(Listing(dir), (std::vector<std::string>{"channels.ndb", "link.ndb"}));
}

TEST_F(SaveFailureTest, FileReplacedDuringTheSave)
{
    // The other program's file lands between our write and our rename: ours
    // replaces it whole, and nothing else in the directory is touched.
    const Bytes theirs = Bytes(4000, 0x5A);
    FaultyFiles files(FaultyFiles::Fault::None);
    files.beforeRename = [&] {
        WriteBytes(dir / "theirs.tmp", theirs);
        fs::rename(dir / "theirs.tmp", target);
    };
    std::string error;
    ASSERT_TRUE(doc.SaveFile(target.string(), error, &files)) << error;
    EXPECT_EQ(ReadBytes(target), expected);
    EXPECT_EQ(Listing(dir), std::vector<std::string>{"channels.ndb"});
}

TEST_F(SaveFailureTest, FileDeletedWhileOpen)
{
    fs::remove(target);
    std::string error;
    ASSERT_TRUE(doc.SaveFile(target.string(), error)) << error;
    EXPECT_EQ(ReadBytes(target), expected);
}

TEST_F(SaveFailureTest, SymbolicLinkKeptAndItsFileReplaced)
{
    const fs::path real = dir / "real.ndb";
    fs::rename(target, real);
    fs::create_symlink(real.filename(), target);
    std::string error;
    ASSERT_TRUE(doc.SaveFile(target.string(), error)) << error;
    EXPECT_TRUE(fs::is_symlink(target));
    EXPECT_EQ(ReadBytes(real), expected);
    EXPECT_EQ(Listing(dir), (std::vector<std::string>{"channels.ndb", "real.ndb"}));
}

TEST_F(SaveFailureTest, PermissionsOfTheReplacedFileStay)
{
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    std::string error;
    ASSERT_TRUE(doc.SaveFile(target.string(), error)) << error;
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(SaveFailureTest, CopyToANewFileNeverReplacesAndLeavesNothingHalfDone)
{
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    const fs::path copy = dir / "channels.ndb.bak";
    std::string error;
    FaultyFiles full(FaultyFiles::Fault::WriteAfterBytes, 100);
    EXPECT_FALSE(full.CopyToNewFile(target.string(), copy.string(), error));
    EXPECT_NE(error.find("Kein Speicherplatz"), std::string::npos) << error;
    EXPECT_EQ(Listing(dir), std::vector<std::string>{"channels.ndb"});

    error.clear();
    ASSERT_TRUE(CFileLayer::Default().CopyToNewFile(target.string(), copy.string(), error)) << error;
    EXPECT_EQ(ReadBytes(copy), original);
    struct stat st {};
    ASSERT_EQ(::stat(copy.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    // An existing file stays as it is.
    WriteBytes(copy, Bytes{'o', 'l', 'd'});
    EXPECT_FALSE(CFileLayer::Default().CopyToNewFile(target.string(), copy.string(), error));
    EXPECT_NE(error.find("vorhanden"), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(copy), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(Listing(dir), (std::vector<std::string>{"channels.ndb", "channels.ndb.bak"}));
}
