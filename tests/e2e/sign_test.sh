#!/usr/bin/env bash
# The signed release package: built with a throwaway self-signed code-signing certificate, its
# two exes verified by osslsigncode with their resources intact, the shipped tool's check naming
# the signer and reporting one flipped byte, of the code or of the signature, as an error; a
# wrong password, a foreign key, an expired certificate and an unreachable time-stamp server
# each stop the build with one line and no package. No network: the time-stamp servers are a
# closed port on this machine and one that accepts and never answers, which must fail within
# SIGN_TIMESTAMP_TIMEOUT; a build interrupted while it waits for that server leaves nothing
# behind.
# Leaves the signed package unpacked in WORK_DIR/unpacked for tests/win/dist_test.cpp.
#   sign_test.sh WIN_BUILD HOST_BUILD WORK_DIR
set -euo pipefail
win=$(cd "${1:?windows build dir}" && pwd)
host=$(cd "${2:?host build dir}" && pwd)
work=${3:?work dir}
root=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
# Only the certificates given here, not any of the caller's.
unset SIGN_CERT SIGN_KEY SIGN_PKCS12 SIGN_PASS SIGN_PASS_FILE SIGN_TIMESTAMP_URL

rm -rf "$work"
mkdir -p "$work"
cd "$work"
work=$(pwd)
certificate() {  # KEY CERT SUBJECT [openssl req options...]
  openssl req -x509 -newkey rsa:2048 -noenc -keyout "$1" -out "$2" -subj "$3" \
    -addext extendedKeyUsage=codeSigning "${@:4}" 2>/dev/null
}
certificate key.pem cert.pem "/CN=Suite Test Signer/O=Test" -days 2
certificate other-key.pem other-cert.pem "/CN=Someone Else" -days 2
openssl req -new -key key.pem -subj "/CN=Suite Test Signer" -out expired.csr
openssl x509 -req -in expired.csr -key key.pem -days -1 -out expired.pem 2>/dev/null
openssl pkcs12 -export -in cert.pem -inkey key.pem -out cert.pfx -passout pass:right
echo right >pass.txt

version=$(cat "$host/version.txt")
zip="$work/out/suitestart-$version.zip"
SIGN_CERT=cert.pem SIGN_KEY=key.pem "$root/tools/dist/make-dist.sh" "$win" "$host" out \
  >dist.log 2>&1 || { cat dist.log; fail "make-dist.sh with a certificate"; }
grep -q 'without a time stamp' dist.log || fail "no word of the missing time stamp"
unzip -q "$zip" -d unpacked
pkg="$work/unpacked/suitestart-$version"
for exe in launcher/suitestart.exe tools/suitestart-config.exe; do
  osslsigncode verify -CAfile cert.pem -in "$pkg/$exe" >verify.txt 2>&1 ||
    { cat verify.txt; fail "$exe does not verify"; }
done
# The version information, manifest and icon are the resources: unchanged by signing.
rsrc() { x86_64-w64-mingw32-objdump -s -j .rsrc "$1" | grep '^ '; }
rsrc "$win/bin/suitestart.exe" >rsrc-built.txt
[ -s rsrc-built.txt ] || fail "the built launcher has no resources"
rsrc "$pkg/launcher/suitestart.exe" | cmp -s rsrc-built.txt - || fail "signing changed the resources"

# The shipped tool names the signer; a self-signed certificate is trusted nowhere: a warning.
tool="$pkg/tools/linux/suitestart-config"
"$tool" check "$pkg/launcher" >check.txt || { cat check.txt; fail "check of the signed launcher"; }
grep -q '^Signature: signed by /CN=Suite Test Signer/O=Test, not trusted here$' check.txt ||
  { cat check.txt; fail "check names no signer"; }
grep -q "^warning: suitestart.exe's signature matches the file, but .*self-signed" check.txt ||
  { cat check.txt; fail "no warning of the untrusted certificate"; }
# Without osslsigncode the signature is there but unverified: a warning, not an error.
PATH=/nonexistent "$tool" check "$pkg/launcher" >check-none.txt ||
  { cat check-none.txt; fail "check without osslsigncode"; }
grep -q 'could not be verified here (osslsigncode is not installed)' check-none.txt ||
  { cat check-none.txt; fail "check without osslsigncode says nothing of it"; }

# One byte of the code flipped: the signature no longer verifies, an error.
flip() {  # FILE OFFSET
  local byte
  byte=$(od -An -tu1 -j "$2" -N1 "$1" | tr -d ' ')
  printf "\\x$(printf %02x $((byte ^ 0xFF)))" | dd of="$1" bs=1 seek="$2" conv=notrunc 2>/dev/null
}
cp -r "$pkg/launcher" flipped
flip flipped/suitestart.exe 4096
status=0
"$tool" check flipped >check-flipped.txt || status=$?
[ "$status" = 1 ] || { cat check-flipped.txt; fail "check of a flipped byte exits $status, not 1"; }
grep -q "^error: suitestart.exe's signature does not verify (the file has changed since it was signed" \
  check-flipped.txt || { cat check-flipped.txt; fail "no error for the flipped byte"; }
# One byte of the signature's own value flipped: osslsigncode stops at the untrusted certificate
# before it looks at the signature, so check asks it again, trusting the signature's own
# certificates. An error as well, not a warning of the certificate.
cp -r "$pkg/launcher" resigned
flip resigned/suitestart.exe $(($(stat -c %s resigned/suitestart.exe) - 100))
status=0
"$tool" check resigned >check-resigned.txt || status=$?
[ "$status" = 1 ] || { cat check-resigned.txt; fail "check of a changed signature exits $status"; }
grep -q "^error: suitestart.exe's signature does not verify (the signature does not match" \
  check-resigned.txt || { cat check-resigned.txt; fail "no error for the changed signature"; }

# A PKCS#12 file with its password in a file signs as well.
cp "$win/bin/suitestart.exe" p12.exe
SIGN_PKCS12=cert.pfx SIGN_PASS_FILE=pass.txt "$root/tools/dist/sign.sh" p12.exe >/dev/null ||
  fail "sign.sh with a PKCS#12 file"
osslsigncode verify -CAfile cert.pem -in p12.exe >verify.txt 2>&1 || { cat verify.txt; fail "p12.exe"; }
# So does the password file as Notepad saves it as "Unicode": UTF-16 LE with its mark, CR LF.
printf '\xEF\xBB\xBFright\r\n' | iconv -f UTF-8 -t UTF-16LE >pass16.txt
cp "$win/bin/suitestart.exe" p12.exe
SIGN_PKCS12=cert.pfx SIGN_PASS_FILE=pass16.txt "$root/tools/dist/sign.sh" p12.exe >/dev/null ||
  fail "sign.sh with a UTF-16 password file"

# Each bad input: exit code not 0, one line on stderr with the reason, and nothing left in out/
# (the signed package of the run above included).
refused() {  # REASON VAR=VALUE...
  local reason=$1
  shift
  if env "$@" "$root/tools/dist/make-dist.sh" "$win" "$host" out >/dev/null 2>refused.txt; then
    fail "make-dist.sh with $* succeeded"
  fi
  [ "$(wc -l <refused.txt)" = 1 ] || { cat refused.txt; fail "$* gave not one line"; }
  grep -q "$reason" refused.txt || { cat refused.txt; fail "$* gave no reason like: $reason"; }
  [ -z "$(ls -A out)" ] || { ls -A out; fail "$* left files behind"; }
}
refused "wrong password" SIGN_PKCS12=cert.pfx SIGN_PASS=wrong
refused "does not belong to the certificate" SIGN_CERT=cert.pem SIGN_KEY=other-key.pem
refused "expired on" SIGN_CERT=expired.pem SIGN_KEY=key.pem
refused "cannot sign suitestart.exe: .*127.0.0.1:9" SIGN_CERT=cert.pem SIGN_KEY=key.pem \
  SIGN_TIMESTAMP_URL=http://127.0.0.1:9/

# A time-stamp server that takes the connection and never answers (perl is always installed).
perl -MIO::Socket::INET -e '
  my $s = IO::Socket::INET->new(LocalAddr => "127.0.0.1", LocalPort => 0, Listen => 5) or die;
  open(my $f, ">", "port.tmp") or die; print $f $s->sockport, "\n"; close $f;
  rename("port.tmp", "port.txt");
  my @held;
  while (my $c = $s->accept) { push @held, $c; open(my $m, ">", "connected") and close $m; }' &
listener=$!
trap 'kill $listener 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -s port.txt ] && break; sleep 0.1; done
silent="http://127.0.0.1:$(cat port.txt)/"
refused "did not answer within 2 seconds (SIGN_TIMESTAMP_TIMEOUT)" SIGN_CERT=cert.pem \
  SIGN_KEY=key.pem SIGN_TIMESTAMP_URL="$silent" SIGN_TIMESTAMP_TIMEOUT=2

rm -f connected
# Ctrl+C while it waits: the whole job's process group gets SIGINT, as from a terminal; no
# package, no signed copy and no scratch file of sign.sh may remain.
mkdir -p tmp
set -m
SIGN_CERT=cert.pem SIGN_KEY=key.pem SIGN_TIMESTAMP_URL="$silent" SIGN_TIMESTAMP_TIMEOUT=60 \
  TMPDIR="$work/tmp" "$root/tools/dist/make-dist.sh" "$win" "$host" out >/dev/null 2>&1 &
job=$!
set +m
for _ in $(seq 200); do [ -e connected ] && break; sleep 0.1; done
[ -e connected ] || fail "make-dist.sh never asked for the time stamp"
kill -INT -- -"$job"
status=0
wait "$job" || status=$?
[ "$status" != 0 ] || fail "an interrupted make-dist.sh exits 0"
left=$(find out tmp -mindepth 1)
[ -z "$left" ] || { echo "$left"; fail "an interrupted make-dist.sh left files"; }
echo "signed release package: verified, checked, and refused on bad input"
