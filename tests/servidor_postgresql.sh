# Sourced by the scripts that run the tests on PostgreSQL. inicia_postgresql
# DIR starts a throwaway server with its data in DIR (which must exist) on a
# random port of the loopback, with the database "licencias" of the user
# "licencias", and sets $puerto; detiene_postgresql DIR stops it and removes
# DIR.

inicia_postgresql() {
  local dir=$1
  bin_pg=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1)
  puerto=$((20000 + RANDOM % 10000))
  # The server refuses to run as root: it runs as the postgres user then.
  como_pg=()
  if [ "$(id -u)" = 0 ]; then
    chown postgres "$dir"
    como_pg=(runuser -u postgres --)
  fi
  "${como_pg[@]}" "$bin_pg/initdb" -D "$dir/datos" -A trust -U licencias -E UTF8 --locale=C.UTF-8 >/dev/null
  "${como_pg[@]}" "$bin_pg/pg_ctl" -D "$dir/datos" -l "$dir/registro" -w \
    -o "-k $dir -p $puerto -c listen_addresses=127.0.0.1 -c fsync=off" start >/dev/null
  "${como_pg[@]}" "$bin_pg/createdb" -h 127.0.0.1 -p "$puerto" -U licencias licencias
}

detiene_postgresql() {
  local dir=$1
  "${como_pg[@]}" "$bin_pg/pg_ctl" -D "$dir/datos" -m immediate stop >/dev/null 2>&1 || true
  rm -rf "$dir"
}
