#!/usr/bin/env bash
# Runs every test again on a throwaway PostgreSQL server, so the program's
# SQL is proven on both engines. Usage: tests/postgresql.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
aqui=$(cd "$(dirname "$0")" && pwd)
source "$aqui/servidor_postgresql.sh"
dir=$(mktemp -d /tmp/licencias-pg.XXXXXX)
trap 'detiene_postgresql "$dir"' EXIT
inicia_postgresql "$dir"

cd "$build"
# One test at a time: every test drops and makes the tables anew.
estado=0
LICENCIAS_PRUEBA_DB="postgresql://licencias@127.0.0.1:$puerto/licencias" \
  QT_QPA_PLATFORM=offscreen ctest -j1 --output-on-failure || estado=1
"$aqui/cifras.sh" Testing/Temporary/LastTest.log
exit "$estado"
