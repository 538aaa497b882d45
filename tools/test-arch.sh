#!/usr/bin/env bash
# Prints the Windows architecture this machine's Wine can run the tests in:
# i686 (the deliverables themselves) when the kernel runs 32-bit code,
# otherwise x86_64 (the same sources built for 64-bit Windows).
if [ -n "${TAVRIX_TEST_ARCH:-}" ]; then
  echo "$TAVRIX_TEST_ARCH"
elif /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo i686
else
  echo x86_64
fi
