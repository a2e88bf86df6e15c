#!/usr/bin/env bash
# Builds with coverage, runs every test, and reports line and branch coverage of the program's code.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/bootstrap.sh test
cmake --preset coverage
cmake --build --preset coverage
find build/coverage -name '*.gcda' -delete
ctest --preset coverage
# Branches the compiler adds for exception clean-up are left out: no input of ours can reach them.
gcovr --root . --object-directory build/coverage \
    --filter 'runtime/' --filter 'convert/' --filter 'window/' \
    --exclude-throw-branches --exclude-unreachable-branches \
    --txt build/coverage/coverage.txt --html-details build/coverage/coverage.html \
    --branches --print-summary
echo "coverage: per-file report in build/coverage/coverage.txt and build/coverage/coverage.html"
