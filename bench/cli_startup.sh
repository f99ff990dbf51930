#!/bin/sh
# The cost of starting numora-cli: processor time (user + system) and peak memory of a few
# commands that do little work, over the real archive imported into a scratch folder. Each
# command runs RUNS times; the mean processor time per run and the largest peak are shown.
#   bench/cli_startup.sh [path/to/numora-cli] [RUNS]
set -eu
CLI=${1:-build/bin/numora-cli}
RUNS=${2:-20}
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

# The runs go in one shell, timed as a whole: the processor time of RUNS runs divided by RUNS is
# far finer than the 10 ms of a single reading, and the peak is that of the largest run.
measure() {
    label=$1
    shift
    /usr/bin/time -f "%U %S %M" -o "$DIR/one" sh -c '
        runs=$1; shift; i=0
        while [ $i -lt "$runs" ]; do "$@" >/dev/null 2>&1; i=$((i + 1)); done' sh "$RUNS" "$CLI" --dir "$DIR" "$@"
    awk -v label="$label" -v runs="$RUNS" \
        '{ printf "%-36s %7.1f ms CPU %8.1f MB di picco\n", label, ($1 + $2) * 1000 / runs, $3 / 1024 }' "$DIR/one"
}

echo "numora-cli: $CLI ($RUNS esecuzioni per comando, tempo di processore medio)"
measure "info" info
measure "system (10 giocate)" system "$DIR/s.lpc"
measure "check (10 giocate)" check "$DIR/s.lpc"
measure "extract (10 giocate di 20 numeri)" extract --numbers "$NUMBERS" --size 3 --plays 10 --stakes 1 --out "$DIR/t.lpc"
