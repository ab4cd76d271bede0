#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, starts a throwaway PostgreSQL cluster on 127.0.0.1,
# and runs every test against both editions. The cluster and its folder are removed at the end.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

# QLatin1String/QLatin1Char read their bytes as Latin-1: with Chinese text they never compare equal.
if grep -rn -P 'QLatin1(String|Char)\("[^"]*[^\x00-\x7F]' "$root/src" "$root/tests"; then
    echo "Chinese text in QLatin1String/QLatin1Char: use QStringLiteral" >&2
    exit 1
fi

"$root/scripts/build.sh" -DVERDALO_WERROR=ON -DVERDALO_BUILD_TESTS=ON

pgbin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
[ -x "$pgbin/initdb" ] || { echo "PostgreSQL server binaries not found" >&2; exit 1; }

as_pg() {
    if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

pgdir=$(mktemp -d /tmp/verdalo-pg.XXXXXX)
[ "$(id -u)" -eq 0 ] && chown postgres:postgres "$pgdir"
port=54329
while (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; do port=$((port + 1)); done

cleanup() {
    as_pg "$pgbin/pg_ctl" -D "$pgdir/data" -m immediate stop >/dev/null 2>&1 || true
    rm -rf "$pgdir"
}
trap cleanup EXIT

as_pg "$pgbin/initdb" -D "$pgdir/data" -A trust -U postgres -E UTF8 --locale=C.UTF-8 >/dev/null
as_pg "$pgbin/pg_ctl" -D "$pgdir/data" -l "$pgdir/server.log" -w \
    -o "-p $port -k $pgdir -c listen_addresses=127.0.0.1 -c fsync=off -c synchronous_commit=off -c full_page_writes=off" \
    start >/dev/null
echo "PostgreSQL $("$pgbin/postgres" --version | awk '{print $3}') running on 127.0.0.1:$port"

export VERDALO_TEST_PG="host=127.0.0.1 port=$port user=postgres dbname=postgres"
export VERDALO_TEST_PG_REQUIRED=1
cd "${VERDALO_BUILD_DIR:-$root/build}"
ctest --output-on-failure --parallel "$(nproc)" "$@"
