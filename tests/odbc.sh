#!/usr/bin/env bash
# Runs every test twice more through ODBC data sources, as a workstation
# with the DSN "Licencias" reaches its database: SQLite's ODBC driver over a
# file, and PostgreSQL's over a throwaway server. Both are defined in a
# temporary odbcinst.ini and odbc.ini (ODBCSYSINI, ODBCINI), so the
# machine's own ODBC set-up is not touched. Usage: tests/odbc.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
aqui=$(cd "$(dirname "$0")" && pwd)
source "$aqui/servidor_postgresql.sh"
dir=$(mktemp -d /tmp/licencias-odbc.XXXXXX)
trap 'detiene_postgresql "$dir"' EXIT
inicia_postgresql "$dir"

controlador() {
  local archivo
  archivo=$(ls /usr/lib/*/odbc/"$1" /usr/lib/odbc/"$1" 2>/dev/null | head -n 1)
  if [ -z "$archivo" ]; then
    echo "odbc: falta el controlador $1 (paquetes libsqliteodbc y odbc-postgresql)" >&2
    exit 1
  fi
  echo "$archivo"
}

cat >"$dir/odbcinst.ini" <<INI
[SQLite3]
Description = SQLite3 ODBC
Driver = $(controlador libsqlite3odbc.so)

[PostgreSQL Unicode]
Description = PostgreSQL ODBC (Unicode)
Driver = $(controlador psqlodbcw.so)
INI
cat >"$dir/odbc.ini" <<INI
[LicenciasSqlite]
Driver = SQLite3
Database = $dir/licencias.sqlite
Timeout = 10000
LoadExt = $build/licencias_sqlite.so

[LicenciasPostgresql]
Driver = PostgreSQL Unicode
Servername = 127.0.0.1
Port = $puerto
Database = licencias
Username = licencias
INI
export ODBCSYSINI="$dir" ODBCINI="$dir/odbc.ini"

cd "$build"
estado=0
for fuente in LicenciasSqlite LicenciasPostgresql; do
  echo "== Pruebas por ODBC: $fuente"
  # One test at a time: every test drops and makes the tables anew.
  LICENCIAS_PRUEBA_DB="odbc:$fuente" QT_QPA_PLATFORM=offscreen ctest -j1 --output-on-failure || estado=1
  "$aqui/cifras.sh" Testing/Temporary/LastTest.log
done
exit "$estado"
