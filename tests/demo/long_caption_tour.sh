#!/bin/sh
# The demo's tour on its form file with one caption made much longer than the file's column:
# the edit boxes still stand in one column, the fields beside it move along, and the window
# keeps every field whole (the tour checks all three).
#   long_caption_tour.sh DEMO-PROGRAM SHIPPED-FORM
set -e
sed 's/"Caption": "Nome"/"Caption": "Nome completo do cliente titular"/' "$2" > long.form.json
grep -q "cliente titular" long.form.json
rm -f long.db
exec "$1" --rows 300 --database long.db --form long.form.json --screenshot long-shots
