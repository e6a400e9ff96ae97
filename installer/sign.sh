#!/usr/bin/env bash
# Signs one file of the package (program, library or the MSI itself) into OUT, or copies it
# unchanged when no certificate is configured.
# Usage: sign.sh IN OUT
# VLSM_SIGN_PFX names a PKCS#12 file with the code-signing certificate and its key, and
# VLSM_SIGN_PASSWORD holds its password; VLSM_SIGN_TIMESTAMP, if set, is the URL of an RFC 3161
# time-stamping service, so that the signature stays valid after the certificate expires.
set -euo pipefail
in=$1
out=$2
if [[ -z "${VLSM_SIGN_PFX:-}" ]]; then
    cp -f "$in" "$out"
    exit 0
fi
options=(-pkcs12 "$VLSM_SIGN_PFX" -h sha256 -n "Vexar Lumen Scheme Manager")
[[ -n "${VLSM_SIGN_TIMESTAMP:-}" ]] && options+=(-ts "$VLSM_SIGN_TIMESTAMP")
rm -f "$out"
# The password goes through a pipe, never the command line that every user can list.
osslsigncode sign "${options[@]}" -readpass <(printf '%s' "${VLSM_SIGN_PASSWORD:-}") \
    -in "$in" -out "$out" >/dev/null
