#!/usr/bin/env bash
# Builds the libFuzzer targets with clang 16 (AddressSanitizer + UndefinedBehaviorSanitizer) in
# build-fuzz and runs each for a while: the automation protocol line, the launch arguments, the
# catalogue parser and the persisted state document.
#
#   scripts/fuzz.sh [TARGET...]        (default: every fuzz target)
#   FUZZ_SECONDS=600 scripts/fuzz.sh fuzz_i18n_catalogue
#
# FUZZ_SECONDS (default 60) is each target's running time. A target's corpus grows in
# build-fuzz/corpus/<target>, seeded from fuzz/<dir>/seeds, so later runs start where earlier ones
# stopped. Its output goes to build-fuzz/logs/<target>.log. The first target that crashes (or
# reports a leak or undefined behaviour) stops the script with a failure status; its input is in
# build-fuzz/crash/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-60}
build="build-fuzz"

# target, folder under fuzz/, and the largest input worth trying: a request line, a command line,
# a few catalogue messages, a state document of a handful of values.
targets=(
  "fuzz_automation_line automation 2048"
  "fuzz_launch_args launch 512"
  "fuzz_i18n_catalogue i18n 4096"
  "fuzz_persist_document persist 4096"
)

selected=()
names=()
for arg in "$@"; do
  known=0
  for entry in "${targets[@]}"; do [ "${entry%% *}" = "$arg" ] && known=1; done
  if [ "$known" -eq 0 ]; then
    echo "fuzz: unknown target $arg (known: $(printf '%s ' "${targets[@]%% *}"))" >&2
    exit 2
  fi
done
for entry in "${targets[@]}"; do
  name=${entry%% *}
  if [ $# -eq 0 ] || [[ " $* " == *" $name "* ]]; then
    selected+=("$entry")
    names+=("$name")
  fi
done

bash scripts/install-deps.sh
# -fsanitize=fuzzer needs the compiler's runtime libraries, which clang-16 only recommends.
packages=(clang-16 libclang-rt-16-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -q
  $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFE_BUILD_FUZZ=ON -DFE_BUILD_TESTS=OFF \
  -DFE_BUILD_BENCH=OFF -DCMAKE_CXX_COMPILER=clang++-16 -DCMAKE_C_COMPILER=clang-16
cmake --build "$build" -j "$(nproc)" --target "${names[@]}"

# Undefined behaviour counts as a crash; the font stack's process-lifetime caches are not leaks.
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"

mkdir -p "$build/logs"
for entry in "${selected[@]}"; do
  read -r name dir max_len <<<"$entry"
  corpus="$build/corpus/$name"
  crashes="$build/crash/$name"
  log="$build/logs/$name.log"
  mkdir -p "$corpus" "$crashes"
  seeds=()
  [ -d "fuzz/$dir/seeds" ] && seeds=("fuzz/$dir/seeds")
  echo "fuzz: $name for ${seconds}s (log: $log)"
  if ! "$build/bin/$name" -max_total_time="$seconds" -max_len="$max_len" -print_final_stats=1 \
    -artifact_prefix="$crashes/" "$corpus" "${seeds[@]}" >"$log" 2>&1; then
    tail -n 60 "$log" >&2
    echo "fuzz: $name failed; the input is in $crashes/" >&2
    exit 1
  fi
  grep -E '^#[0-9]+[[:space:]]+DONE|^Done [0-9]+ runs' "$log" | sed "s/^/fuzz: $name: /"
done
