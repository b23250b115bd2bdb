# Shared by scripts/run and scripts/test: the Debian packages the project needs,
# installed only when missing.
# shellcheck shell=bash

TESSARAN_PACKAGES=(cmake g++ qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6opengl6-dev qt6-wayland libsqlite3-dev libdeflate-dev pkgconf poppler-utils
                   fonts-liberation fonts-dejavu-core xvfb xauth xdotool
                   desktop-file-utils appstream mandoc shared-mime-info dpkg-dev file)

# The repository root, whatever the current directory.
TESSARAN_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

ensure_packages() {
    local missing=()
    local pkg
    for pkg in "${TESSARAN_PACKAGES[@]}"; do
        local status
        status="$(dpkg -s "$pkg" 2>/dev/null || true)"
        if [[ "$status" != *"Status: install ok installed"* ]]; then
            missing+=("$pkg")
        fi
    done
    if [ "${#missing[@]}" -eq 0 ]; then
        return 0
    fi

    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null 2>&1; then
            echo "error: need root rights (or sudo) to install: ${missing[*]}" >&2
            return 1
        fi
        sudo=(sudo)
    fi
    apt_update_waiting "${sudo[@]}"
    # Another package manager at work holds dpkg's lock: apt-get waits for it.
    echo "(If another package manager is at work, this waits for it to finish, up to twenty minutes.)"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=1200 install -y \
        --no-install-recommends "${missing[@]}"
}

# apt-get update (after an optional sudo), waiting while another package
# manager holds apt's lists: automatic updates at boot often do, and apt-get
# update gives up at once, so it is tried again every five seconds, for twenty
# minutes at most.
apt_update_waiting() {
    local waited=0 output status
    while :; do
        status=0
        output="$("$@" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=1200 update 2>&1)" \
            || status=$?
        if [ "$status" -ne 0 ] && grep -q "Could not get lock" <<<"$output" && [ "$waited" -lt 1200 ]; then
            if [ "$waited" -eq 0 ]; then
                echo "Another package manager is at work ($(grep -o 'held by process [0-9]* ([^)]*)' <<<"$output" \
                    | head -n1)); waiting for it to finish..."
            fi
            sleep 5
            waited=$((waited + 5))
            continue
        fi
        printf '%s\n' "$output"
        return "$status"
    done
}

# Parallel build jobs: one per core.
build_jobs() {
    nproc 2>/dev/null || echo 1
}

# The window systems the program can be shown on here, as Qt's platform list
# (wayland;xcb, wayland, xcb or nothing): Wayland where its socket is there, X11
# where the display answers. Qt aborts when none of those it tries works.
usable_platforms() {
    local platforms=()
    if [ -n "${WAYLAND_DISPLAY:-}" ]; then
        local socket=$WAYLAND_DISPLAY
        [[ $socket == /* ]] || socket="${XDG_RUNTIME_DIR:-/run/user/$(id -u)}/$socket"
        [ -S "$socket" ] && platforms+=(wayland)
    fi
    if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
        platforms+=(xcb)
    fi
    local IFS=';'
    echo "${platforms[*]}"
}
