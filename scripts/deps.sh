# Installs the Debian packages the project needs when they are missing.
# Sourced by run.sh and test.sh; runs apt-get as root, or through sudo.
QV_PACKAGES=(cmake ninja-build g++ ccache pkg-config
  qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libgl-dev
  libusb-1.0-0-dev libgtest-dev libgmock-dev libbenchmark-dev libfftw3-dev
  dpkg-dev file)   # cpack -G DEB: dpkg-shlibdeps computes the package's dependencies
# Needed by the tests only: sigrok-cli decodes the same bus traffic as our
# decoders (tests/analysis/test_bus_golden.cpp), which fail without it.
QV_TEST_PACKAGES=(sigrok-cli)
# The fuzz drivers (fuzz/, scripts/fuzz.sh): clang and its libFuzzer runtime.
# test.sh installs them where the distribution has them and fuzzes only when
# they are there.
QV_FUZZ_PACKAGES=(clang libclang-rt-14-dev)

# Whether clang++ and its libFuzzer runtime are there.
qv_fuzzing_available() {
  command -v clang++ >/dev/null &&
    [ -f "$(clang++ -print-file-name="libclang_rt.fuzzer-$(uname -m).a")" ]
}

qv_install_missing() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

qv_configure() {  # qv_configure <build-dir> [cmake args...]
  local dir=$1; shift
  local launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  cmake -S . -B "$dir" -G Ninja "${launcher[@]}" "$@" >/dev/null
}
