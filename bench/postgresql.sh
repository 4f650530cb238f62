#!/usr/bin/env bash
# make bench-postgresql: the benchmark on SQLite and on a PostgreSQL server of
# its own, whose data stays under the bench folder so that its databases are
# made once. Usage: bench/postgresql.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
datos=${LICENCIAS_BENCH_DATOS:-$build/bench-datos}
bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1)
dir="$datos/postgresql"
port=$((20000 + RANDOM % 10000))
mkdir -p "$dir"

# The server refuses to run as root: it runs as the postgres user then.
como=()
if [ "$(id -u)" = 0 ]; then
  chown postgres "$dir"
  como=(runuser -u postgres --)
fi
if [ ! -d "$dir/datos" ]; then
  "${como[@]}" "$bin/initdb" -D "$dir/datos" -A trust -U licencias -E UTF8 --locale=C.UTF-8 >/dev/null
fi
detiene() {
  "${como[@]}" "$bin/pg_ctl" -D "$dir/datos" -m fast stop >/dev/null 2>&1 || true
}
trap detiene EXIT
"${como[@]}" "$bin/pg_ctl" -D "$dir/datos" -l "$dir/registro" -w \
  -o "-k $dir -p $port -c listen_addresses=127.0.0.1 -c shared_buffers=512MB" start >/dev/null
url="postgresql://licencias@127.0.0.1:$port/licencias"
if [ -z "$(psql "postgresql://licencias@127.0.0.1:$port/postgres" -tAc "SELECT 1 FROM pg_database WHERE datname = 'licencias'")" ]; then
  "${como[@]}" "$bin/createdb" -h 127.0.0.1 -p "$port" -U licencias licencias
fi
LICENCIAS_BENCH_DB="$url" "$(dirname "$0")/bench.sh" "$build"
