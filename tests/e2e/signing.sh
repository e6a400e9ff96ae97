#!/usr/bin/env bash
# The package's signing with a throw-away self-signed code-signing certificate: the program, the
# library, the console tool and the MSI signed by the build's own signing script, each signature
# checked by osslsigncode against that certificate as the only trusted root, so that the check
# covers the file's digest and the signer's chain; a changed byte must fail it.
# Usage: signing.sh BUILD_DIR SIGN_SCRIPT MSI
set -uo pipefail
build=$1
sign=$2
msi=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/check.sh"
verify() { osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >"$work/verify.log" 2>&1 && echo valid || echo invalid; }

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/O=Orrinford/CN=Orrinford test signing" \
    -addext "keyUsage=critical,digitalSignature" -addext "extendedKeyUsage=critical,codeSigning" \
    -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -passout pass:throw-away \
    -out "$work/cert.pfx"

files=("$build/bin/Vexar Lumen Scheme Manager.exe" "$build/bin/Ketterel.dll" "$msi")
[[ -f "$build/bin/vlsm.exe" ]] && files+=("$build/bin/vlsm.exe")
for file in "${files[@]}"; do
    name=$(basename "$file")
    check "$name unsigned before" invalid "$(verify "$file")"
    VLSM_SIGN_PFX="$work/cert.pfx" VLSM_SIGN_PASSWORD=throw-away bash "$sign" "$file" "$work/$name"
    check "$name signed" valid "$(verify "$work/$name")"
    [[ $fails -eq 0 ]] || cat "$work/verify.log"
done

# One byte of the program's code changed after signing.
exe="$work/Vexar Lumen Scheme Manager.exe"
python3 -c 'import sys; f = open(sys.argv[1], "r+b"); f.seek(4096); b = f.read(1)[0]; f.seek(4096); f.write(bytes([b ^ 0xff]))' "$exe"
check "changed program rejected" invalid "$(verify "$exe")"
[[ $fails -eq 0 ]]
