// Windows build: the launcher's signature verified by WinVerifyTrust, its signer named by the
// crypt API, as Windows itself judges the exe.
#include <windows.h>
#include <softpub.h>
#include <wincrypt.h>
#include <wintrust.h>

#include <cstdio>
#include <vector>

#include "tools/config/launcher_signature.h"

namespace ss::tool {

namespace {

std::string Utf8(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return "";
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
  out.resize(static_cast<size_t>(size) - 1);
  return out;
}

// Our words for the usual trust results, in the terms the Linux check uses.
const char* OwnWords(LONG status) {
  switch (static_cast<HRESULT>(status)) {
    case TRUST_E_BAD_DIGEST:
      return "the file has changed since it was signed";
    case TRUST_E_NOSIGNATURE:
      return "Windows finds no valid signature in it";
    case CERT_E_UNTRUSTEDROOT:
      return "its certificate leads to a root that is not trusted";
    case CERT_E_EXPIRED:
      return "its certificate has expired";
    case CERT_E_REVOKED:
      return "its certificate has been revoked";
    default:
      return nullptr;
  }
}

// The words for a trust result, with its code; else the system's text (Wine lacks many).
std::string Reason(LONG status) {
  char code[32];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(status));
  if (const char* words = OwnWords(status)) return std::string(words) + " (" + code + ")";
  wchar_t* text = nullptr;
  FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(status), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string reason = text ? Utf8(text) : "";
  LocalFree(text);
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' ||
                             reason.back() == ' ' || reason.back() == '.')) {
    reason.pop_back();
  }
  return reason.empty() ? std::string("error ") + code : reason + " (" + code + ")";
}

// The subject of the certificate that signed the file, read whatever the trust result.
std::string Signer(const std::wstring& path) {
  HCERTSTORE store = nullptr;
  HCRYPTMSG message = nullptr;
  DWORD encoding = 0, content = 0, format = 0;
  if (!CryptQueryObject(CERT_QUERY_OBJECT_FILE, path.c_str(),
                        CERT_QUERY_CONTENT_FLAG_PKCS7_SIGNED_EMBED, CERT_QUERY_FORMAT_FLAG_BINARY,
                        0, &encoding, &content, &format, &store, &message, nullptr)) {
    return "";
  }
  std::string subject;
  DWORD size = 0;
  if (CryptMsgGetParam(message, CMSG_SIGNER_CERT_INFO_PARAM, 0, nullptr, &size)) {
    std::vector<BYTE> info(size);
    if (CryptMsgGetParam(message, CMSG_SIGNER_CERT_INFO_PARAM, 0, info.data(), &size)) {
      PCCERT_CONTEXT cert = CertFindCertificateInStore(
          store, X509_ASN_ENCODING | PKCS_7_ASN_ENCODING, 0, CERT_FIND_SUBJECT_CERT,
          reinterpret_cast<CERT_INFO*>(info.data()), nullptr);
      if (cert) {
        const DWORD length = CertNameToStrW(X509_ASN_ENCODING, &cert->pCertInfo->Subject,
                                            CERT_X500_NAME_STR, nullptr, 0);
        std::vector<wchar_t> name(length + 1, L'\0');
        CertNameToStrW(X509_ASN_ENCODING, &cert->pCertInfo->Subject, CERT_X500_NAME_STR,
                       name.data(), length);
        subject = Utf8(name.data());
        CertFreeCertificateContext(cert);
      }
    }
  }
  CertCloseStore(store, 0);
  CryptMsgClose(message);
  return subject;
}

SignatureCheck::Outcome OutcomeOf(LONG status) {
  switch (static_cast<HRESULT>(status)) {
    case ERROR_SUCCESS:
      return SignatureCheck::Verified;
    // The file and its signature agree; the certificate is what this system does not accept.
    case CERT_E_UNTRUSTEDROOT:
    case CERT_E_UNTRUSTEDTESTROOT:
    case CERT_E_UNTRUSTEDCA:
    case CERT_E_CHAINING:
    case CERT_E_EXPIRED:
    case CERT_E_VALIDITYPERIODNESTING:
    case CERT_E_WRONG_USAGE:
    case CERT_E_PURPOSE:
    case CERT_E_CRITICAL:
    case CERT_E_REVOCATION_FAILURE:
    case CRYPT_E_NO_REVOCATION_CHECK:
    case CRYPT_E_REVOCATION_OFFLINE:
      return SignatureCheck::Untrusted;
    case TRUST_E_PROVIDER_UNKNOWN:
    case TRUST_E_ACTION_UNKNOWN:
    case TRUST_E_SUBJECT_FORM_UNKNOWN:
      return SignatureCheck::Unavailable;
    default:  // a wrong digest, a damaged or missing signature, a revoked certificate
      return SignatureCheck::Broken;
  }
}

// Wine's WinVerifyTrust compares the file's digest with the signed one, but accepts any
// certificate chain: its success says nothing of trust.
bool UnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

SignatureCheck VerifyTrust(const std::filesystem::path& exe) {
  const std::wstring path = exe.wstring();
  WINTRUST_FILE_INFO file{};
  file.cbStruct = sizeof file;
  file.pcwszFilePath = path.c_str();
  WINTRUST_DATA data{};
  data.cbStruct = sizeof data;
  data.dwUIChoice = WTD_UI_NONE;
  // No fetching of revocation lists: a check of a folder must not wait on the network.
  data.fdwRevocationChecks = WTD_REVOKE_NONE;
  data.dwProvFlags = WTD_CACHE_ONLY_URL_RETRIEVAL;
  data.dwUnionChoice = WTD_CHOICE_FILE;
  data.pFile = &file;
  data.dwStateAction = WTD_STATEACTION_VERIFY;
  GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
  const LONG status = WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
  data.dwStateAction = WTD_STATEACTION_CLOSE;
  WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
  SignatureCheck check;
  check.outcome = OutcomeOf(status);
  check.signer = Signer(path);
  if (check.outcome == SignatureCheck::Verified && UnderWine()) {
    check.outcome = SignatureCheck::Intact;
    check.reason = "Wine checks the file against its signature, but not the certificate's trust";
  } else if (check.outcome != SignatureCheck::Verified) {
    check.reason = Reason(status);
  }
  return check;
}

}  // namespace

SignatureVerifier SystemSignatureVerifier() {
  return VerifyTrust;
}

}  // namespace ss::tool
