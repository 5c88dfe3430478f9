# Sourced by every script: where the repository and the build are, the
# packages each kind of work needs on this release, and the steps the scripts
# share.
#
#   BUILD_DIR  the build folder (default build/)
#   ROOTS_QT   5 or 6: the Qt to build with (default: Qt 5 where the release
#              has it, else Qt 6)

root_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${BUILD_DIR:-$root_dir/build}"

# What this release offers is read from apt's package lists, which a fresh
# system or container does not have until the first `apt-get update`.
apt_has_lists() {
    compgen -G '/var/lib/apt/lists/*_Packages*' >/dev/null
}
lists_updated=""
if [[ $(id -u) -eq 0 ]] && ! apt_has_lists; then
    echo "Reading this release's package lists (apt-get update) ..."
    apt-get update -qq >/dev/null
    lists_updated=1
fi

# version_of PACKAGE: the version installed, else the one apt would install,
# else nothing (no such package here, or no package lists to tell).
version_of() {
    local status policy
    status=$(dpkg-query -W -f='${Status}|${Version}' "$1" 2>/dev/null) || true
    if [[ $status == *" installed|"* ]]; then
        echo "${status#*|}"
    elif policy=$(LC_ALL=C apt-cache policy "$1" 2>/dev/null) \
        && [[ $policy =~ Candidate:\ ([^[:space:]]+) && ${BASH_REMATCH[1]} != "(none)" ]]; then
        echo "${BASH_REMATCH[1]}"
    fi
}

# major_of VERSION: the upstream major version of a Debian version string.
major_of() {
    local version="${1#*:}"
    echo "${version%%.*}"
}

# release_before DEBIAN UBUNTU: whether this system is a Debian release
# before DEBIAN or an Ubuntu release before UBUNTU; only asked where apt has
# no lists to read what the release offers.
release_before() {
    local ID="" VERSION_ID=""
    # shellcheck disable=SC1091
    [[ -r /etc/os-release ]] && source /etc/os-release
    case "$ID" in
        debian) [[ -n $VERSION_ID ]] && ((${VERSION_ID%%.*} < $1)) ;;
        ubuntu) [[ -n $VERSION_ID ]] && ((${VERSION_ID%%.*} < $2)) ;;
        *) false ;;
    esac
}

# first_offered PACKAGE...: the first package this release has, else the
# first named.
first_offered() {
    local package
    for package in "$@"; do
        if [[ -n $(version_of "$package") ]]; then
            echo "$package"
            return
        fi
    done
    echo "$1"
}

# flint_packages: FLINT with Arb. Arb is a library of its own beside FLINT 2
# (Debian 12, Ubuntu 22.04) and part of FLINT 3 (Debian 13, Ubuntu 24.04).
flint_packages() {
    local version
    version=$(version_of libflint-dev)
    if [[ -n $version ]] && (($(major_of "$version") < 3)); then
        echo libflint-dev libflint-arb-dev
    elif [[ -z $version ]] && release_before 13 24; then
        echo libflint-dev libflint-arb-dev
    else
        echo libflint-dev
    fi
}

# qt_packages 5|6: the toolkit's development packages, with its SVG module,
# which the plot needs, and (Qt 6) its platform plugins, without which no
# window opens, not even an offscreen one.
qt_packages() {
    case "$1" in
        5) echo qtbase5-dev qtbase5-dev-tools libqt5svg5-dev ;;
        6) echo qt6-base-dev qt6-base-dev-tools "$(first_offered qt6-svg-dev libqt6svg6-dev)" qt6-qpa-plugins ;;
    esac
}

is_installed() {
    local status
    status=$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null) || true
    [[ $status == *" installed" ]]
}

# offers_qt 5|6: whether this release has that Qt (installed or to install).
offers_qt() {
    local packages
    read -r -a packages <<<"$(qt_packages "$1")"
    [[ -n $(version_of "${packages[0]}") ]]
}

# default_qt: the Qt the scripts build with unless ROOTS_QT says: the one
# installed, Qt 5 first; where neither is, Qt 5 if this release has it.
default_qt() {
    if is_installed qtbase5-dev; then
        echo 5
    elif is_installed qt6-base-dev; then
        echo 6
    elif offers_qt 5 || ! apt_has_lists; then
        echo 5
    else
        echo 6
    fi
}

qt_major="${ROOTS_QT:-$(default_qt)}"
if [[ $qt_major != 5 && $qt_major != 6 ]]; then
    echo "ROOTS_QT is \"$qt_major\": it must be 5 or 6." >&2
    exit 1
fi

# packages_for KIND: the packages one kind of work needs on this release.
#   build    compiler, CMake, FLINT and Arb, the chosen Qt
#   qt5/qt6  the one Qt or the other
#   fuzz     clang, with libFuzzer's runtime (part of clang on older
#            releases, libclang-rt-dev on newer ones)
#   desktop  a virtual display and what drives and photographs its windows
#   package  dpkg-shlibdeps (dpkg-dev), with file, which work out the Debian
#            package's dependencies
packages_for() {
    case "$1" in
        build) echo g++ make cmake "$(qt_packages "$qt_major")" "$(flint_packages)" ;;
        qt5) qt_packages 5 ;;
        qt6) qt_packages 6 ;;
        fuzz) echo clang "$([[ -z $(version_of libclang-rt-dev) ]] || echo libclang-rt-dev)" ;;
        desktop) echo xvfb xauth xdotool imagemagick ;;
        package) echo dpkg-dev file ;;
        *) echo "packages_for: no kind of work \"$1\"" >&2; exit 1 ;;
    esac
}

# needs KIND...: makes sure the packages of these kinds of work are
# installed (see require_packages).
needs() {
    local kind list more packages=()
    for kind in "$@"; do
        list=$(packages_for "$kind")
        read -r -a more <<<"$list"
        packages+=("${more[@]}")
    done
    require_packages "${packages[@]}"
}

# missing_packages PACKAGE...: those of the packages not installed, on one
# line. (dpkg-query fails for packages it has never seen.)
missing_packages() {
    local installed package missing=()
    installed=" $({ dpkg-query -W -f='${Package} ${Status}\n' "$@" 2>/dev/null || true; } |
        awk '$NF == "installed" { printf "%s ", $1 }') "
    for package in "$@"; do
        [[ $installed == *" $package "* ]] || missing+=("$package")
    done
    echo "${missing[*]}"
}

# require_packages PACKAGE...: installs the Debian packages that are missing
# (as root, saying what it does) or, for anyone else, says how to install
# them and stops.
require_packages() {
    local list missing
    list=$(missing_packages "$@")
    read -r -a missing <<<"$list"
    ((${#missing[@]})) || return 0
    local install="apt-get update && apt-get install -y --no-install-recommends ${missing[*]}"
    if [[ $(id -u) -ne 0 ]]; then
        install_hint "$install" "${missing[@]}"
        exit 1
    fi
    install_packages "${missing[@]}"
}

# install_hint COMMAND PACKAGE...: tells someone without root how to run the
# install command as root, the way that works here first.
install_hint() {
    local install="$1" groups
    shift
    groups=" $(id -nG) "
    {
        echo "These packages are not installed: $*"
        echo "Install them as root, then run this again:"
        if command -v sudo >/dev/null && [[ $groups =~ \ (sudo|admin|wheel)\  ]]; then
            echo "  sudo sh -c '$install'"
            echo "or, with the root password:"
            echo "  su -c '$install'"
        else
            echo "  su -c '$install'"
            if command -v sudo >/dev/null; then
                echo "or, if you may use sudo:"
                echo "  sudo sh -c '$install'"
            fi
        fi
    } >&2
}

# install_packages PACKAGE...: as root, installs the packages without the
# ones they merely recommend, saying how much that is and how far it got; the
# full output is shown only if it fails.
install_packages() {
    local log
    log=$(mktemp)
    export DEBIAN_FRONTEND=noninteractive
    echo "Installing $*, with what they need."
    if [[ -z $lists_updated ]]; then
        printf '  updating the package lists ...'
        apt-get update >"$log" 2>&1 || install_failed "$log"
        echo " done"
        lists_updated=1
    fi
    local plan
    plan=$(apt-get install --no-install-recommends --print-uris -qq "$@" 2>>"$log") || install_failed "$log"
    local count bytes
    count=$(apt-get install --no-install-recommends -s "$@" 2>>"$log" |
        awk '/^Inst / { n++ } END { print n + 0 }') || install_failed "$log"
    bytes=$(awk '{ sum += $3 } END { print sum + 0 }' <<<"$plan")
    echo "  $count packages in all, $((bytes / 1000000)) MB to download (a minute or two)"
    local status=0
    apt-get install -y --no-install-recommends -o APT::Status-Fd=3 "$@" 3>&1 >>"$log" 2>&1 |
        install_progress || status=$?
    ((status == 0)) || install_failed "$log"
    rm -f "$log"
    echo "Installed."
}

# install_progress: apt's status lines turned into one line per phase with
# its progress in steps of 10 %.
install_progress() {
    awk -F: '
        function step(name, percent) {
            if (phase != name) {
                if (phase != "") print ""
                printf "  %s:", name
                phase = name; shown = -1
            }
            percent = int(percent / 10) * 10
            if (percent > shown) { printf " %d%%", percent; shown = percent; fflush() }
        }
        $1 == "dlstatus" { step("downloading", $3) }
        $1 == "pmstatus" { step("unpacking and setting up", $3) }
        END { if (phase != "") print " done" }'
}

install_failed() {
    echo >&2
    tail -n 30 "$1" >&2
    echo "The install failed; apt's output is above (all of it in $1)." >&2
    exit 1
}

# configure DIR [CMAKE_OPTION...]: configures DIR (Release unless the options
# say otherwise) with the chosen Qt, showing cmake's output only if it fails.
configure() {
    local dir="$1" log
    shift
    log=$(mktemp)
    if ! cmake -S "$root_dir" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DROOTS_QT="$qt_major" "$@" >"$log" 2>&1; then
        cat "$log" >&2
        rm -f "$log"
        exit 1
    fi
    rm -f "$log"
}

# build DIR [CMAKE_OPTION...]: configures DIR and builds everything there.
build() {
    configure "$@"
    cmake --build "$1" -j"$(nproc)"
}
