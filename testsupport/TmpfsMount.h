#pragma once

#include <cstring>
#include <filesystem>
#include <string>

#include <sys/mount.h>
#include <unistd.h>

namespace velmora::test {

// A small tmpfs mounted over a folder for the length of a test, to try a full or read-only
// disk for real. Only root may mount: elsewhere mounted() is false and why() says so, for the
// test to skip.
class TmpfsMount {
public:
    TmpfsMount(const std::filesystem::path& folder, std::string options)
        : folder_(folder), options_(std::move(options))
    {
        if (::geteuid() != 0) {
            why_ = "needs root to mount a tmpfs";
            return;
        }
        if (::mount("tmpfs", folder_.c_str(), "tmpfs", 0, options_.c_str()) != 0) {
            why_ = std::string("cannot mount a tmpfs: ") + std::strerror(errno);
            return;
        }
        mounted_ = true;
    }
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;
    ~TmpfsMount()
    {
        if (mounted_)
            ::umount2(folder_.c_str(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }
    const std::string& why() const { return why_; }
    bool remountReadOnly()
    {
        if (::mount("tmpfs", folder_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, options_.c_str()) == 0)
            return true;
        why_ = std::string("cannot remount read-only: ") + std::strerror(errno);
        return false;
    }

private:
    std::filesystem::path folder_;
    std::string options_;
    bool mounted_ = false;
    std::string why_;
};

} // namespace velmora::test
