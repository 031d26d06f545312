#include "ui/Files.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ui {

namespace {

constexpr const char* kNotRegular = "Not a regular file";
constexpr const char* kBeingWritten = "The program is writing that file";

// Why a file that exists cannot be a target: only regular files are, as a
// write to a FIFO or a device could block the program for ever.
const char* notATarget(const struct stat& st)
{
    if (S_ISDIR(st.st_mode))
        return std::strerror(EISDIR);
    return S_ISREG(st.st_mode) ? nullptr : kNotRegular;
}

// Writes text whole, counting in done what went out; 0 or the system's error.
int writeAll(int fd, std::string_view text, std::size_t& done)
{
    done = 0;
    while (done < text.size()) {
        const ssize_t put = ::write(fd, text.data() + done, text.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return put < 0 ? errno : ENOSPC;
        done += static_cast<std::size_t>(put);
    }
    return 0;
}

// The mode a newly created file gets (mkstemp makes its file private).
mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Reads a regular file whole. Opening does not wait (a FIFO would block until
// a writer came); the checks are made on what was opened, not on the name.
int readRegularFile(const std::string& path, std::string& data)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    struct stat st {};
    int error = 0;
    if (::fstat(fd, &st) != 0)
        error = errno;
    else if (S_ISDIR(st.st_mode))
        error = EISDIR;
    else if (!S_ISREG(st.st_mode))
        error = EINVAL;
    else if (static_cast<unsigned long long>(st.st_size) > FileTable::kMaxInputBytes)
        error = EFBIG;
    char buffer[1 << 16];
    while (error == 0) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            error = errno;
        else if (got == 0)
            break;
        else if (data.size() + static_cast<std::size_t>(got) > FileTable::kMaxInputBytes)
            error = EFBIG;  // grew while being read
        else
            data.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return error;
}

}  // namespace

std::string fieldText(std::string_view text, char separator)
{
    std::string out(text);
    for (char& c : out)
        if (c == separator || c == '\r' || c == '\n')
            c = ' ';
    return out;
}

bool FileTable::fail(const std::string& path, std::string reason)
{
    lastPath_ = path;
    lastError_ = std::move(reason);
    return false;
}

bool FileTable::fail(const std::string& path, int error) { return fail(path, std::strerror(error)); }

std::string FileTable::failure(std::string_view what) const
{
    if (lastPath_.empty())  // no file was named
        return std::string(what) + ": " + lastError_ + ".";
    return std::string(what) + ": cannot write to " + lastPath_ + "\r\n" + lastError_ + ".";
}

bool FileTable::writing(unsigned long long device, unsigned long long inode) const
{
    for (const auto& [n, e] : files_)
        if (e.out >= 0 && e.device == device && e.inode == inode)
            return true;
    return false;
}

bool FileTable::Open(int n, const std::string& path, OpenMode mode)
{
    // Every failure says why: the callers show the reason in their box.
    if (path.empty())
        return fail(path, "Bad file name or number");
    if (isOpen(n))
        return fail(path, "File already open");
    Entry e;
    e.path = path;
    e.mode = mode;
    if (mode == OpenMode::Input) {
        if (const int error = readRegularFile(path, e.data); error != 0)
            return fail(path, error);
        files_.emplace(n, std::move(e));
        return true;
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0)
        if (const char* refused = notATarget(st))
            return fail(path, refused);
    // Not waiting (a FIFO put there since would block until a reader came)
    // and not cut yet: a file being written keeps what it holds.
    const int fd = ::open(path.c_str(),
        O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (mode == OpenMode::Append ? O_APPEND : 0), 0666);
    if (fd < 0)
        return fail(path, errno);
    const char* refused = ::fstat(fd, &st) != 0 ? std::strerror(errno) : notATarget(st);
    if (refused == nullptr && writing(st.st_dev, st.st_ino))
        refused = kBeingWritten;
    if (refused == nullptr && mode == OpenMode::Output && ::ftruncate(fd, 0) != 0)
        refused = std::strerror(errno);
    if (refused != nullptr) {
        ::close(fd);
        return fail(path, refused);
    }
    e.out = fd;
    e.device = st.st_dev;
    e.inode = st.st_ino;
    files_.emplace(n, std::move(e));
    return true;
}

bool FileTable::Save(const std::string& path, std::string_view text)
{
    if (path.empty())
        return fail(path, "Bad file name or number");
    // lstat: a symbolic link is refused, not replaced by a file of its own.
    struct stat st {};
    const bool exists = ::lstat(path.c_str(), &st) == 0;
    if (exists) {
        if (const char* refused = S_ISLNK(st.st_mode) ? kNotRegular : notATarget(st))
            return fail(path, refused);
        if (writing(st.st_dev, st.st_ino))
            return fail(path, kBeingWritten);
    }
    // In the same folder, so the rename replaces the old file in one step: a
    // program killed meanwhile leaves the old file whole.
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return fail(path, errno);
    std::size_t done = 0;
    int error = ::fchmod(fd, exists ? (st.st_mode & 07777) : newFileMode()) != 0 ? errno : 0;
    if (error == 0)
        error = writeAll(fd, text, done);
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temp.c_str(), path.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        return fail(path, error);
    }
    return true;
}

const std::string& FileTable::path(int n) const
{
    static const std::string none;
    auto it = files_.find(n);
    return it == files_.end() ? none : it->second.path;
}

int FileTable::FreeFile() const
{
    int n = 1;
    while (isOpen(n))
        ++n;
    return n;
}

FileTable::Entry* FileTable::find(int n, bool input)
{
    auto it = files_.find(n);
    if (it == files_.end())
        return nullptr;
    if ((it->second.mode == OpenMode::Input) != input)
        return nullptr;
    return &it->second;
}

bool FileTable::write(int n, std::string_view text)
{
    Entry* e = find(n, false);
    if (!e)
        return fail(path(n), "Bad file name or number");
    // Where the file ends now, to take back a part of the line (disk full).
    const off_t before = ::lseek(e->out, 0, SEEK_END);
    std::size_t done = 0;
    if (const int error = writeAll(e->out, text, done); error != 0) {
        if (done > 0 && before >= 0 && ::ftruncate(e->out, before) == 0)
            ::lseek(e->out, before, SEEK_SET);
        return fail(e->path, error);
    }
    return true;
}

bool FileTable::PrintNoNewline(int n, std::string_view text) { return write(n, text); }

bool FileTable::Print(int n, std::string_view text)
{
    std::string line;
    line.reserve(text.size() + 2);
    line.append(text).append("\r\n");
    return write(n, line);
}

bool FileTable::Eof(int n) const
{
    auto it = files_.find(n);
    if (it == files_.end() || it->second.mode != OpenMode::Input)
        return true;
    return it->second.pos >= it->second.data.size();
}

bool FileTable::LineInput(int n, std::string& line)
{
    Entry* e = find(n, true);
    line.clear();
    if (!e || e->pos >= e->data.size())
        return false;
    const std::string& d = e->data;
    std::size_t end = d.find_first_of("\r\n", e->pos);
    if (end == std::string::npos)
        end = d.size();
    line.assign(d, e->pos, end - e->pos);
    e->pos = end;
    if (e->pos < d.size() && d[e->pos] == '\r')
        ++e->pos;
    if (e->pos < d.size() && d[e->pos] == '\n')
        ++e->pos;
    return true;
}

bool FileTable::InputField(int n, std::string& field)
{
    Entry* e = find(n, true);
    field.clear();
    if (!e)
        return false;
    const std::string& d = e->data;
    std::size_t& p = e->pos;
    auto isBlank = [&](std::size_t i) { return d[i] == ' ' || d[i] == '\t'; };
    // Blanks before a field are skipped; so are empty lines, unless a comma
    // ended the previous field: then the line end closes an empty field.
    while (p < d.size() && (isBlank(p) || (!e->afterComma && (d[p] == '\r' || d[p] == '\n'))))
        ++p;
    if (p >= d.size()) {
        bool trailing = e->afterComma;
        e->afterComma = false;
        return trailing;
    }
    if (d[p] == '\r' || d[p] == '\n') {
        // the empty field after a trailing comma; p stays on the line end
    } else if (d[p] == '"') {
        std::size_t close = d.find('"', p + 1);
        if (close == std::string::npos)
            close = d.size();
        field.assign(d, p + 1, close - p - 1);
        p = close < d.size() ? close + 1 : close;
        // Whatever follows the closing quote up to the separator is dropped.
        while (p < d.size() && d[p] != ',' && d[p] != '\r' && d[p] != '\n')
            ++p;
    } else {
        std::size_t end = d.find_first_of(",\r\n", p);
        if (end == std::string::npos)
            end = d.size();
        field.assign(d, p, end - p);
        while (!field.empty() && (field.back() == ' ' || field.back() == '\t'))
            field.pop_back();
        p = end;
    }
    e->afterComma = p < d.size() && d[p] == ',';
    if (e->afterComma)
        ++p;
    else {
        if (p < d.size() && d[p] == '\r')
            ++p;
        if (p < d.size() && d[p] == '\n')
            ++p;
    }
    return true;
}

void FileTable::Close(int n)
{
    auto it = files_.find(n);
    if (it == files_.end())
        return;
    if (it->second.out >= 0)
        ::close(it->second.out);
    files_.erase(it);
}

void FileTable::CloseAll()
{
    while (!files_.empty())
        Close(files_.begin()->first);
}

}  // namespace ui
