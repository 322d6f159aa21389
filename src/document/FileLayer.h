#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// What may stand at a path a command reads or writes. Each returns an empty
// string when the path may be used, else the German message naming it.
// An input must be a regular file (a link to one is followed): reading a
// FIFO, socket or device could block or never end. A path that does not
// exist passes; opening it then says so.
std::string CheckInputFile(const std::string& path);
// An output may be missing or a regular file (a link to one is followed and
// kept); anything else, a dangling link included, would be replaced by the
// atomic write and is left as it is.
std::string CheckOutputFile(const std::string& path);
// Whether both paths name one existing file (device and inode, links followed).
bool IsSameFile(const std::string& a, const std::string& b);

// The few file operations load and save need, behind an interface so tests
// can make any of them fail.
class CFileLayer {
public:
    virtual ~CFileLayer() = default;

    // Reads the whole file. On failure returns false and sets error.
    virtual bool ReadFile(const std::string& path, std::vector<uint8_t>& out, std::string& error);

    // Writes bytes to a new file beside target and replaces target with it
    // only once every byte is written and flushed to the disk. On any failure
    // the target is left as it was, the new file is removed, and error says why.
    // A target CheckOutputFile refuses is refused with its message.
    bool WriteFileAtomic(const std::string& target, const uint8_t* data, size_t size, std::string& error);

    // Copies source to target, which must not exist yet, in the same way:
    // through a new file beside target that takes its place only when whole,
    // so a failed copy leaves nothing behind, and an existing target is never
    // replaced. The copy gets the permissions of the source.
    bool CopyToNewFile(const std::string& source, const std::string& target, std::string& error);

    static CFileLayer& Default();

protected:
    // Steps of the atomic write; each returns false and sets error on failure.
    virtual bool CreateTemp(const std::string& target, std::string& tempPath, int& fd, std::string& error);
    virtual bool WriteAll(int fd, const uint8_t* data, size_t size, std::string& error);
    virtual bool Flush(int fd, std::string& error);
    virtual bool Close(int fd, std::string& error);
    virtual bool Rename(const std::string& from, const std::string& to, std::string& error);
    // Like Rename, but fails when to exists.
    virtual bool RenameToNew(const std::string& from, const std::string& to, std::string& error);
    virtual void Remove(const std::string& path);

private:
    bool WriteThroughTemp(const std::string& target, const uint8_t* data, size_t size, const std::string* modeOf,
                          std::string& error);
};
