#!/usr/bin/env bash
# make bench: makes (or reuses) the two bench databases and times every clerk
# action and monthly run on them, the literal way beside the program's; on
# SQLite, and on PostgreSQL too when LICENCIAS_BENCH_DB names a database of a
# PostgreSQL server (postgresql://usuario@servidor:puerto/base; the bench
# databases are made beside it). Usage: bench/bench.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
datos=${LICENCIAS_BENCH_DATOS:-$build/bench-datos}
mkdir -p "$datos"

# A million applications over twenty years (about 4,000 a month), and a
# million over six months (164,000 a month: the busiest month an office could
# have), both in date order as a register grows.
bases=(veinte_anios seis_meses)
llena() {  # CONEXION BASE
  case $2 in
    veinte_anios) "$build/bench/llena_base" --db "$1" --total 1000000 --desde-anio 2005 --hasta-anio 2024 ;;
    seis_meses) "$build/bench/llena_base" --db "$1" --total 1000000 --en-orden ;;
  esac
}
mide() {  # CONEXION
  # shellcheck disable=SC2086
  "$build/bench/rendimiento" --db "$1" ${LICENCIAS_BENCH_OPCIONES:-}
  echo
}

for base in "${bases[@]}"; do
  conexion="sqlite:$datos/$base.sqlite"
  llena "$conexion" "$base"
  mide "$conexion"
done

if [ -n "${LICENCIAS_BENCH_DB:-}" ]; then
  servidor=${LICENCIAS_BENCH_DB%/*}
  prefijo=${LICENCIAS_BENCH_DB##*/}
  for base in "${bases[@]}"; do
    nombre="${prefijo}_$base"
    if [ -z "$(psql "$LICENCIAS_BENCH_DB" -tAc "SELECT 1 FROM pg_database WHERE datname = '$nombre'")" ]; then
      psql "$LICENCIAS_BENCH_DB" -qc "CREATE DATABASE $nombre"
    fi
    conexion="$servidor/$nombre"
    llena "$conexion" "$base"
    # What autovacuum does on a server in use: statistics for the planner.
    psql "$conexion" -qc "VACUUM ANALYZE"
    mide "$conexion"
  done
fi
