#include "FileLayer.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The reasons users meet, in German; others as the system says them.
std::string ReasonText(int err)
{
    switch (err) {
    case EACCES:
    case EPERM:
        return "Zugriff verweigert";
    case ENOSPC:
    case EDQUOT:
        return "Kein Speicherplatz mehr auf dem Datenträger";
    case EROFS:
        return "Das Dateisystem ist schreibgeschützt";
    case ENOENT:
        return "Datei oder Ordner nicht gefunden";
    case EISDIR:
        return "Der Pfad ist ein Ordner";
    case EIO:
        return "Ein-/Ausgabefehler";
    case EEXIST:
        return "Die Datei ist schon vorhanden";
    default:
        return std::strerror(err);
    }
}

std::string SystemError(const char* what, const std::string& path, int err)
{
    return std::string(what) + " \"" + path + "\": " + ReasonText(err) + ".";
}

std::string DirectoryOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes a rename into the directory durable; a failure here no longer
// endangers the data.
void SyncDirectoryOf(const std::string& path)
{
    const int dir = ::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

std::string NotRegularFile(const std::string& path)
{
    return "Die Datei \"" + path + "\" ist keine gewöhnliche Datei.";
}

} // namespace

std::string CheckInputFile(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        return NotRegularFile(path);
    }
    return {};
}

std::string CheckOutputFile(const std::string& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
        return {};
    }
    if (S_ISLNK(st.st_mode) && ::stat(path.c_str(), &st) != 0) {
        return "Der Verweis \"" + path + "\" zeigt auf keine vorhandene Datei.";
    }
    return S_ISREG(st.st_mode) ? std::string() : NotRegularFile(path);
}

bool IsSameFile(const std::string& a, const std::string& b)
{
    struct stat sa {};
    struct stat sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

CFileLayer& CFileLayer::Default()
{
    static CFileLayer instance;
    return instance;
}

bool CFileLayer::ReadFile(const std::string& path, std::vector<uint8_t>& out, std::string& error)
{
    if (std::string refusal = CheckInputFile(path); !refusal.empty()) {
        error = std::move(refusal);
        return false;
    }
    // Opened without waiting, so a FIFO put there meanwhile cannot block;
    // the opened file is checked again.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error = SystemError("Die Datei kann nicht geöffnet werden:", path, errno);
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        error = NotRegularFile(path);
        ::close(fd);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    // Read in one go into a buffer of the file's size; a file that grows
    // meanwhile is read on to its end.
    out.resize(static_cast<size_t>(st.st_size) + 1);
    size_t got = 0;
    for (;;) {
        if (got == out.size()) {
            out.resize(out.size() * 2);
        }
        const ssize_t n = ::read(fd, out.data() + got, out.size() - got);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            error = SystemError("Die Datei kann nicht gelesen werden:", path, errno);
            ::close(fd);
            return false;
        }
        if (n == 0) {
            break;
        }
        got += static_cast<size_t>(n);
    }
    out.resize(got);
    ::close(fd);
    return true;
}

bool CFileLayer::CreateTemp(const std::string& target, std::string& tempPath, int& fd, std::string& error)
{
    tempPath = target + ".XXXXXX";
    std::vector<char> name(tempPath.begin(), tempPath.end());
    name.push_back('\0');
    fd = ::mkstemp(name.data());
    if (fd < 0) {
        error = "Im Ordner \"" + DirectoryOf(target) +
                "\" kann keine Datei angelegt werden: " + ReasonText(errno) + ".";
        return false;
    }
    tempPath.assign(name.data());
    // A replaced database keeps the permissions it had.
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        ::fchmod(fd, st.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    return true;
}

bool CFileLayer::WriteAll(int fd, const uint8_t* data, size_t size, std::string& error)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            error = std::string("Die Datei kann nicht geschrieben werden: ") + ReasonText(errno) + ".";
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool CFileLayer::Flush(int fd, std::string& error)
{
    if (::fsync(fd) != 0) {
        error =
            std::string("Die Datei kann nicht auf den Datenträger geschrieben werden: ") + ReasonText(errno) + ".";
        return false;
    }
    return true;
}

bool CFileLayer::Close(int fd, std::string& error)
{
    if (::close(fd) != 0) {
        error = std::string("Die Datei kann nicht geschlossen werden: ") + ReasonText(errno) + ".";
        return false;
    }
    return true;
}

bool CFileLayer::Rename(const std::string& from, const std::string& to, std::string& error)
{
    if (::rename(from.c_str(), to.c_str()) != 0) {
        error = SystemError("Die Datei kann nicht ersetzt werden:", to, errno);
        return false;
    }
    SyncDirectoryOf(to);
    return true;
}

bool CFileLayer::RenameToNew(const std::string& from, const std::string& to, std::string& error)
{
    int result = ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
    if (result != 0 && (errno == EINVAL || errno == ENOSYS || errno == ENOTSUP)) {
        // A file system without that flag: the check just before is the best there is.
        struct stat st {};
        if (::lstat(to.c_str(), &st) == 0) {
            errno = EEXIST;
        } else {
            result = ::rename(from.c_str(), to.c_str());
        }
    }
    if (result != 0) {
        error = SystemError("Die Datei kann nicht angelegt werden:", to, errno);
        return false;
    }
    SyncDirectoryOf(to);
    return true;
}

void CFileLayer::Remove(const std::string& path)
{
    ::unlink(path.c_str());
}

bool CFileLayer::WriteFileAtomic(const std::string& requested, const uint8_t* data, size_t size,
                                 std::string& error)
{
    if (std::string refusal = CheckOutputFile(requested); !refusal.empty()) {
        error = std::move(refusal);
        return false;
    }
    // A link to the database is kept; the file it points at is replaced.
    std::string target = requested;
    if (char* real = ::realpath(requested.c_str(), nullptr)) {
        target = real;
        std::free(real);
    }
    return WriteThroughTemp(target, data, size, nullptr, error);
}

bool CFileLayer::CopyToNewFile(const std::string& source, const std::string& target, std::string& error)
{
    std::vector<uint8_t> bytes;
    if (!ReadFile(source, bytes, error)) {
        return false;
    }
    return WriteThroughTemp(target, bytes.data(), bytes.size(), &source, error);
}

// Without modeOf the new file replaces target; with it, target must not
// exist yet and the new file gets the permissions of the file modeOf names.
bool CFileLayer::WriteThroughTemp(const std::string& target, const uint8_t* data, size_t size,
                                  const std::string* modeOf, std::string& error)
{
    std::string temp;
    int fd = -1;
    if (!CreateTemp(target, temp, fd, error)) {
        return false;
    }
    struct stat st {};
    if (modeOf != nullptr && ::stat(modeOf->c_str(), &st) == 0) {
        ::fchmod(fd, st.st_mode & 07777);
    }
    if (!WriteAll(fd, data, size, error) || !Flush(fd, error)) {
        std::string ignored;
        Close(fd, ignored);
        Remove(temp);
        return false;
    }
    if (!Close(fd, error) ||
        !(modeOf == nullptr ? Rename(temp, target, error) : RenameToNew(temp, target, error))) {
        Remove(temp);
        return false;
    }
    return true;
}
