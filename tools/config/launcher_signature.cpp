#include "tools/config/launcher_signature.h"

#include <optional>
#include <vector>

#include "tools/config/exe_image.h"
#include "tools/config/folder_check.h"
#include "tools/config/folder_view.h"

namespace ss::tool {

namespace {

// PE layout: the offset of the "PE\0\0" header at 0x3C; the optional header after the 4-byte
// signature and the 20-byte file header; its data directories at 96 (PE32) or 112 (PE32+).
constexpr std::uint64_t kPeOffsetField = 0x3C;
constexpr std::uint64_t kOptionalHeaderAt = 24;
constexpr std::uint16_t kPe32 = 0x10B;
constexpr std::uint16_t kPe32Plus = 0x20B;
constexpr std::uint32_t kSecurityDirectory = 4;
// WIN_CERTIFICATE: length, revision, type; type 2 is PKCS#7 signed data, Authenticode's.
constexpr std::uint32_t kCertificateHeader = 8;
constexpr std::uint16_t kPkcsSignedData = 2;

std::uint64_t Read(std::string_view bytes, std::uint64_t at, int size) {
  return ReadLittleEndian(bytes, at, size);
}

CertificateTable Table(CertificateTable::State state, std::string problem = "") {
  CertificateTable table;
  table.state = state;
  table.problem = std::move(problem);
  return table;
}

std::string Trim(std::string_view text) {
  const size_t start = text.find_first_not_of(" \t\r");
  if (start == std::string_view::npos) return "";
  return std::string(text.substr(start, text.find_last_not_of(" \t\r") - start + 1));
}

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = std::min(text.find('\n', start), text.size());
    lines.push_back(Trim(text.substr(start, end - start)));
    start = end + 1;
  }
  return lines;
}

// The text after `label` on the first line that starts with it (or holds it, when `anywhere`).
std::optional<std::string> After(const std::vector<std::string>& lines, std::string_view label,
                                 bool anywhere = false) {
  for (const std::string& line : lines) {
    const size_t at = line.find(label);
    if (at == 0 || (anywhere && at != std::string::npos)) {
      return Trim(std::string_view(line).substr(at + label.size()));
    }
  }
  return std::nullopt;
}

bool Holds(const std::vector<std::string>& lines, std::string_view part) {
  return After(lines, part, true).has_value();
}

// The first word of a digest line's value: 2.5 and 2.9 append "MISMATCH!!!" to a wrong one.
std::string Digest(const std::vector<std::string>& lines, std::string_view label) {
  const std::string value = After(lines, label).value_or("");
  const size_t colon = value.find(':');
  if (colon == std::string::npos) return "";
  const std::string rest = Trim(std::string_view(value).substr(colon + 1));
  return rest.substr(0, rest.find_first_of(" \t"));
}

SignatureCheck Outcome(SignatureCheck::Outcome outcome, std::string signer, std::string reason) {
  return {outcome, std::move(signer), std::move(reason)};
}

}  // namespace

CertificateTable ReadCertificateTable(std::string_view file) {
  if (file.size() < kPeOffsetField + 4 || file.substr(0, 2) != "MZ") {
    return Table(CertificateTable::NotPe, "it does not start with \"MZ\"");
  }
  const std::uint64_t pe = Read(file, kPeOffsetField, 4);
  const std::uint64_t optional = pe + kOptionalHeaderAt;
  if (optional + 2 > file.size() || file.substr(pe, 4) != std::string_view("PE\0\0", 4)) {
    return Table(CertificateTable::NotPe, "it has no PE header");
  }
  const std::uint64_t magic = Read(file, optional, 2);
  if (magic != kPe32 && magic != kPe32Plus) {
    return Table(CertificateTable::NotPe, "its optional header is of an unknown kind");
  }
  const std::uint64_t directories = optional + (magic == kPe32 ? 96 : 112);
  const std::uint64_t optionalSize = Read(file, pe + 20, 2);
  const std::uint64_t entry = directories + 8 * kSecurityDirectory;
  if (directories > file.size() || Read(file, directories - 4, 4) <= kSecurityDirectory ||
      entry + 8 > optional + optionalSize || entry + 8 > file.size()) {
    return Table(CertificateTable::Unsigned);  // no room for a certificate table
  }
  CertificateTable table;
  table.offset = static_cast<std::uint32_t>(Read(file, entry, 4));
  table.size = static_cast<std::uint32_t>(Read(file, entry + 4, 4));
  if (table.offset == 0 && table.size == 0) return Table(CertificateTable::Unsigned);
  table.state = CertificateTable::Damaged;
  const std::uint64_t end = std::uint64_t{table.offset} + table.size;
  if (table.offset == 0 || end > file.size()) {
    table.problem = "it reaches past the end of the file";
  } else if (table.size < kCertificateHeader) {
    table.problem = "it is too small to hold a certificate";
  } else if (const std::uint64_t length = Read(file, table.offset, 4);
             length < kCertificateHeader || length > table.size) {
    table.problem = "its first entry's length does not fit the table";
  } else if (Read(file, table.offset + 6, 2) != kPkcsSignedData) {
    table.problem = "its first entry is not an Authenticode signature (PKCS#7 signed data)";
  } else {
    table.state = CertificateTable::Signed;
  }
  return table;
}

SignatureCheck ReadOsslsigncodeVerify(int exitCode, std::string_view output) {
  const std::vector<std::string> lines = Lines(output);
  // The signer's certificate is the first one both versions list.
  const std::string signer = After(lines, "Subject:").value_or("");
  if (exitCode == 0) return Outcome(SignatureCheck::Verified, signer, "");
  // Without a bundle of trusted roots both versions stop before they look at the file.
  if (Holds(lines, "Use the \"-CAfile\" option")) {
    return Outcome(SignatureCheck::Unavailable, signer,
                   "osslsigncode found no trusted root certificates; install ca-certificates");
  }
  if (Holds(lines, "Unable to extract existing signature") ||  // 2.9
      Holds(lines, "Failed to extract PKCS7 data")) {          // 2.5
    return Outcome(SignatureCheck::Broken, signer, "osslsigncode cannot read the signature");
  }
  const std::string signedDigest = Digest(lines, "Current message digest");
  const std::string fileDigest = Digest(lines, "Calculated message digest");
  if (!signedDigest.empty() && !fileDigest.empty() && signedDigest != fileDigest) {
    return Outcome(SignatureCheck::Broken, signer,
                   "the file has changed since it was signed: its digest is no longer the signed "
                   "one");
  }
  // OpenSSL's reason for a certificate chain it cannot trust, in both versions' error lines.
  // It checks the chain before the signature's own bytes, so those stay unchecked then.
  if (const std::optional<std::string> chain = After(lines, "Verify error:", true)) {
    const bool revoked = chain->find("revoked") != std::string::npos;
    return Outcome(revoked ? SignatureCheck::Broken : SignatureCheck::Untrusted, signer, *chain);
  }
  if (Holds(lines, ":signature failure:")) {
    return Outcome(SignatureCheck::Broken, signer,
                   "the signature does not match the data it signs (signature failure)");
  }
  for (const std::string& line : lines) {
    // OpenSSL's own lines ("4080...:error:...") are noise without the line above them.
    if (!line.empty() && line.find(":error:") == std::string::npos && line != "Failed") {
      return Outcome(SignatureCheck::Broken, signer, "osslsigncode: " + line);
    }
  }
  return Outcome(SignatureCheck::Broken, signer,
                 "osslsigncode verify failed with exit code " + std::to_string(exitCode));
}

void CheckLauncherSignature(const FolderView& folder, const SignatureVerifier& verify,
                            FolderReport& report) {
  const std::string exe = kLauncherExe;
  const auto fact = [&](const std::string& text) { report.facts.push_back("Signature: " + text); };
  const auto problem = [&](Severity severity, std::string text) {
    report.problems.push_back({severity, std::move(text)});
  };
  const FileRead file = folder.read(exe);
  if (file.state != FileRead::Read) {
    fact("not checked");
    problem(Severity::Warning,
            exe +
                (file.state == FileRead::Unreadable ? " cannot be read (" + file.error + ")"
                 : file.state == FileRead::Folder   ? " is a folder"
                                                    : " is missing") +
                ", so its signature was not checked. Copy the launcher into the folder.");
    return;
  }
  const CertificateTable table = ReadCertificateTable(file.bytes);
  const std::string signAgain = "Sign the exe as it was built again (see the guide's \"Signing\").";
  if (table.state == CertificateTable::NotPe) {
    fact("not checked");
    problem(Severity::Error, exe + " is not a Windows program (" + table.problem +
                                 "): Windows will not start it. Copy the launcher from the "
                                 "release package.");
    return;
  }
  // Windows loads the headers and sections before it looks at the signature.
  if (const std::string damage = ExeLoadProblem(file.bytes); !damage.empty()) {
    fact("not checked");
    problem(Severity::Error, exe + " is damaged (" + damage +
                                 "): Windows will not start it. Copy the launcher from the "
                                 "release package.");
    return;
  }
  switch (table.state) {
    case CertificateTable::NotPe:
      return;  // refused above
    case CertificateTable::Unsigned:
      fact("none");
      problem(Severity::Warning,
              exe +
                  " is not signed: Windows names no publisher for it, SmartScreen warns when it "
                  "was downloaded, and antivirus programs flag unsigned programs first. " +
                  "Sign it with: make dist SIGN_CERT=cert.pem SIGN_KEY=key.pem (see the "
                  "guide's \"Signing\").");
      return;
    case CertificateTable::Damaged:
      fact("damaged");
      problem(Severity::Error, exe + "'s certificate table is damaged (" + table.problem +
                                   "): Windows treats the signature as invalid. " + signAgain);
      return;
    case CertificateTable::Signed:
      break;
  }
  const SignatureCheck check = verify(*folder.find(exe));
  const std::string by = check.signer.empty() ? "an unknown signer" : check.signer;
  switch (check.outcome) {
    case SignatureCheck::Verified:
      fact("signed by " + by + ", verified");
      break;
    case SignatureCheck::Intact:
      fact("signed by " + by + ", matches the file, trust not judged here");
      problem(Severity::Warning,
              exe +
                  "'s signature matches the file, but whether its certificate is trusted "
                  "could not be judged here (" +
                  check.reason + "). Verify it on Windows with \"signtool verify /pa " + exe +
                  "\".");
      break;
    case SignatureCheck::Untrusted:
      fact("signed by " + by + ", not trusted here");
      problem(Severity::Warning,
              exe + "'s signature matches the file, but its certificate is not trusted here (" +
                  check.reason +
                  "): where Windows does not trust it either, it names no verified publisher and "
                  "SmartScreen warns. Sign with a code-signing certificate from a certification "
                  "authority that Windows trusts.");
      break;
    case SignatureCheck::Broken:
      fact("signed by " + by + ", does not verify");
      problem(Severity::Error, exe + "'s signature does not verify (" + check.reason +
                                   "): Windows treats the program as from an unknown publisher "
                                   "and may block it. " +
                                   signAgain);
      break;
    case SignatureCheck::Unavailable:
      fact("signed, not verified");
      problem(Severity::Warning,
              exe + " carries a signature, but it could not be verified here (" + check.reason +
                  "). Verify it with osslsigncode on Linux, or with \"signtool verify /pa " + exe +
                  "\" on Windows.");
      break;
  }
}

}  // namespace ss::tool
