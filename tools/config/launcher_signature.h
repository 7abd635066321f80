// suitestart-config check: the launcher exe's Authenticode signature, found in its PE header and
// verified by the system's own tools (no cryptography of ours).
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace ss::tool {

struct FolderReport;
class FolderView;

// The launcher's file name in its folder.
inline constexpr const char* kLauncherExe = "suitestart.exe";

// Where a PE file keeps its signature: the certificate table, data directory entry 4.
struct CertificateTable {
  enum State { NotPe, Unsigned, Signed, Damaged } state = NotPe;
  std::uint32_t offset = 0;  // a file offset, unlike the addresses of the other directories
  std::uint32_t size = 0;
  std::string problem;  // why the file is no PE file, or how the table is damaged
};

// Finds the certificate table of the PE file `file` and checks that it lies within the file
// and starts with a well-formed PKCS#7 entry.
CertificateTable ReadCertificateTable(std::string_view file);

// What verifying a signature over the file as it is found.
struct SignatureCheck {
  enum Outcome {
    Verified,     // intact, and its certificate chains to a trusted root
    Intact,       // intact; whether its certificate is trusted was not judged (Wine)
    Untrusted,    // intact, but its certificate is not trusted here (self-signed, expired, ...)
    Broken,       // the file changed after signing, or the signature is damaged or revoked
    Unavailable,  // nothing here could verify it
  } outcome = Unavailable;
  std::string signer;  // the signing certificate's subject; empty when the verifier did not say
  std::string reason;  // the verifier's words when the outcome is not Verified
};

using SignatureVerifier = std::function<SignatureCheck(const std::filesystem::path& exe)>;

// The platform's verifier: WinVerifyTrust on Windows, `osslsigncode verify` (on PATH) elsewhere.
SignatureVerifier SystemSignatureVerifier();

// Reads the exit code and output of `osslsigncode verify -in FILE`, as versions 2.5 and 2.9
// word them.
SignatureCheck ReadOsslsigncodeVerify(int exitCode, std::string_view output);

// Adds to `report` whether the launcher exe in `folder` is signed, by whom, and whether the
// signature verifies: not signed is a warning, a signature that does not verify an error.
void CheckLauncherSignature(const FolderView& folder, const SignatureVerifier& verify,
                            FolderReport& report);

}  // namespace ss::tool
