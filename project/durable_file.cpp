#include "project/durable_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvello {

namespace {

// Closes a file descriptor when it goes out of scope.
class FileHandle {
public:
    explicit FileHandle(int fd) : fd_(fd) {}
    ~FileHandle()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int get() const { return fd_; }
    bool close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

[[noreturn]] void fail(const std::string& what)
{
    throw DurableFileError(what + " (" + systemErrorText() + ")");
}

void writeAll(int fd, const char* data, size_t size, const std::string& path)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            fail("cannot write '" + path + "'");
        }
        data += written;
        size -= size_t(written);
    }
}

std::string folderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A rename is durable once the folder holding the names is flushed.
void syncFolder(const std::string& path)
{
    FileHandle folder(::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0)
        ::fsync(folder.get()); // some file systems refuse to sync a folder; the rename stands
}

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        fail("cannot read '" + path + "'");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

std::string systemErrorText()
{
    return std::strerror(errno);
}

bool fileExists(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

void writeDurably(const std::string& path, const std::string& text, const std::function<void()>& midway)
{
    FileHandle file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (file.get() < 0)
        fail("cannot create '" + path + "'");
    try {
        const size_t half = text.size() / 2;
        writeAll(file.get(), text.data(), half, path);
        if (midway)
            midway();
        writeAll(file.get(), text.data() + half, text.size() - half, path);
        if (::fsync(file.get()) != 0)
            fail("cannot flush '" + path + "' to the disk");
        if (!file.close())
            fail("cannot close '" + path + "'");
    } catch (...) {
        ::unlink(path.c_str());
        throw;
    }
}

void copyDurably(const std::string& from, const std::string& to)
{
    const std::string temporary = to + ".tmp";
    writeDurably(temporary, readAll(from));
    replaceDurably(temporary, to);
}

void replaceDurably(const std::string& from, const std::string& to)
{
    if (::rename(from.c_str(), to.c_str()) != 0) {
        const int error = errno;
        ::unlink(from.c_str());
        errno = error;
        fail("cannot rename '" + from + "' to '" + to + "'");
    }
    syncFolder(to);
}

} // namespace tarvello
