#!/usr/bin/env bash
# Signs Windows programs in place with SHA-256 Authenticode through osslsigncode, with the
# release engineer's certificate; make-dist.sh calls it on the staged exes before zipping.
#   sign.sh FILE...
# The certificate and its secrets come from the environment, never from a command line:
#   SIGN_CERT, SIGN_KEY   a PEM certificate (its chain may follow it) and its PEM private key
#   SIGN_PKCS12           or a PKCS#12 file (.pfx, .p12) holding both
#   SIGN_PASS_FILE        a file whose first line is the password of the key or PKCS#12 file
#                         (UTF-8, with or without a byte-order mark, or UTF-16 with one)
#   SIGN_PASS             or the password itself, in the environment
#   SIGN_TIMESTAMP_URL    an RFC 3161 time-stamp server; without it there is no time stamp
#   SIGN_TIMESTAMP_TIMEOUT  seconds to wait for each signature with its time stamp (60)
# On any failure it prints one line with the reason on stderr, exits 1 and leaves every FILE
# as it was: the files are signed into copies, which replace them only when all are signed.
# Interrupted (Ctrl+C, SIGTERM), it removes its copies and scratch files as well.
set -euo pipefail
fail() {
  echo "sign.sh: $*" >&2
  exit 1
}
[ $# -gt 0 ] || fail "usage: sign.sh FILE... (the certificate in SIGN_CERT and SIGN_KEY, or SIGN_PKCS12)"
for tool in osslsigncode openssl; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (apt-get install $tool)"
done

# Private scratch space: the password file and the certificate's public parts.
work=$(umask 077 && mktemp -d)
signed=()
cleanup() {
  rm -rf "$work"
  [ ${#signed[@]} -eq 0 ] || rm -f "${signed[@]}"
}
trap cleanup EXIT
# The EXIT trap runs for a signal too once the signal ends the script through exit.
trap 'exit 130' INT
trap 'exit 143' TERM

# The first line an openssl or osslsigncode run wrote, for the reason of a failure.
first_line() { grep -m1 -v '^[[:space:]]*$' "$work/log" || echo "no reason given"; }

# A password given in the environment goes to the tools as a private file, as osslsigncode
# reads one only from a file (or a command line, which other users can see).
pass_file=
if [ -n "${SIGN_PASS_FILE:-}" ]; then
  [ -r "$SIGN_PASS_FILE" ] || fail "cannot read the password file $SIGN_PASS_FILE"
  # Its first line as a Windows editor may save it (UTF-16 or a UTF-8 byte-order mark, CR LF),
  # as UTF-8 without the mark or the CR in a private copy.
  decode=(cat)
  case $(head -c 3 "$SIGN_PASS_FILE" | od -An -tx1 | tr -d ' \n') in
    fffe* | feff*) decode=(iconv -f UTF-16 -t UTF-8) ;;
    efbbbf) decode=(tail -c +4) ;;
    ??00* | 00*)
      fail "the password file $SIGN_PASS_FILE looks like UTF-16 text without a byte-order mark:" \
        "save it as UTF-8" ;;
  esac
  (umask 077 && "${decode[@]}" <"$SIGN_PASS_FILE" | head -n 1 | sed 's/\r$//' >"$work/pass") \
    2>/dev/null || fail "the password file $SIGN_PASS_FILE is no valid UTF-16 text: save it as UTF-8"
  [ "$(tr -d '\000' <"$work/pass" | wc -c)" = "$(wc -c <"$work/pass")" ] ||
    fail "the password file $SIGN_PASS_FILE holds a NUL byte in its first line: save it as UTF-8"
  pass_file="$work/pass"
elif [ -n "${SIGN_PASS+set}" ]; then
  (umask 077 && printf '%s\n' "$SIGN_PASS" >"$work/pass")
  pass_file="$work/pass"
fi
if [ -n "$pass_file" ]; then
  pass_in=(-passin "file:$pass_file")
  read_pass=(-readpass "$pass_file")
else
  pass_in=(-passin pass:)  # no password: never a prompt
  read_pass=()
fi

if [ -n "${SIGN_PKCS12:-}" ]; then
  [ -z "${SIGN_CERT:-}${SIGN_KEY:-}" ] || fail "give SIGN_PKCS12, or SIGN_CERT and SIGN_KEY, not both"
  [ -r "$SIGN_PKCS12" ] || fail "cannot read $SIGN_PKCS12"
  # Its certificate, to check below; OpenSSL 3 opens files with old RC2 encryption only with
  # -legacy, as osslsigncode does by itself.
  if ! openssl pkcs12 -in "$SIGN_PKCS12" "${pass_in[@]}" -nokeys -clcerts -out "$work/cert.pem" \
    >"$work/log" 2>&1 &&
    ! openssl pkcs12 -legacy -in "$SIGN_PKCS12" "${pass_in[@]}" -nokeys -clcerts \
      -out "$work/cert.pem" >/dev/null 2>&1; then
    fail "cannot open $SIGN_PKCS12: wrong password, or no PKCS#12 file ($(first_line))"
  fi
  cert="$work/cert.pem"
  key_args=(-pkcs12 "$SIGN_PKCS12")
else
  [ -n "${SIGN_CERT:-}" ] && [ -n "${SIGN_KEY:-}" ] ||
    fail "give both SIGN_CERT and SIGN_KEY (PEM files), or SIGN_PKCS12"
  [ -r "$SIGN_CERT" ] || fail "cannot read $SIGN_CERT"
  [ -r "$SIGN_KEY" ] || fail "cannot read $SIGN_KEY"
  openssl x509 -in "$SIGN_CERT" -noout -pubkey -out "$work/cert.pub" >"$work/log" 2>&1 ||
    fail "$SIGN_CERT is no PEM certificate ($(first_line))"
  openssl pkey -in "$SIGN_KEY" "${pass_in[@]}" -pubout -out "$work/key.pub" >"$work/log" 2>&1 ||
    fail "cannot read the key $SIGN_KEY: wrong password, or no PEM private key ($(first_line))"
  # osslsigncode finds a foreign key too, but words it in a dozen lines of OpenSSL errors.
  cmp -s "$work/cert.pub" "$work/key.pub" ||
    fail "the key $SIGN_KEY does not belong to the certificate $SIGN_CERT"
  cert=$SIGN_CERT
  key_args=(-certs "$SIGN_CERT" -key "$SIGN_KEY")
fi

# osslsigncode signs with a certificate out of its dates, and Windows then rejects the
# signature (at once, or without a time stamp once it expires): refuse such a certificate.
subject=$(openssl x509 -in "$cert" -noout -subject | sed 's/^subject=//')
not_before=$(openssl x509 -in "$cert" -noout -startdate | sed 's/^notBefore=//')
not_after=$(openssl x509 -in "$cert" -noout -enddate | sed 's/^notAfter=//')
[ "$(date -d "$not_before" +%s)" -le "$(date +%s)" ] ||
  fail "the certificate of $subject is not valid before $not_before"
openssl x509 -in "$cert" -noout -checkend 0 >/dev/null ||
  fail "the certificate of $subject expired on $not_after"
# A certificate limited to other uses (a web server's, say) gives signatures Windows rejects.
usage=$(openssl x509 -in "$cert" -noout -ext extendedKeyUsage 2>/dev/null || true)
if grep -q 'Extended Key Usage' <<<"$usage" && ! grep -q 'Code Signing' <<<"$usage"; then
  fail "the certificate of $subject is not for code signing (its extended key usage lacks it)"
fi

timestamp=()
bounded=()
if [ -n "${SIGN_TIMESTAMP_URL:-}" ]; then
  timestamp=(-ts "$SIGN_TIMESTAMP_URL")
  # osslsigncode waits for a server that accepts and never answers as long as the connection
  # lives; --foreground keeps it in the terminal's process group, so Ctrl+C reaches it too.
  limit=${SIGN_TIMESTAMP_TIMEOUT:-60}
  [[ "$limit" =~ ^[1-9][0-9]*$ ]] ||
    fail "SIGN_TIMESTAMP_TIMEOUT is \"$limit\", not a whole number of seconds above 0"
  bounded=(timeout --foreground --kill-after=5 "$limit")
fi
for file in "$@"; do
  [ -f "$file" ] || fail "$file is missing"
  out="$file.signing"
  signed+=("$out")
  rm -f "$out"
  status=0
  "${bounded[@]}" osslsigncode sign "${key_args[@]}" "${read_pass[@]}" -h sha256 \
    "${timestamp[@]}" -in "$file" -out "$out" </dev/null >"$work/log" 2>&1 || status=$?
  case $status in
    0) ;;
    124 | 137)
      fail "cannot sign $(basename "$file"): the time-stamp server $SIGN_TIMESTAMP_URL did not" \
        "answer within $limit seconds (SIGN_TIMESTAMP_TIMEOUT)" ;;
    *) fail "cannot sign $(basename "$file"): $(first_line)" ;;
  esac
done
for file in "$@"; do mv -f "$file.signing" "$file"; done
signed=()

names=$(for file in "$@"; do basename "$file"; done | paste -sd ',' | sed 's/,/, /g')
if [ ${#timestamp[@]} -eq 0 ]; then
  echo "Signed $names by $subject, without a time stamp: the signatures stop verifying when the" \
    "certificate expires ($not_after); set SIGN_TIMESTAMP_URL to a time-stamp server"
else
  echo "Signed $names by $subject, time-stamped by $SIGN_TIMESTAMP_URL"
fi
