#!/bin/sh
# The demo's tour on a PostgreSQL server ($ORVO_PG), in a schema of its own that the run
# creates and drops: the tables and the sample data are created on first use, and the tour's
# steps and pictures are as on SQLite. Skipped (77) without a server, unless ORVO_PG_REQUIRED=1.
#   postgres_tour.sh DEMO-PROGRAM SHOTS-DIR
if [ -z "$ORVO_PG" ]; then
  [ "$ORVO_PG_REQUIRED" = 1 ] && { echo "ORVO_PG names no server" >&2; exit 1; }
  echo "skipped: no PostgreSQL server (set ORVO_PG or run through scripts/with-postgres)"
  exit 77
fi
schema=demo_tour_$$
psql "$ORVO_PG" -qc "CREATE SCHEMA $schema" || exit 1
"$1" --rows 500 --postgres "$ORVO_PG options=-csearch_path=$schema" --screenshot "$2"
status=$?
psql "$ORVO_PG" -qc "DROP SCHEMA $schema CASCADE" >/dev/null
exit $status
