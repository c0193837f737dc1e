#include "tests/apps/cli/process_runner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace orbit::cli::testing {

namespace {

std::string TempPath(const char* stem)
{
    std::string pattern = std::string("/tmp/repeat_orbit_") + stem + "_XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0)
        throw std::runtime_error("cannot create a temporary file");
    close(fd);
    return pattern;
}

std::string ReadAndRemove(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::remove(path.c_str());
    return text.str();
}

}  // namespace

namespace {

pid_t Spawn(const std::vector<std::string>& args, posix_spawn_file_actions_t& actions,
            const posix_spawnattr_t* attributes = nullptr)
{
    std::vector<std::string> argvText = {REPEAT_ORBIT_EXE};
    argvText.insert(argvText.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : argvText)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, REPEAT_ORBIT_EXE, &actions, attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        throw std::runtime_error("cannot start " REPEAT_ORBIT_EXE);
    return pid;
}

}  // namespace

ProcessResult RunRepeatOrbit(const std::vector<std::string>& args, StandardOutputTo out)
{
    const std::string outPath = TempPath("out");
    const std::string errPath = TempPath("err");

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (out == StandardOutputTo::Captured)
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(), O_WRONLY | O_TRUNC, 0);
    else if (out == StandardOutputTo::FullDevice)
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/full", O_WRONLY, 0);
    else
        posix_spawn_file_actions_addclose(&actions, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(), O_WRONLY | O_TRUNC, 0);
    const pid_t pid = Spawn(args, actions);

    int status = 0;
    waitpid(pid, &status, 0);
    ProcessResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadAndRemove(outPath);
    result.err = ReadAndRemove(errPath);
    return result;
}

PipedResult RunRepeatOrbitIntoHead(const std::vector<std::string>& args)
{
    const std::string errPath = TempPath("err");
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        throw std::runtime_error("cannot make a pipe");

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(), O_WRONLY | O_TRUNC, 0);
    const pid_t pid = Spawn(args, actions);
    close(pipeEnds[1]);

    PipedResult result;
    for (char c; read(pipeEnds[0], &c, 1) == 1 && c != '\n';)
        result.out += c;
    close(pipeEnds[0]);

    int status = 0;
    waitpid(pid, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    result.err = ReadAndRemove(errPath);
    return result;
}

int StartRepeatOrbit(const std::vector<std::string>& args)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults, none;
    sigemptyset(&defaults);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaddset(&defaults, signal);
    sigemptyset(&none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    const pid_t pid = Spawn(args, actions, &attributes);
    posix_spawnattr_destroy(&attributes);
    return pid;
}

EndedProcess WaitForRepeatOrbit(int pid)
{
    int status = 0;
    rusage usage{};
    EndedProcess ended;
    if (wait4(pid, &status, 0, &usage) != pid)
        return ended;
    ended.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    ended.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    ended.maxResidentKb = usage.ru_maxrss;  // kilobytes on Linux
    return ended;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

}  // namespace orbit::cli::testing
