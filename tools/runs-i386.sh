#!/usr/bin/env bash
# Exit 0 when this machine's kernel runs 32-bit x86 Linux programs, as 32-bit Wine's
# loader needs; some virtual machines offer 64-bit execution only. It asks the kernel
# itself, with a smallest static i386 program that only exits, so the answer is the
# same before Wine is installed and after. An emulator registered for 32-bit programs
# does not count: Wine cannot map its memory there.
ls /proc/sys/fs/binfmt_misc/ 2>/dev/null | grep -qi 'i386' && exit 1
probe=$(mktemp) || exit 1
trap 'rm -f "$probe"' EXIT
# ELF header, one loadable segment at 0x08048000, then: mov eax,1; xor ebx,ebx; int 0x80.
printf '%b' \
    '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' \
    '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' \
    '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00' \
    '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08' \
    '\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00' \
    '\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80' >"$probe"
chmod +x "$probe"
"$probe" 2>/dev/null
