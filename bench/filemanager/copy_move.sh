#!/usr/bin/env bash
# Benchmarks tavvel's copy and move core against cp and mv, measured side by side in one
# run, interleaved (the order alternates each round), and prints the median of each and
# their ratio:
#   - copy of a 1 GiB file on the build folder's file system, warm cache: throughput
#     ratio against cp (goal >= 0.95);
#   - copy of a sparse 8 GiB file holding 4 MiB of data: time ratio against cp
#     (goal <= 1.5), and whether each copy stayed sparse;
#   - move of a 1 GiB file across file systems, both ways between the build folder's file
#     system and OTHER (default /dev/shm): time ratio against mv (goal <= 1.25). Our move
#     flushes the copy to disk before it removes the source; mv does not, so "mv + sync"
#     is shown beside it for what the flush costs, and the move onto the build folder's
#     file system, where the flush is the disk's work, has a goal against it as well
#     (time ratio against mv + sync <= 1.25).
# Usage: bench/filemanager/copy_move.sh   (env: BUILD_DIR, ROUNDS, WORK, OTHER)
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
ROUNDS=${ROUNDS:-5}
OTHER=${OTHER:-/dev/shm}
mkdir -p "$BUILD_DIR"
WORK=$(mktemp -d "${WORK:-$BUILD_DIR}/bench-copy-move-XXXXXX")
AWAY=$(mktemp -d "$OTHER/bench-copy-move-XXXXXX")
trap 'rm -rf "$WORK" "$AWAY"' EXIT

free_gib() { df --output=avail -B1G "$1" | tail -1 | tr -d ' '; }
if (($(free_gib "$WORK") < 4)); then echo "need 4 GiB free in $WORK" >&2; exit 1; fi
if (($(free_gib "$AWAY") < 3)); then echo "need 3 GiB free in $AWAY" >&2; exit 1; fi
if [ "$(stat -c %d "$WORK")" = "$(stat -c %d "$AWAY")" ]; then
  echo "$OTHER is on the build folder's file system; set OTHER to another one" >&2
  exit 1
fi

echo "building the driver..."
DRIVER=$WORK/copy_move_driver
c++ -std=c++20 -O2 -I"$ROOT" "$ROOT"/filemanager/operations/*.cpp \
  "$ROOT/bench/filemanager/copy_move_driver.cpp" -o "$DRIVER"

# Seconds taken by the command, to the microsecond.
elapsed() {
  local start=$EPOCHREALTIME
  "$@"
  local end=$EPOCHREALTIME
  awk -v a="$start" -v b="$end" 'BEGIN {printf "%.6f", b - a}'
}
median() { printf '%s\n' "$@" | sort -g | awk '{v[NR]=$1} END {printf "%.4f", (NR%2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.3f", a / b}'; }
samples() { printf '%s ' "$@" | awk '{for (i=1;i<=NF;i++) printf "%.3f ", $i}'; }

echo "making the test files..."
head -c 1G /dev/urandom >"$WORK/big"
SPARSE=$WORK/sparse
truncate -s 8G "$SPARSE"
for offset_mib in 0 3072 6144; do
  head -c 1M /dev/urandom | dd of="$SPARSE" bs=1M seek=$offset_mib conv=notrunc status=none
done
head -c 1M /dev/urandom | dd of="$SPARSE" bs=1M seek=7000 conv=notrunc status=none
cp "$WORK/big" "$AWAY/master"
cat "$WORK/big" "$SPARSE" >/dev/null
sync

# copy_round SOURCE DESTINATION: one timed copy each by cp and by us, order alternating.
copy_cp=() copy_ours=()
copy_round() {
  local round=$1 source=$2 destination=$3 first second tool t
  if ((round % 2)); then first=cp second=ours; else first=ours second=cp; fi
  for tool in $first $second; do
    sync
    if [ "$tool" = cp ]; then
      t=$(elapsed cp "$source" "$destination")
      copy_cp+=("$t")
    else
      t=$(elapsed "$DRIVER" copy "$source" "$destination")
      copy_ours+=("$t")
    fi
    last_allocated[$tool]=$(du -B1 "$destination" | cut -f1)
    rm -f "$destination"
  done
}

declare -A last_allocated
echo
for ((r = 1; r <= ROUNDS; r++)); do copy_round $r "$WORK/big" "$WORK/copy"; done
cp_median=$(median "${copy_cp[@]}") ours_median=$(median "${copy_ours[@]}")
echo "copy 1 GiB, same file system, warm cache (s): cp [$(samples "${copy_cp[@]}")] tavvel [$(samples "${copy_ours[@]}")]"
echo "  medians: cp $cp_median s, tavvel $ours_median s; throughput ratio tavvel/cp = $(ratio "$cp_median" "$ours_median") (goal >= 0.95)"

copy_cp=() copy_ours=()
for ((r = 1; r <= ROUNDS; r++)); do copy_round $r "$SPARSE" "$WORK/sparse-copy"; done
cp_median=$(median "${copy_cp[@]}") ours_median=$(median "${copy_ours[@]}")
source_allocated=$(du -B1 "$SPARSE" | cut -f1)
echo "copy sparse 8 GiB holding 4 MiB (s): cp [$(samples "${copy_cp[@]}")] tavvel [$(samples "${copy_ours[@]}")]"
echo "  medians: cp $cp_median s, tavvel $ours_median s; time ratio tavvel/cp = $(ratio "$ours_median" "$cp_median") (goal <= 1.5)"
echo "  allocated: source $((source_allocated >> 10)) KiB, cp's copy $((last_allocated[cp] >> 10)) KiB, tavvel's copy $((last_allocated[ours] >> 10)) KiB"

# move_rounds FROM_FOLDER TO_FOLDER LABEL [GOAL_AGAINST_MV_SYNC]: mv, mv + sync, and our
# move, interleaved.
move_rounds() {
  local from=$1 to=$2 label=$3 sync_goal=${4:-} r tool t tools
  local -a mv_times=() mv_sync_times=() ours_times=()
  for ((r = 1; r <= ROUNDS; r++)); do
    if ((r % 2)); then tools="mv ours mvsync"; else tools="ours mvsync mv"; fi
    for tool in $tools; do
      cp "$AWAY/master" "$from/moving"
      sync
      case $tool in
        mv) t=$(elapsed mv "$from/moving" "$to/moved") && mv_times+=("$t") ;;
        mvsync) t=$(elapsed sh -c 'mv "$1" "$2" && sync' sh "$from/moving" "$to/moved") &&
          mv_sync_times+=("$t") ;;
        ours) t=$(elapsed "$DRIVER" move "$from/moving" "$to/moved") && ours_times+=("$t") ;;
      esac
      [ ! -e "$from/moving" ] || { echo "the source was left behind by $tool" >&2; exit 1; }
      rm -f "$to/moved"
    done
  done
  local mv_median ours_median sync_median
  mv_median=$(median "${mv_times[@]}") ours_median=$(median "${ours_times[@]}")
  sync_median=$(median "${mv_sync_times[@]}")
  echo "move 1 GiB, $label (s): mv [$(samples "${mv_times[@]}")] mv+sync [$(samples "${mv_sync_times[@]}")] tavvel [$(samples "${ours_times[@]}")]"
  echo "  medians: mv $mv_median s, mv+sync $sync_median s, tavvel $ours_median s; time ratio tavvel/mv = $(ratio "$ours_median" "$mv_median") (goal <= 1.25), tavvel/(mv+sync) = $(ratio "$ours_median" "$sync_median")${sync_goal:+ (goal <= $sync_goal)}"
}

rm -f "$WORK/big" "$SPARSE"
move_rounds "$WORK" "$AWAY" "build folder's file system -> $OTHER"
move_rounds "$AWAY" "$WORK" "$OTHER -> build folder's file system" 1.25
