#!/bin/sh
# Prints the Wine architecture this machine can run: win32 where it runs 32-bit
# x86 code; win64 where it cannot (a kernel or virtual machine without 32-bit
# compatibility mode, where neither 32-bit Wine nor its WoW64 mode starts).
# There the Windows tests run a 64-bit build of the same sources.
if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then echo win32; else echo win64; fi
