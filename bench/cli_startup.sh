#!/bin/sh
# The cost of starting numora-cli: processor time (user + system) and peak memory of a few
# commands that do little work, over the real archive imported into a scratch folder. Each
# command runs RUNS times; the median of the processor times and the largest peak are shown.
#   bench/cli_startup.sh [path/to/numora-cli] [RUNS]
set -eu
CLI=${1:-build/bin/numora-cli}
RUNS=${2:-7}
DATA=${NUMORA_SHARED_DATA:-../shared/data}/storico.txt
[ -x "$CLI" ] || { echo "numora-cli non trovato: $CLI" >&2; exit 1; }
[ -f "$DATA" ] || { echo "storico.txt non trovato ($DATA): misura saltata"; exit 0; }
[ -x /usr/bin/time ] || { echo "/usr/bin/time non trovato: misura saltata"; exit 0; }
DIR=$(mktemp -d)
trap 'rm -rf "$DIR"' EXIT
"$CLI" --dir "$DIR" import "$DATA" >/dev/null
# The stakes of the installation, so that extract accepts a stake of 1.
INI=$(dirname "$CLI")/Numora.ini
[ -f "$INI" ] && cp "$INI" "$DIR/"
NUMBERS=$(seq -s, 1 20)
"$CLI" --dir "$DIR" extract --numbers "$NUMBERS" --size 3 --plays 10 --stakes 1 --out "$DIR/s.lpc" >/dev/null

measure() {
    label=$1
    shift
    i=0
    : >"$DIR/runs"
    while [ $i -lt "$RUNS" ]; do
        /usr/bin/time -f "%U %S %M" -o "$DIR/one" "$CLI" --dir "$DIR" "$@" >/dev/null 2>&1 || true
        cat "$DIR/one" >>"$DIR/runs"
        i=$((i + 1))
    done
    peak=$(awk '$3 > p { p = $3 } END { print p }' "$DIR/runs")
    awk '{ print ($1 + $2) * 1000 }' "$DIR/runs" | sort -n | awk -v label="$label" -v peak="$peak" \
        '{ v[NR] = $1 } END { printf "%-36s %6.0f ms CPU %8.1f MB di picco\n", label, v[int((NR + 1) / 2)], peak / 1024 }'
}

echo "numora-cli: $CLI ($RUNS esecuzioni per comando, mediana del tempo di processore)"
measure "info" info
measure "system (10 giocate)" system "$DIR/s.lpc"
measure "check (10 giocate)" check "$DIR/s.lpc"
measure "extract (10 giocate di 20 numeri)" extract --numbers "$NUMBERS" --size 3 --plays 10 --stakes 1 --out "$DIR/t.lpc"
