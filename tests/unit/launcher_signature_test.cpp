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

// What osslsigncode 2.5 (Debian bookworm) and 2.9 (bookworm-backports) print for `verify`,
// cut to the lines around what is read, for a self-signed test certificate.
struct VerifyCase {
  const char* what;
  int exitCode;
  const char* output;
  SignatureCheck::Outcome outcome;
  const char* reason;  // a part of it
  const char* signer;
};

constexpr const char* kSigner = "/CN=Test Signer/O=Suite Test";

const VerifyCase kVerifyCases[] = {
    {"2.9, trusted through -CAfile", 0,
     "Signer's certificate:\n\t------------------\n\tSigner #0:\n"
     "\t\tSubject: /CN=Test Signer/O=Suite Test\n\t\tIssuer : /CN=Test Signer/O=Suite Test\n"
     "Signature verification: ok\n\nNumber of verified signatures: 1\nSucceeded\n",
     SignatureCheck::Verified, "", kSigner},
    {"2.5, self-signed", 255,
     "Current message digest    : AE3E9F4AA47E5669 \nCalculated message digest : AE3E9F4AA47E5669 "
     "\n"
     "\nSigner's certificate:\n\tSigner #0:\n\t\tSubject: /CN=Test Signer/O=Suite Test\n"
     "PKCS7_verify error\n40B97332CD7F0000:error:10800075:PKCS7 routines:PKCS7_verify:"
     "certificate verify error:../crypto/pkcs7/pk7_smime.c:291:Verify error: self-signed "
     "certificate\nSignature verification: failed\n\nNumber of verified signatures: 1\nFailed\n",
     SignatureCheck::Untrusted, "self-signed certificate", kSigner},
    {"2.9, self-signed", 1,
     "40008459997F0000:error:10800075:PKCS7 routines:PKCS7_verify:certificate verify error:"
     "../crypto/pkcs7/pk7_smime.c:291:Verify error: self-signed certificate\n"
     "Current message digest    : AE3E9F4AA47E5669 \nCalculated message digest : AE3E9F4AA47E5669 "
     "\n"
     "\nSigner's certificate:\n\t------------------\n\tSigner #0:\n"
     "\t\tSubject: /CN=Test Signer/O=Suite Test\n\tError: self-signed certificate\n"
     "PKCS7_verify error\nSignature verification: failed\n",
     SignatureCheck::Untrusted, "self-signed certificate", kSigner},
    {"2.5, a byte of the code changed", 255,
     "Current PE checksum   : 00021FBD\nCalculated PE checksum: 000220BC    MISMATCH!!!\n"
     "Message digest algorithm  : SHA256\n"
     "Current message digest    : AE3E9F4AA47E5669 \n"
     "Calculated message digest : 28F004C91B38B1CF     MISMATCH!!!\n\n"
     "Signature verification: failed\n\nNumber of verified signatures: 1\nFailed\n",
     SignatureCheck::Broken, "the file has changed since it was signed", ""},
    {"2.9, a byte of the code changed", 1,
     "Signature verification: failed\nWarning: invalid PE checksum\n"
     "Current message digest    : AE3E9F4AA47E5669 \n"
     "Calculated message digest : 28F004C91B38B1CF     MISMATCH!!!\n\nFailed\n",
     SignatureCheck::Broken, "the file has changed since it was signed", ""},
    {"2.9, a byte of the signature changed, chain trusted", 1,
     "40100007077F0000:error:10800069:PKCS7 routines:PKCS7_verify:signature failure:"
     "../crypto/pkcs7/pk7_smime.c:357:\n"
     "Current message digest    : AE3E9F4AA47E5669 \nCalculated message digest : AE3E9F4AA47E5669 "
     "\n"
     "\t\tSubject: /CN=Test Signer/O=Suite Test\nPKCS7_verify error\n"
     "Signature verification: failed\n",
     SignatureCheck::Broken, "signature failure", kSigner},
    {"2.5, signature unreadable", 1,
     "Current PE checksum   : 0002A09A\n\nFailed to extract PKCS7 data\n\nFailed\n",
     SignatureCheck::Broken, "cannot read the signature", ""},
    {"2.9, signature unreadable", 1,
     "Unable to extract existing signature\nWarning: invalid PE checksum\nFailed\n",
     SignatureCheck::Broken, "cannot read the signature", ""},
    {"either, no trusted roots installed", 255,
     "Use the \"-CAfile\" option to add one or more trusted CA certificates to verify the "
     "signature.\nFailed\n",
     SignatureCheck::Unavailable, "install ca-certificates", ""},
    {"an unknown failure", 3, "4010:error:1:x:y:z\nSomething new went wrong\nFailed\n",
     SignatureCheck::Broken, "osslsigncode: Something new went wrong", ""},
};

TEST(ReadOsslsigncodeVerify, ReadsTheWordsOfBothVersions) {
  for (const VerifyCase& c : kVerifyCases) {
    SCOPED_TRACE(c.what);
    const SignatureCheck check = ReadOsslsigncodeVerify(c.exitCode, c.output);
    EXPECT_EQ(check.outcome, c.outcome);
    EXPECT_NE(check.reason.find(c.reason), std::string::npos) << check.reason;
    EXPECT_EQ(check.signer, c.signer);
  }
}

}  // namespace
}  // namespace ss::tool
