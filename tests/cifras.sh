#!/usr/bin/env bash
# Prints the figures the proofs wrote (lines such as "[respaldo] 20 copias
# ...") from a CTest log, so that a run's output shows what was tried.
# Usage: tests/cifras.sh Testing/Temporary/LastTest.log
echo "== Cifras de las pruebas"
grep -h -E '^\[[a-z]+\] ' "$@" || true
