#include "UnprivilegedUser.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarvik::test {

bool runningAsRoot() {
    return ::geteuid() == 0;
}

bool asUnprivilegedUser(const std::function<bool()>& checks) {
    if (!runningAsRoot()) {
        return checks();
    }
    const passwd* nobody = ::getpwnam("nobody");
    if (nobody == nullptr) {
        return false;
    }
    const uid_t uid = nobody->pw_uid;
    const gid_t gid = nobody->pw_gid;
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped = ::setgroups(0, nullptr) == 0 && ::setgid(gid) == 0 && ::setuid(uid) == 0;
        ::_exit(dropped && checks() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void shareWithNobody(const std::filesystem::path& folder) {
    ::chmod(folder.c_str(), 0777);
}

void giveToNobody(const std::filesystem::path& file) {
    if (const passwd* nobody = ::getpwnam("nobody"); nobody != nullptr && runningAsRoot()) {
        [[maybe_unused]] const int given = ::chown(file.c_str(), nobody->pw_uid, nobody->pw_gid);
    }
}

} // namespace tarvik::test
