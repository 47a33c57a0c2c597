#!/usr/bin/env bash
# Exit 0 when this machine runs 32-bit Linux programs natively, as Wine's 32-bit
# loader needs; some virtual machines offer 64-bit execution only. An emulator
# registered for 32-bit programs does not count: Wine cannot map its memory there.
ls /proc/sys/fs/binfmt_misc/ 2>/dev/null | grep -qi 'i386' && exit 1
[ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
