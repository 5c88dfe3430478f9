# Sourced by every script: where the repository and the build are, the
# packages each kind of work needs, and the steps the scripts share.

root_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${BUILD_DIR:-$root_dir/build}"

build_packages=(g++ make cmake qtbase5-dev qtbase5-dev-tools libqt5svg5-dev libflint-dev libflint-arb-dev)
fuzz_packages=(clang-14 libclang-rt-14-dev)
desktop_packages=(xvfb xauth xdotool imagemagick)

# require_packages PACKAGE...: installs the Debian packages that are missing
# (as root, non-interactively) or, for anyone else, says how to install them
# and stops.
require_packages() {
    local missing=() package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed'; then
            missing+=("$package")
        fi
    done
    ((${#missing[@]})) || return 0
    local install="apt-get update && apt-get install -y ${missing[*]}"
    if [[ $(id -u) -ne 0 ]]; then
        {
            echo "Missing packages: ${missing[*]}. Install them as root, with either of:"
            echo "  sudo sh -c '$install'"
            echo "  su -c '$install'"
        } >&2
        exit 1
    fi
    echo "Installing ${missing[*]} (this takes a minute or two) ..."
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    echo "Installed."
}

# build DIR [CMAKE_OPTION...]: configures (Release unless the options say
# otherwise) and builds everything into DIR.
build() {
    local dir="$1"
    shift
    cmake -S "$root_dir" -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    cmake --build "$dir" -j"$(nproc)"
}
