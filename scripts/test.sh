#!/usr/bin/env bash
# Sets up everything, then runs the whole test suite twice: in the normal build and in the
# AddressSanitizer + UndefinedBehaviorSanitizer build.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
jobs="$(nproc)"

bash "$root/scripts/setup.sh" "$root/build"
ctest --test-dir "$root/build" -j "$jobs" --output-on-failure

bash "$root/scripts/setup.sh" "$root/build-asan" -DZEB_SANITIZE=ON -DZEB_BUILD_BENCHMARKS=OFF
ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$root/build-asan" -j "$jobs" --output-on-failure
