# Shared by scripts/run and scripts/test: the Debian packages the project needs,
# installed only when missing.
# shellcheck shell=bash

TESSARAN_PACKAGES=(cmake g++ qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6opengl6-dev poppler-utils
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
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}

# Parallel build jobs: two, or one on a single-core machine.
build_jobs() {
    local n
    n="$(nproc 2>/dev/null || echo 1)"
    if [ "$n" -ge 2 ]; then echo 2; else echo 1; fi
}
