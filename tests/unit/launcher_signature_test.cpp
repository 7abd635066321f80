#include "tools/config/launcher_signature.h"

#include <gtest/gtest.h>

#include "pe_image.h"

namespace ss::tool {
namespace {

using test::CertificateEntry;
using test::PeImage;

TEST(ReadCertificateTable, FindsTheTableInPe32AndPe32Plus) {
  for (const bool plus : {true, false}) {
    const std::string entry = CertificateEntry();
    const std::string signedExe = PeImage(entry, plus);
    const CertificateTable table = ReadCertificateTable(signedExe);
    EXPECT_EQ(table.state, CertificateTable::Signed) << table.problem;
    EXPECT_EQ(table.offset, signedExe.size() - entry.size());
    EXPECT_EQ(table.size, entry.size());
    EXPECT_EQ(ReadCertificateTable(PeImage({}, plus)).state, CertificateTable::Unsigned);
  }
}

TEST(ReadCertificateTable, TableThatDoesNotFitIsDamaged) {
  std::string exe = PeImage(CertificateEntry());
  exe.pop_back();  // the table now reaches one byte past the end
  EXPECT_EQ(ReadCertificateTable(exe).problem, "it reaches past the end of the file");
  EXPECT_EQ(ReadCertificateTable(PeImage("1234")).problem, "it is too small to hold a certificate");
  std::string longEntry = CertificateEntry();
  test::Put(longEntry, 0, 4096, 4);
  EXPECT_EQ(ReadCertificateTable(PeImage(longEntry)).problem,
            "its first entry's length does not fit the table");
  const CertificateTable x509 = ReadCertificateTable(PeImage(CertificateEntry("cert", 1)));
  EXPECT_EQ(x509.state, CertificateTable::Damaged);
  EXPECT_NE(x509.problem.find("not an Authenticode signature"), std::string::npos);
}

TEST(ReadCertificateTable, EveryCutOfASignedFileIsReadSafelyAndNeverSigned) {
  const std::string exe = PeImage(CertificateEntry());
  for (size_t size = 0; size < exe.size(); ++size) {
    EXPECT_NE(ReadCertificateTable(exe.substr(0, size)).state, CertificateTable::Signed) << size;
  }
  EXPECT_EQ(ReadCertificateTable("MZ" + std::string(100, '\0')).problem, "it has no PE header");
  EXPECT_EQ(ReadCertificateTable("#!/bin/sh\n" + std::string(100, ' ')).state,
            CertificateTable::NotPe);
}

// Lines of what osslsigncode 2.5 (Debian bookworm) and 2.9 (bookworm-backports) print for
// `verify` of a file signed with a self-signed test certificate.
constexpr const char* kSubject = "\t\tSubject: /CN=Test Signer/O=Suite Test\n";
constexpr const char* kSameDigest =
    "Current message digest    : AE3E9F4AA47E5669 \nCalculated message digest : AE3E9F4AA47E5669 "
    "\n";
constexpr const char* kOtherDigest =
    "Current message digest    : AE3E9F4AA47E5669 \n"
    "Calculated message digest : 28F004C91B38B1CF     MISMATCH!!!\n";
constexpr const char* kChainError =
    "40B97332CD7F0000:error:10800075:PKCS7 routines:PKCS7_verify:certificate verify error:"
    "../crypto/pkcs7/pk7_smime.c:291:Verify error: self-signed certificate\n";

struct VerifyCase {
  const char* what;
  int exitCode;
  std::string output;
  SignatureCheck::Outcome outcome;
  const char* reason;  // a part of it
  bool namesSigner;
};

const VerifyCase kVerifyCases[] = {
    {"trusted through -CAfile", 0, std::string(kSameDigest) + kSubject + "Succeeded\n",
     SignatureCheck::Verified, "", true},
    {"2.5, self-signed", 255,
     std::string(kSameDigest) + kSubject + "PKCS7_verify error\n" + kChainError + "Failed\n",
     SignatureCheck::Untrusted, "self-signed certificate", true},
    {"2.9, self-signed", 1,
     kChainError + std::string(kSameDigest) + kSubject +
         "\tError: self-signed certificate\nPKCS7_verify error\nFailed\n",
     SignatureCheck::Untrusted, "self-signed certificate", true},
    {"2.5, a byte of the code changed", 255,
     "Calculated PE checksum: 000220BC    MISMATCH!!!\n" + std::string(kOtherDigest) + "Failed\n",
     SignatureCheck::Broken, "the file has changed since it was signed", false},
    {"2.9, a byte of the code changed", 1,
     "Signature verification: failed\n" + std::string(kOtherDigest) + "Failed\n",
     SignatureCheck::Broken, "the file has changed since it was signed", false},
    {"2.9, a byte of the signature changed, chain trusted", 1,
     "4010:error:10800069:PKCS7 routines:PKCS7_verify:signature failure:../pk7_smime.c:357:\n" +
         std::string(kSameDigest) + kSubject + "PKCS7_verify error\nFailed\n",
     SignatureCheck::Broken, "signature failure", true},
    {"2.5, signature unreadable", 1, "\nFailed to extract PKCS7 data\n\nFailed\n",
     SignatureCheck::Broken, "cannot read the signature", false},
    {"2.9, signature unreadable", 1, "Unable to extract existing signature\nFailed\n",
     SignatureCheck::Broken, "cannot read the signature", false},
    {"either, no trusted roots installed", 255,
     "Use the \"-CAfile\" option to add one or more trusted CA certificates to verify the "
     "signature.\nFailed\n",
     SignatureCheck::Unavailable, "install ca-certificates", false},
    {"an unknown failure", 3, "4010:error:1:x:y:z\nSomething new went wrong\nFailed\n",
     SignatureCheck::Broken, "osslsigncode: Something new went wrong", false},
};

TEST(ReadOsslsigncodeVerify, ReadsTheWordsOfBothVersions) {
  for (const VerifyCase& c : kVerifyCases) {
    SCOPED_TRACE(c.what);
    const SignatureCheck check = ReadOsslsigncodeVerify(c.exitCode, c.output);
    EXPECT_EQ(check.outcome, c.outcome);
    EXPECT_NE(check.reason.find(c.reason), std::string::npos) << check.reason;
    EXPECT_EQ(check.signer, c.namesSigner ? "/CN=Test Signer/O=Suite Test" : "");
  }
}

}  // namespace
}  // namespace ss::tool
