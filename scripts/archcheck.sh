# Source this file: sets KORVELTA_TEST_BITS to 32 when this machine runs 32-bit Linux programs
# (Wine's 32-bit loader), else 64. Some virtual machines have no 32-bit compatibility mode: there
# the tests are built for 64-bit Windows from the same sources and run under 64-bit Wine, while
# the deliverables are still built as 32-bit programs.
if [ -z "${KORVELTA_TEST_BITS:-}" ]; then
  if [ -x /lib/ld-linux.so.2 ] && /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
    KORVELTA_TEST_BITS=32
  else
    KORVELTA_TEST_BITS=64
  fi
fi
export KORVELTA_TEST_BITS
