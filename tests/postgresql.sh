#!/usr/bin/env bash
# Runs every test again on a throwaway PostgreSQL server, so the program's
# SQL is proven on both engines. Usage: tests/postgresql.sh BUILD_DIR [COMMAND...]
# With a command, runs that command from BUILD_DIR on the server instead.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
shift || true
aqui=$(cd "$(dirname "$0")" && pwd)
source "$aqui/servidor_postgresql.sh"
dir=$(mktemp -d /tmp/licencias-pg.XXXXXX)
trap 'detiene_postgresql "$dir"' EXIT
inicia_postgresql "$dir"

cd "$build"
export LICENCIAS_PRUEBA_DB="postgresql://licencias@127.0.0.1:$puerto/licencias"
export QT_QPA_PLATFORM=offscreen
if [ $# -gt 0 ]; then
  "$@"
  exit
fi
# One test at a time: every test drops and makes the tables anew.
estado=0
ctest -j1 --output-on-failure || estado=1
"$aqui/cifras.sh" Testing/Temporary/LastTest.log
exit "$estado"
