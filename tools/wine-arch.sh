#!/bin/sh
# Prints the Wine architecture this machine can run: win32 where it runs 32-bit
# x86 code; win64 where it cannot (a kernel or virtual machine without 32-bit
# compatibility mode, where neither 32-bit Wine nor its WoW64 mode starts).
# There the Windows tests run a 64-bit build of the same sources.
#
# The test is a tiny static i386 program written here, which exits with 42:
# it needs no 32-bit package, so the install step can ask before it installs
# any, and it gives the same answer before and after.
set -eu
# In the build tree, since /tmp may forbid running programs.
dir="$(cd "$(dirname "$0")/.." && pwd)/build"
mkdir -p "$dir"
probe=$(mktemp "$dir/i386-probe.XXXXXX")
trap 'rm -f "$probe"' EXIT
# ELF header, one loadable segment, then: mov eax,1; mov ebx,42; int 0x80 (exit(42)).
printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\140\000\000\000\140\000\000\000\005\000\000\000\000\020\000\000\270\001\000\000\000\273\052\000\000\000\315\200' >"$probe"
chmod +x "$probe"
status=0
"$probe" 2>/dev/null || status=$?
if [ "$status" -eq 42 ]; then echo win32; else echo win64; fi
