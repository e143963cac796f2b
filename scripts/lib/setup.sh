# Shared by scripts/play and scripts/test: installs the Debian packages that are missing, configures once
# and builds incrementally. Sourced, not run; expects ROOT to be the repository's top folder.

zunaka_installed() {
  dpkg-query -W -f='${Status}\n' "$1" 2>/dev/null | grep -q '^install ok installed$'
}

# libfluidsynth-dev takes the headers of JACK 1 or JACK 2, and apt takes the first it names, JACK 1's,
# whose library replaces JACK 2's (libjack-jackd2-0, which many desktop audio programs bring). So the
# headers of the JACK the machine has are named before it, and JACK 2's on a machine without either.
zunaka_jack_headers() {
  if zunaka_installed libjack0; then echo libjack-dev; else echo libjack-jackd2-dev; fi
}

# What the game needs to build and run.
ZUNAKA_RUN_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev qt6-qpa-plugins qt6-wayland
  # The records file: Qt SQL's SQLite driver, loaded when the first game ends.
  libqt6sql6-sqlite
  libsdl2-dev "$(zunaka_jack_headers)" libfluidsynth-dev timgm6mb-soundfont
  fonts-ipafont-gothic
  libjpeg-turbo-progs
)
# What the tests and the asset checks need besides.
ZUNAKA_TEST_PACKAGES=(
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool x11-apps x11-utils openbox imagemagick file fluidsynth sox
  # Checks the records file as another program would.
  sqlite3
  # The Debian package (CPack reads the libraries' package names with dpkg-shlibdeps) and the checks of
  # what gets installed: desktop entry, AppStream metadata, the package itself.
  dpkg-dev desktop-file-utils appstream lintian
  # A Japanese desktop: a session bus, fcitx5 with mozc and its Qt 6 plug-in (ibus with mozc for the
  # extended run), and weston to run the game natively on Wayland.
  dbus-daemon x11-utils x11-xkb-utils fcitx5 fcitx5-mozc fcitx5-frontend-qt6 ibus ibus-mozc weston
)
# What scripts/test --extended needs besides, for the fuzz targets (libFuzzer comes with clang).
ZUNAKA_FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev)
# What scripts/bench needs besides: the X clients that time the first map and the path from a key to the
# screen, and the typing games it compares with (TIPP10 keeps its lessons in SQLite).
ZUNAKA_BENCH_PACKAGES=(
  libx11-dev libxtst-dev libxdamage-dev libxfixes-dev
  tuxtype tipp10 libqt6sql6-sqlite
)

zunaka_missing_packages() {
  local pkg
  for pkg in "$@"; do
    zunaka_installed "$pkg" || echo "$pkg"
  done
}

zunaka_install() {
  local missing
  missing=$(zunaka_missing_packages "$@")
  [ -z "$missing" ] && return 0
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  echo "==> Installing Debian packages:" $missing
  "${sudo[@]}" apt-get update -qq
  # Recommends are left out on purpose: they would bring a 140 MB SoundFont the game does not use.
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends $missing
}

# zunaka_build [FOLDER [CMAKE OPTIONS...]]: the options count when the folder is first configured.
zunaka_build() {
  local build=${1:-$ROOT/build}
  shift || true
  if [ ! -f "$build/build.ninja" ]; then
    echo "==> Configuring in $build"
    cmake -S "$ROOT" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  fi
  echo "==> Building"
  cmake --build "$build" -j "$(nproc)"
}
