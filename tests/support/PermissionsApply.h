#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace scontrix::test {

// Makes file permissions hold for the calling thread while the guard lives,
// root included: root reads and writes any file because of two capabilities,
// which the guard takes out of the thread's effective set and gives back at
// its end (they stay permitted, so they can come back). Without root there is
// nothing to take: permissions already hold. Only the calling thread is
// affected, which is where a window's handlers and the storage they call run.
class PermissionsApply {
public:
    PermissionsApply() {
        if (!read(saved_))
            return;
        __user_cap_data_struct changed[2] = {saved_[0], saved_[1]};
        changed[0].effective &= ~(1u << CAP_DAC_OVERRIDE | 1u << CAP_DAC_READ_SEARCH);
        active_ = write(changed);
    }
    ~PermissionsApply() {
        if (active_)
            write(saved_);
    }
    PermissionsApply(const PermissionsApply&) = delete;
    PermissionsApply& operator=(const PermissionsApply&) = delete;

private:
    static bool read(__user_cap_data_struct (&data)[2]) {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        return ::syscall(SYS_capget, &header, data) == 0;
    }
    static bool write(__user_cap_data_struct (&data)[2]) {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        return ::syscall(SYS_capset, &header, data) == 0;
    }

    __user_cap_data_struct saved_[2]{};
    bool active_ = false;
};

} // namespace scontrix::test
