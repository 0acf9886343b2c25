#!/bin/sh
# Signs the stand-in program the way a publisher would, with a key and a self-made
# certificate made here and now (no key is kept in the sources):
#   kv_signed_sample.exe    signed by "Korvane Test Signer"
#   kv_tampered_sample.exe  the signed one with one byte of its code changed afterwards
#   kv_ms_claim_sample.exe  signed by a self-made certificate that calls itself Microsoft
# The unsigned stand-in is the program as built.
#   make_samples.sh <unsigned.exe> <output folder>
set -eu
[ $# -eq 2 ] || { echo "usage: $0 unsigned.exe folder" >&2; exit 2; }
IN=$1 OUT=$2 KEYS=$2/signature-keys
mkdir -p "$KEYS"

make_certificate() {  # make_certificate <name> <subject>
  openssl req -x509 -newkey rsa:2048 -nodes -days 3650 -sha256 -subj "$2" \
    -keyout "$KEYS/$1.key" -out "$KEYS/$1.crt" 2>/dev/null
}
sign() {  # sign <name> <output>
  rm -f "$2"
  osslsigncode sign -certs "$KEYS/$1.crt" -key "$KEYS/$1.key" -h sha256 \
    -n "Korvane signature sample" -in "$IN" -out "$2" >/dev/null
}

make_certificate signer "/CN=Korvane Test Signer/O=Korvane Tests"
make_certificate claim "/CN=Microsoft Corporation/O=Microsoft Corporation"
sign signer "$OUT/kv_signed_sample.exe"
sign claim "$OUT/kv_ms_claim_sample.exe"

# The middle of the file lies in its code, which the signature's digest covers.
cp "$OUT/kv_signed_sample.exe" "$OUT/kv_tampered_sample.exe.part"
middle=$(( $(wc -c <"$IN") / 2 ))
byte=$(od -An -tu1 -j "$middle" -N1 "$OUT/kv_tampered_sample.exe.part" | tr -d ' ')
printf "$(printf '\\%03o' $(( byte ^ 255 )))" |
  dd of="$OUT/kv_tampered_sample.exe.part" bs=1 seek="$middle" conv=notrunc 2>/dev/null
mv "$OUT/kv_tampered_sample.exe.part" "$OUT/kv_tampered_sample.exe"
