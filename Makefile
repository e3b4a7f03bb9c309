# SPDX-FileCopyrightText: 2026 The Arcadeon developers
# SPDX-License-Identifier: GPL-3.0-or-later
# make run        installs what the programs need, builds them and starts arcadeon
# make test       installs the test tools as well, builds everything, runs every test
# make install    builds, then installs the programs, their menu entry, icons,
#                 manual pages and metadata under PREFIX (/usr/local; PREFIX=~/.local
#                 for one user)
# make uninstall  removes what make install put under PREFIX
# make package    builds the Debian package arcadeon_VERSION_ARCH.deb in $(BUILD)

BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
WEB_BUILD ?= build-web
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local
# Tests, benchmarks and tools are left out of a plain build of the programs.
TEST_OPTIONS = -DBUILD_TESTING=ON -DARCADEON_BENCHMARKS=ON -DARCADEON_TOOLS=ON

FUZZ_BUILD ?= build-fuzz
FUZZ_TIME ?= 60

.PHONY: all deps package-deps test-deps web-deps build build-all build-sanitize run test install uninstall \
	package desktop-bench web web-run web-bench soak fuzz pictures web-fonts web-pictures clean

all: build

deps:
	@tools/install-deps build

package-deps:
	@tools/install-deps package

test-deps:
	@tools/install-deps test

web-deps:
	@tools/install-deps web

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD) --target arcadeon arcadeon-script documents -j $(JOBS)

build-all: test-deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(TEST_OPTIONS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

build-sanitize: test-deps
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DARCADEON_SANITIZE=ON $(TEST_OPTIONS) >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)

run: build
	$(BUILD)/arcadeon

# The set-up has installed every tool the tests use, so in both builds a
# test that finds one missing fails, naming it, instead of being skipped
# (tools/lib/missing.sh). A plain ctest elsewhere still skips it.
test: build-all build-sanitize web
	cd $(BUILD) && ARCADEON_REQUIRE_TOOLS=1 ctest --output-on-failure -j $(JOBS)
	cd $(SANITIZE_BUILD) && ARCADEON_REQUIRE_TOOLS=1 ctest --output-on-failure -j $(JOBS)

# The program in a web page, built with Emscripten into $(WEB_BUILD)/ (its
# CMake build in $(WEB_BUILD)/cmake). Debian's emcc runs on the system's
# node, which finds Debian's own node modules (acorn) only when told where.
web: web-deps
	@NODE_PATH=/usr/share/nodejs emcmake cmake -S . -B $(WEB_BUILD)/cmake -DCMAKE_BUILD_TYPE=Release -DARCADEON_WEB_SITE=$(abspath $(WEB_BUILD)) >/dev/null
	@NODE_PATH=/usr/share/nodejs cmake --build $(WEB_BUILD)/cmake -j $(JOBS)

web-run: web
	@echo "Arcadeon is served on http://localhost:8000/ (Ctrl+C stops it)"
	python3 -m http.server 8000 --bind 127.0.0.1 --directory $(WEB_BUILD)

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

uninstall:
	@cmake -DBUILD=$(BUILD) -DPREFIX=$(PREFIX) -P cmake/uninstall.cmake

package: package-deps build
	cd $(BUILD) && cpack -G DEB

# The page in headless chromium while each game runs, then its loading over
# a slow phone network and Lighthouse's score (see bench/README.md).
web-bench: web
	@cd bench/lighthouse && npm ci --no-audit --no-fund --loglevel=error
	node bench/web-bench.mjs --site $(WEB_BUILD)
	node bench/web-load.mjs --site $(WEB_BUILD)

# The desktop program against a minimal Qt window under Xvfb (see bench/README.md).
desktop-bench: test-deps
	bench/desktop-bench

# Ten million lines of random input under the sanitizers (several minutes).
soak: build-sanitize
	$(SANITIZE_BUILD)/arcadeon-soak --seed 1 --seeds 10 --steps 1000000 --save soak-failure.script

# The fuzz targets (libFuzzer, ASan, UBSan), each for FUZZ_TIME seconds:
# the script reader and runner, seeded from the golden scripts, then the
# session every front end's input goes through. make fuzz FUZZ_TIME=600.
# New inputs they find stay in $(FUZZ_BUILD)/corpus and
# $(FUZZ_BUILD)/session-corpus; a failing one is saved as crash-*.
fuzz:
	@tools/install-deps fuzz
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DARCADEON_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) --target script-fuzz session-fuzz -j $(JOBS)
	@mkdir -p $(FUZZ_BUILD)/corpus $(FUZZ_BUILD)/session-corpus
	$(FUZZ_BUILD)/script-fuzz -max_total_time=$(FUZZ_TIME) -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
	  $(FUZZ_BUILD)/corpus tests/golden tests/fuzz/seeds
	$(FUZZ_BUILD)/session-fuzz -max_total_time=$(FUZZ_TIME) -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
	  $(FUZZ_BUILD)/session-corpus tests/fuzz/seeds

# Draws the pictures in assets/ again; then the menu's Ping and Invaders
# pictures from the game windows as the program draws them.
pictures: test-deps
	@cmake -S . -B $(BUILD) -DARCADEON_TOOLS=ON >/dev/null
	@cmake --build $(BUILD) --target make-pictures -j $(JOBS)
	$(BUILD)/tools/pictures/make-pictures assets
	@cmake --build $(BUILD) --target make-menu-shots -j $(JOBS)
	$(BUILD)/tools/menu-shots/make-menu-shots assets
	@tools/install-deps pictures
	tools/web-pictures

# Cuts the page's copies of the shipped fonts again (assets/fonts/web/).
web-fonts:
	@tools/install-deps fonts
	tools/web-fonts

# Writes the page's lossless WebP copies of the PNG pictures again (assets/web/).
web-pictures:
	@tools/install-deps pictures
	tools/web-pictures

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD) $(WEB_BUILD)
