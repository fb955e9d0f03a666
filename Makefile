# The README's commands on a fresh Debian 12 machine:
#   make play      installs what the game needs, builds the game alone and starts it
#   make test      installs everything else too, builds twice (plain and sanitized), runs every test,
#                  then fuzzes the BMP decoder for 60 seconds
#   make package   makes build/nuikaro_<version>_<arch>.deb
#   make fuzz      fuzzes the BMP decoder for FUZZ_SECONDS (600 unless given)
#   make windows   cross-builds build-windows/nuikaro-<version>-windows-x64.zip
#   make web       builds the web page into build-web/site/ and build-web/nuikaro-<version>-web.zip
# make test also builds the Windows zip and runs its tests under Wine, and builds the page and
# tests it under node and in Chromium and Firefox.
.PHONY: play test package build build-game build-asan deps-play deps-package deps-test bench \
  format clean fuzz windows windows-tests deps-windows web web-tests deps-web

JOBS ?= $(shell nproc)

# Debian package names. Building and running the game needs only the first list; the package
# adds dpkg's tools (dependencies, hardening flags; CPack asks `file` what a binary is); the tests
# add the rest.
PLAY_PACKAGES := cmake make g++ pkg-config libsdl2-dev libsdl2-ttf-dev libfontconfig-dev \
  zlib1g-dev fonts-ipafont-gothic
PACKAGE_PACKAGES := $(PLAY_PACKAGES) dpkg-dev file
TEST_PACKAGES := $(PACKAGE_PACKAGES) clang-format googletest libgtest-dev libbenchmark-dev \
  xvfb xauth xfonts-base xdotool imagemagick openbox x11-utils locales lintian appstream \
  desktop-file-utils \
  clang libclang-rt-14-dev weston g++-mingw-w64-x86-64 wine wine64 \
  emscripten python3-fonttools unzip
# The Windows zip: the cross compiler, apt-get source (dpkg-dev), the font it ships, and Python,
# which packs the zip (cmake/zip.py).
WINDOWS_PACKAGES := cmake make g++-mingw-w64-x86-64 dpkg-dev fonts-ipafont-gothic python3
# The web page: emscripten (which brings node), apt-get source, the font it is cut from with
# fontTools, and Python, which cuts the font and packs the zip.
WEB_PACKAGES := cmake make emscripten dpkg-dev python3 python3-fonttools fonts-ipafont-gothic

# As root (a minimal Debian has no sudo) apt-get runs directly. sudo resets the environment, so
# the front end is set on the command it runs: debconf never stops to ask.
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
APT_GET := $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get

# The Makefile's own builds treat warnings as errors; a plain cmake build does not.
CMAKE_FLAGS := -DNUIKARO_DEVELOPER=ON

# The browser tests of the web page (web/tests): the three browsers (WebKit's MiniBrowser comes
# with its driver and runs under Xvfb), Chromium's driver, and the Python modules that drive them
# and read their screenshots.
WEB_TEST_PACKAGES := chromium chromium-driver firefox-esr webkit2gtk-driver xvfb python3-selenium \
  python3-numpy python3-pil
TEST_PACKAGES += $(WEB_TEST_PACKAGES)

play: deps-play build-game
	./build/nuikaro

test: deps-test build build-asan windows-tests web-tests
	ctest --test-dir build --output-on-failure -j $(JOBS)
	ctest --test-dir build-asan --output-on-failure -j $(JOBS)
	$(MAKE) fuzz FUZZ_SECONDS=60

package: deps-package
	JOBS=$(JOBS) linux/packaging/build-deb.sh build-package build

# Installs only when something is missing, so a repeated run is quick and needs no network. A
# stale package list makes the first install fail: refresh it once and try again. Recommended
# packages come along on purpose: SDL's message boxes need X core fonts under Xvfb, for one.
define install-missing
	@missing=$$(for p in $(1); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || \
	  printf '%s ' $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing: $$missing"; \
	  $(APT_GET) install -y $$missing || \
	  { $(APT_GET) update && $(APT_GET) install -y $$missing; }; \
	fi
endef

deps-play:
	$(call install-missing,$(PLAY_PACKAGES))

deps-package:
	$(call install-missing,$(PACKAGE_PACKAGES))

deps-test:
	$(call install-missing,$(TEST_PACKAGES))

deps-windows:
	$(call install-missing,$(WINDOWS_PACKAGES))

deps-web:
	$(call install-missing,$(WEB_PACKAGES))

# The game alone. A new build/ leaves the tests out (BUILD_TESTING is off unless asked for); one
# that `make test` set up keeps them, but only the game is built here.
build-game:
	cmake -S . -B build -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)
	cmake --build build --target nuikaro -j $(JOBS)

build:
	cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON $(CMAKE_FLAGS)
	cmake --build build -j $(JOBS)

build-asan:
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DNUIKARO_SANITIZE=ON -DBUILD_TESTING=ON \
	  $(CMAKE_FLAGS)
	cmake --build build-asan -j $(JOBS)

# The cross builds share one recipe each: `make windows` and `make web` build what a player gets
# alone; their -tests variants (which `make test` runs) add the tests and run them.
windows-tests web-tests: CROSS_TESTING := -DBUILD_TESTING=ON

# The Windows build: SDL2, FreeType and SDL2_ttf are cross-built once into build-windows/deps/ (a
# few minutes) and kept by later runs and by make clean.
WINDOWS_CMAKE := cmake -S . -B build-windows/game -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=windows/mingw-w64-x86_64.cmake \
  -DNUIKARO_WINDOWS_DEPS=$(CURDIR)/build-windows/deps/x64 -DNUIKARO_ZIP_DIR=$(CURDIR)/build-windows \
  $(CMAKE_FLAGS)

windows: deps-windows
windows-tests: deps-test
windows windows-tests:
	windows/build-deps.sh build-windows/deps $(JOBS)
	$(WINDOWS_CMAKE) $(CROSS_TESTING)
	cmake --build build-windows/game $(if $(CROSS_TESTING),,--target nuikaro_zip) -j $(JOBS)
	$(if $(CROSS_TESTING),ctest --test-dir build-windows/game --output-on-failure -j $(JOBS))

# The web page: SDL2, FreeType and SDL2_ttf are cross-built with emscripten once into
# build-web/deps/ (kept by later runs and by make clean). Its tests are those of game/ and render/
# under node and the page in headless Chromium and Firefox (web/tests/). emcc's own JavaScript
# needs Debian's node modules whichever node runs it.
WEB_ENV := NODE_PATH=/usr/share/nodejs
WEB_CMAKE := $(WEB_ENV) emcmake cmake -S . -B build-web/game -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DCMAKE_FIND_ROOT_PATH=$(CURDIR)/build-web/deps/prefix \
  -DNUIKARO_SITE_DIR=$(CURDIR)/build-web/site -DNUIKARO_ZIP_DIR=$(CURDIR)/build-web $(CMAKE_FLAGS)

web: deps-web
web-tests: deps-test
web web-tests:
	web/build-deps.sh build-web/deps $(JOBS)
	$(WEB_CMAKE) $(CROSS_TESTING)
	$(WEB_ENV) cmake --build build-web/game $(if $(CROSS_TESTING),,--target nuikaro_site) -j $(JOBS)
	$(if $(CROSS_TESTING),ctest --test-dir build-web/game --output-on-failure -j $(JOBS))
	$(if $(CROSS_TESTING),web/tests/run_browser_tests.sh build-web/site)

# libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer over the BMP decoder, in a build of
# its own with clang. New inputs go to build-fuzz/corpus, so a later run goes on from there; the
# seeds in fuzz/seeds are only read. A failure leaves its input in build-fuzz/crash-* and fails.
FUZZ_SECONDS ?= 600

fuzz: deps-test
	cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNUIKARO_FUZZ=ON \
	  $(CMAKE_FLAGS)
	cmake --build build-fuzz -j $(JOBS)
	mkdir -p build-fuzz/corpus
	./build-fuzz/fuzz/picture_fuzz -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=1024 \
	  -print_final_stats=1 -artifact_prefix=build-fuzz/ build-fuzz/corpus fuzz/seeds

bench: deps-test build
	./build/bench/nuikaro_bench

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build build-asan build-package build-fuzz build-windows/game build-windows/*.zip \
	  build-web/game build-web/site build-web/*.zip
