# Shared by scripts/run and scripts/test: install what is missing, then configure and build
# incrementally in one build folder.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${MENSURIO_BUILD_DIR:-$root/build}
build_packages=(g++ cmake make qt6-base-dev)

# Installs the Debian packages of "$@" that are not installed yet.
ensure_packages() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q ' installed$' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing ${missing[*]}" >&2
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
}

# Configures and builds everything, or only $build_target when set, with the standard library's
# bounds checks. The configure step runs every time, so that MENSURIO_CONFIGURE and extra
# arguments take effect in a build folder that already exists; CMake then rebuilds only what a
# changed setting touches.
build() {
    # shellcheck disable=SC2086 # MENSURIO_CONFIGURE holds several words on purpose
    cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMENSURIO_ASSERTIONS=ON \
        ${MENSURIO_CONFIGURE:-} "$@"
    cmake --build "$build_dir" --parallel "$(nproc)" ${build_target:+--target "$build_target"}
}
