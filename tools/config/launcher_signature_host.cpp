// Host build: the launcher's signature verified by `osslsigncode verify`, found on PATH.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "tools/config/launcher_signature.h"

extern char** environ;

namespace ss::tool {

namespace {

SignatureCheck RunOsslsigncode(const std::filesystem::path& exe) {
  SignatureCheck unavailable;
  int pipeEnds[2];
  if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
    unavailable.reason = std::string("cannot start osslsigncode: ") + std::strerror(errno);
    return unavailable;
  }
  // Its report and its errors in one stream, in the order it wrote them; no input.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 2);
  std::string program = "osslsigncode", command = "verify", in = "-in", path = exe.string();
  char* argv[] = {program.data(), command.data(), in.data(), path.data(), nullptr};
  pid_t child = 0;
  const int spawned = posix_spawnp(&child, "osslsigncode", &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeEnds[1]);
  if (spawned != 0) {
    close(pipeEnds[0]);
    unavailable.reason = spawned == ENOENT
                             ? "osslsigncode is not installed"
                             : std::string("cannot start osslsigncode: ") + std::strerror(spawned);
    return unavailable;
  }
  std::string output;
  char chunk[4096];
  ssize_t got;
  while ((got = read(pipeEnds[0], chunk, sizeof chunk)) > 0 || (got < 0 && errno == EINTR)) {
    if (got > 0) output.append(chunk, static_cast<size_t>(got));
  }
  close(pipeEnds[0]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (!WIFEXITED(status)) {
    unavailable.reason = "osslsigncode ended without an exit code";
    return unavailable;
  }
  return ReadOsslsigncodeVerify(WEXITSTATUS(status), output);
}

}  // namespace

SignatureVerifier SystemSignatureVerifier() {
  return RunOsslsigncode;
}

}  // namespace ss::tool
