#!/usr/bin/env bash
# Installs the library from BUILD_DIR into a prefix inside it, then configures, builds and
# runs examples/hello_field from outside the tree against that prefix only, and compiles each
# installed header on its own.
# usage: check_installed_package.sh SOURCE_DIR BUILD_DIR
set -euo pipefail

src=${1:?usage: check_installed_package.sh SOURCE_DIR BUILD_DIR}
build=${2:?usage: check_installed_package.sh SOURCE_DIR BUILD_DIR}
work=$build/package-check
rm -rf "$work/prefix"
cmake --install "$build" --prefix "$work/prefix" >/dev/null

# The example sees the installed headers only: a header of the source tree it reached would
# not be found.
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S "$src/examples/hello_field" -B "$work/hello_field" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$work/prefix" "${launcher[@]}" >/dev/null
cmake --build "$work/hello_field"
"$work/hello_field/hello_field" --offscreen-check

# Each installed header compiles on its own, with nothing of the source tree in reach.
cxx=$(command -v c++ || command -v g++)
qt_flags=$(pkg-config --cflags Qt6Widgets 2>/dev/null || true)
for header in "$work/prefix/include/orvo/"*.h; do
  # shellcheck disable=SC2086
  echo "#include \"orvo/$(basename "$header")\"" |
    "$cxx" -std=c++20 -fPIC -fsyntax-only -I "$work/prefix/include" $qt_flags -x c++ - ||
    { echo "check_installed_package: $(basename "$header") does not compile on its own" >&2; exit 1; }
done
