#!/usr/bin/env bash
# Succeeds when this machine runs 32-bit x86 programs: it starts a 93-byte i386 program that only
# exits. A kernel without IA-32 emulation refuses it ("Exec format error"), and then nothing of
# Wine's 32-bit side runs either. VLSM_NO_32BIT=1 makes a machine that can pretend it cannot.
set -euo pipefail
[[ "${VLSM_NO_32BIT:-}" == 1 ]] && exit 1
probe=$(mktemp)
trap 'rm -f "$probe"' EXIT
# ELF header, one loadable segment at 0x08048000, then: mov eax, 1; xor ebx, ebx; int 0x80.
printf '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\010\64\0\0\0\0\0\0\0\0\0\0\0\64\0\40\0\1\0\0\0\0\0\0\0' >"$probe"
printf '\1\0\0\0\0\0\0\0\0\200\4\010\0\200\4\010\135\0\0\0\135\0\0\0\5\0\0\0\0\20\0\0' >>"$probe"
printf '\270\1\0\0\0\61\333\315\200' >>"$probe"
chmod +x "$probe"
"$probe" 2>/dev/null
