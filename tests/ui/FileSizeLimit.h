#pragma once

#include <csignal>
#include <cstdio>
#include <iostream>
#include <sys/resource.h>

// Makes every write that would grow a regular file past `bytes` fail, as a full disk does,
// for as long as it lives. Nothing may be printed while it is in place.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::cout.flush();
        std::fflush(nullptr);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};
