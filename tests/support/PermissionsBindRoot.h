#pragma once

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace zeb::test {

// Takes CAP_DAC_OVERRIDE out of this thread's effective capabilities while it lives, so that
// file permissions bind a test that runs as root too.
class PermissionsBindRoot {
public:
    PermissionsBindRoot()
    {
        if (::syscall(SYS_capget, &header_, saved_) != 0)
            return;
        __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
        lowered[CAP_TO_INDEX(CAP_DAC_OVERRIDE)].effective &= ~CAP_TO_MASK(CAP_DAC_OVERRIDE);
        lowered_ = ::syscall(SYS_capset, &header_, lowered) == 0;
    }
    ~PermissionsBindRoot()
    {
        if (lowered_)
            ::syscall(SYS_capset, &header_, saved_);
    }
    PermissionsBindRoot(const PermissionsBindRoot&) = delete;
    PermissionsBindRoot& operator=(const PermissionsBindRoot&) = delete;

    // Whether the file at path can really not be opened for writing now.
    static bool RefusesWriting(const std::string& path)
    {
        int fd = ::open(path.c_str(), O_RDWR);
        if (fd >= 0)
            ::close(fd);
        return fd < 0 && errno == EACCES;
    }

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2] = {};
    bool lowered_ = false;
};

}  // namespace zeb::test
