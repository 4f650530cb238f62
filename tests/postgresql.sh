#!/usr/bin/env bash
# Runs every test again on a throwaway PostgreSQL server, so the program's
# SQL is proven on both engines. Usage: tests/postgresql.sh BUILD_DIR [COMMAND...]
# With a command, runs that command from BUILD_DIR on the server instead.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
shift || true
bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1)
dir=$(mktemp -d /tmp/licencias-pg.XXXXXX)
port=$((20000 + RANDOM % 10000))

# The server refuses to run as root: it runs as the postgres user then.
como=()
if [ "$(id -u)" = 0 ]; then
  chown postgres "$dir"
  como=(runuser -u postgres --)
fi
detiene() {
  "${como[@]}" "$bin/pg_ctl" -D "$dir/datos" -m immediate stop >/dev/null 2>&1 || true
  rm -rf "$dir"
}
trap detiene EXIT

"${como[@]}" "$bin/initdb" -D "$dir/datos" -A trust -U licencias -E UTF8 --locale=C.UTF-8 >/dev/null
"${como[@]}" "$bin/pg_ctl" -D "$dir/datos" -l "$dir/registro" -w \
  -o "-k $dir -p $port -c listen_addresses=127.0.0.1 -c fsync=off" start >/dev/null
"${como[@]}" "$bin/createdb" -h 127.0.0.1 -p "$port" -U licencias licencias

cd "$build"
export LICENCIAS_PRUEBA_DB="postgresql://licencias@127.0.0.1:$port/licencias"
export QT_QPA_PLATFORM=offscreen
if [ $# -gt 0 ]; then
  "$@"
else
  # One test at a time: every test drops and makes the tables anew.
  ctest -j1 --output-on-failure
fi
