# Two commands do everything on a fresh Debian 12 machine:
#   make play   installs what is missing, builds, and starts the game
#   make test   installs what is missing, builds twice (plain and sanitized) and the Windows zip,
#               and runs every test (the Windows ones under Wine)
#   make windows  cross-builds build-windows/nuikaro-<version>-windows-x64.zip
.PHONY: play test build build-asan windows deps bench format clean

JOBS ?= $(shell nproc)

# Everything the build, the game and the tests need, as Debian package names.
PACKAGES := cmake make g++ pkg-config clang-format \
  libsdl2-dev libsdl2-ttf-dev libfontconfig-dev fonts-ipafont-gothic \
  googletest libgtest-dev libbenchmark-dev \
  xvfb xfonts-base xdotool imagemagick openbox x11-utils \
  g++-mingw-w64-x86-64 wine wine64 dpkg-dev

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

play: deps build
	./build/nuikaro

test: deps build build-asan windows
	ctest --test-dir build --output-on-failure -j $(JOBS)
	ctest --test-dir build-asan --output-on-failure -j $(JOBS)
	ctest --test-dir build-windows/game --output-on-failure -j $(JOBS)

# Installs only when something is missing, so a repeated run is quick and needs no network. A
# stale package list makes the first install fail: refresh it once and try again. Recommended
# packages come along on purpose: SDL's message boxes need X core fonts under Xvfb, for one.
deps:
	@missing=$$(for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || \
	  printf '%s ' $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing: $$missing"; \
	  export DEBIAN_FRONTEND=noninteractive; \
	  $(SUDO) apt-get install -y $$missing || \
	  { $(SUDO) apt-get update && $(SUDO) apt-get install -y $$missing; }; \
	fi

build:
	cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
	cmake --build build -j $(JOBS)

build-asan:
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DNUIKARO_SANITIZE=ON
	cmake --build build-asan -j $(JOBS)

# SDL2, FreeType and SDL2_ttf are cross-built once into build-windows/deps/ (a few minutes) and kept
# by later runs and by make clean.
windows: deps
	windows/build-deps.sh build-windows/deps $(JOBS)
	cmake -S . -B build-windows/game -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=windows/mingw-w64-x86_64.cmake \
	  -DNUIKARO_WINDOWS_DEPS=$(CURDIR)/build-windows/deps/x64 -DNUIKARO_ZIP_DIR=$(CURDIR)/build-windows
	cmake --build build-windows/game -j $(JOBS)

bench: deps build
	./build/bench/nuikaro_bench

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build build-asan build-windows/game build-windows/*.zip
