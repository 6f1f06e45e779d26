#!/usr/bin/env bash
# Installs the library from BUILD_DIR into a prefix inside it, then configures, builds and
# runs examples/hello_field from outside the tree against that prefix only.
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
