#include "launch.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace office {

pid_t launch(const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&files, 1, 2);
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);

    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &files, &attr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawnattr_destroy(&attr);
    posix_spawn_file_actions_destroy(&files);
    return pid;
}

bool has_ended(pid_t pid, int& status)
{
    return waitpid(pid, &status, WNOHANG) == pid;
}

} // namespace office
