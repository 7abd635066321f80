// Host build: the launcher's signature verified by `osslsigncode verify`, found on PATH.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "tools/config/launcher_signature.h"

extern char** environ;

namespace ss::tool {

namespace {

// What a program run to its end said.
struct Ran {
  bool started = false;
  int exitCode = -1;    // -1 when it ended without one
  std::string output;   // its standard output and error in the order it wrote them
  std::string problem;  // why it did not start
};

Ran Run(std::vector<std::string> args) {
  Ran ran;
  int pipeEnds[2];
  if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
    ran.problem = std::string("cannot start ") + args[0] + ": " + std::strerror(errno);
    return ran;
  }
  // Its report and its errors in one stream; no input.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 2);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t child = 0;
  const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeEnds[1]);
  if (spawned != 0) {
    close(pipeEnds[0]);
    ran.problem = spawned == ENOENT
                      ? args[0] + " is not installed"
                      : std::string("cannot start ") + args[0] + ": " + std::strerror(spawned);
    return ran;
  }
  ran.started = true;
  char chunk[4096];
  ssize_t got;
  while ((got = read(pipeEnds[0], chunk, sizeof chunk)) > 0 || (got < 0 && errno == EINTR)) {
    if (got > 0) ran.output.append(chunk, static_cast<size_t>(got));
  }
  close(pipeEnds[0]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status)) ran.exitCode = WEXITSTATUS(status);
  return ran;
}

// A private folder for the signature's certificates, removed with this object.
class ScratchFolder {
 public:
  ScratchFolder() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/suitestart-check.XXXXXX";
    if (mkdtemp(pattern.data())) path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// osslsigncode checks the certificate chain before the signature's own bytes, so that an
// untrusted signer hides a signature that no longer matches the file. Verified again with the
// certificates the signature carries as the trusted ones, osslsigncode itself compares them.
SignatureCheck CheckUntrustedSignature(const std::string& exe, SignatureCheck untrusted) {
  SignatureCheck unchecked{SignatureCheck::Unavailable, untrusted.signer,
                           untrusted.reason +
                               ", and without a trusted certificate the signature "
                               "could not be checked against the file"};
  ScratchFolder scratch;
  if (scratch.path().empty()) return unchecked;
  const std::string signature = scratch.path() + "/signature.der";
  const std::string certificates = scratch.path() + "/certificates.pem";
  const Ran extracted = Run({"osslsigncode", "extract-signature", "-in", exe, "-out", signature});
  const Ran listed = extracted.exitCode == 0
                         ? Run({"openssl", "pkcs7", "-inform", "DER", "-print_certs", "-in",
                                signature, "-out", certificates})
                         : Ran{};
  if (listed.exitCode != 0) return unchecked;
  const Ran again = Run({"osslsigncode", "verify", "-CAfile", certificates, "-in", exe});
  if (!again.started || again.exitCode < 0) return unchecked;
  const SignatureCheck own = ReadOsslsigncodeVerify(again.exitCode, again.output);
  if (own.outcome == SignatureCheck::Verified) return untrusted;  // intact, but trusted nowhere
  if (own.outcome == SignatureCheck::Broken) {
    return {SignatureCheck::Broken, untrusted.signer, own.reason};
  }
  return unchecked;  // the chain fails even so: an issuer the signature does not carry
}

SignatureCheck RunOsslsigncode(const std::filesystem::path& exe) {
  SignatureCheck unavailable;
  const Ran ran = Run({"osslsigncode", "verify", "-in", exe.string()});
  if (!ran.started) {
    unavailable.reason = ran.problem;
    return unavailable;
  }
  if (ran.exitCode < 0) {
    unavailable.reason = "osslsigncode ended without an exit code";
    return unavailable;
  }
  const SignatureCheck check = ReadOsslsigncodeVerify(ran.exitCode, ran.output);
  if (check.outcome != SignatureCheck::Untrusted) return check;
  return CheckUntrustedSignature(exe.string(), check);
}

}  // namespace

SignatureVerifier SystemSignatureVerifier() {
  return RunOsslsigncode;
}

}  // namespace ss::tool
