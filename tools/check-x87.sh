#!/usr/bin/env bash
# Fails when an object file or archive holds x87 arithmetic:
#   check-x87.sh OBJDUMP FILE...
# The 32-bit build computes floating point in SSE2 registers so that its
# results equal the x86_64 build's; an x87 instruction that computes
# (extended-precision add, multiply, divide, square root, transcendental,
# rounding, comparison) would break that. Loads and stores of the x87
# stack (fld, fst, fstp, fild, fxch) stay allowed: the 32-bit calling
# convention returns float and double in st(0), and those moves and the
# integer loads are exact. So is a conversion to a 64-bit integer (gcc's
# fistpll with truncation set in the control word), which the 32-bit
# instruction set has no SSE2 form of. objdump prints AT&T mnemonics with an operand
# size suffix (fmuls, faddl, fistpll).
set -euo pipefail
objdump=$1
shift
pattern='^(f(add|sub|subr|mul|div|divr)p?|fi(add|sub|subr|mul|div|divr)|fsqrt|fsin|fcos|fsincos|fptan|fpatan|f2xm1|fyl2x|fyl2xp1|fscale|fprem1?|frndint|fxtract|fabs|fchs|f(u)?comi?p?p?|fi(u)?comp?|ftst|fxam)[sltq]?[sltq]?$'
status=0
for file in "$@"; do
  # objdump -d lines: "  addr:\tbytes \tmnemonic operands"; the archive's
  # member names come from lines "file.obj:     file format ...".
  found=$("$objdump" -d --no-show-raw-insn "$file" | awk -v pat="$pattern" '
    /file format/ { member = $1 }
    /^[0-9a-f]+ <.*>:$/ { fn = $2 }
    /^ *[0-9a-f]+:\t/ {
      split($0, parts, "\t"); split(parts[2], words, " ")
      if (words[1] ~ pat) printf "%s %s %s\n", member, fn, words[1]
    }')
  if [ -n "$found" ]; then
    echo "check-x87: x87 arithmetic in $file:" >&2
    echo "$found" | sort | uniq -c | sort -rn | head -40 >&2
    status=1
  fi
done
exit $status
