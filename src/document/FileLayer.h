#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

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
    bool WriteFileAtomic(const std::string& target, const uint8_t* data, size_t size,
                         std::string& error);

    // Copies source to target, which must not exist yet, in the same way:
    // through a new file beside target that takes its place only when whole,
    // so a failed copy leaves nothing behind, and an existing target is never
    // replaced. The copy gets the permissions of the source.
    bool CopyToNewFile(const std::string& source, const std::string& target, std::string& error);

    static CFileLayer& Default();

protected:
    // Steps of the atomic write; each returns false and sets error on failure.
    virtual bool CreateTemp(const std::string& target, std::string& tempPath, int& fd,
                            std::string& error);
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
