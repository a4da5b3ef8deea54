#!/usr/bin/env bash
# The demo's first command builds what the demo runs and no test suite: demo.sh
# runs with a stand-in for cmake that records its calls and ends the demo at its
# build step; the build must name targets, among them the program and the input
# plug-in, and nothing those targets are made from may belong to the tests, the
# benchmarks or the fuzz targets (asked of the real build tree's ninja files).
#
#   demo-build-targets.sh SOURCE_DIR BINARY_DIR
set -euo pipefail
source_dir=$1
binary_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir "$work/bin"
cat >"$work/bin/cmake" <<'STANDIN'
#!/usr/bin/env bash
printf '%s\n' "$*" >>"$CMAKE_CALLS"
case " $* " in *" --build "*) exit 3 ;; esac
exit 0
STANDIN
chmod +x "$work/bin/cmake"

status=0
CMAKE_CALLS="$work/calls" PATH="$work/bin:$PATH" BUILD_DIR="$work/build" \
  bash "$source_dir/scripts/demo.sh" >"$work/out" 2>&1 || status=$?
if [ "$status" -ne 3 ]; then
  echo "demo.sh ended with status $status before or after its build step:" >&2
  cat "$work/out" >&2
  exit 1
fi

build_call=$(grep -e '--build' "$work/calls")
targets=$(grep -o -e '--target [^ ]*' <<<"$build_call" | cut -d' ' -f2 || true)
if [ -z "$targets" ]; then
  echo "demo.sh builds every target: cmake $build_call" >&2
  exit 1
fi
for needed in StudyStation QNodeInputPlugIn; do
  grep -qx "$needed" <<<"$targets" || { echo "demo.sh does not build $needed: cmake $build_call" >&2; exit 1; }
done

# shellcheck disable=SC2086 # one target per word
inputs=$(ninja -C "$binary_dir" -t inputs $targets)
if offending=$(grep -E '(^|/)(tests|bench|fuzz)/|libgtest|libgmock' <<<"$inputs"); then
  echo "the demo's targets are made from test, benchmark or fuzz files:" >&2
  head -20 <<<"$offending" >&2
  exit 1
fi
echo "demo.sh builds: $(tr '\n' ' ' <<<"$targets")($(wc -l <<<"$inputs") inputs)"
