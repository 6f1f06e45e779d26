#!/bin/sh
# The demo's form saved from its window and reopened is saved again the same, and keeps what
# the shipped file holds: every field, the option group's indexes, the spinner's range.
#   form_round_trip.sh DEMO-PROGRAM SHIPPED-FORM
set -e
rm -f round.db
"$1" --rows 10 --database round.db --form "$2" --save-form round1.json
"$1" --database round.db --form round1.json --save-form round2.json
cmp round1.json round2.json
fields() { grep -o '"name": "[A-Za-z]*"' "$1" | tr '\n' ' '; }
[ "$(fields "$2")" = "$(fields round1.json)" ] || { echo "fields differ: $(fields round1.json)"; exit 1; }
[ "$(grep -c '"index": [0-2],' round1.json)" = 3 ] || { echo "the option group lost its indexes"; exit 1; }
grep -q '"Min": {"int16":48}' round1.json || { echo "the spinner lost its Min"; exit 1; }
