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

# Configures (once) and builds everything, or only $build_target when set; extra arguments, and
# MENSURIO_CONFIGURE, go to the configure step.
build() {
    if [ ! -f "$build_dir/CMakeCache.txt" ]; then
        # shellcheck disable=SC2086 # MENSURIO_CONFIGURE holds several words on purpose
        cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${MENSURIO_CONFIGURE:-} "$@"
    fi
    cmake --build "$build_dir" --parallel "$(nproc)" ${build_target:+--target "$build_target"}
}
