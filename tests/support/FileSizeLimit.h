#pragma once
// While alive, a write that would take a regular file past `bytes` fails with
// "File too large" after writing what fits, as a disk that fills up does:
// write errors on a real file without a disk to fill. The limit is the
// process's, so only for tests that write from one thread.
#include <csignal>

#include <sys/resource.h>

namespace ui {

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);  // the write fails instead of ending the process
        const rlimit limit{bytes, old_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, previous_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
    void (*previous_)(int) = nullptr;
};

}  // namespace ui
