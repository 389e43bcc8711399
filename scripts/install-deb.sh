#!/usr/bin/env bash
# Sets up the machine, builds Tarvello, makes its Debian package and installs it with apt:
# the programs then live in /opt/tarvello, start from the desktop menu or as `tarvello`
# and `pinvale`, and keep each user's settings in ~/.config/tarvello/.
# Remove it with `sudo apt remove tarvello`.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# A build of its own without tests and benchmarks: the package needs only the programs
# and the program folder, and build/ keeps its settings for scripts/test.sh.
export TARVELLO_BUILD_DIR=${TARVELLO_BUILD_DIR:-build-deb}
scripts/build.sh -DTARVELLO_BUILD_TESTS=OFF -DTARVELLO_BUILD_BENCH=OFF
build_dir=$(cd "$TARVELLO_BUILD_DIR" && pwd)
package_dir="$build_dir/package"
rm -rf "$package_dir"
cpack --config "$build_dir/CPackConfig.cmake" -B "$package_dir"
deb=$(find "$package_dir" -maxdepth 1 -name 'tarvello_*.deb' | head -n 1)
[ -n "$deb" ] || { echo "install-deb: cpack made no package in $package_dir" >&2; exit 1; }
sudo_cmd=""
[ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
# apt, not dpkg: it fetches any library the package depends on that is missing.
DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y "$deb"
echo "Installed $(basename "$deb"): start Tarvello from the menu or with 'tarvello'."
