# make run      installs what is missing, builds and starts the program
# make test     installs what is missing, builds and runs every test
# make install  builds, then installs the programs, their menu entry and icon
#               under PREFIX (/usr/local; PREFIX=~/.local for one user)

BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
WEB_BUILD ?= build-web
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

.PHONY: all deps build build-sanitize run test install desktop-bench soak pictures clean web web-run

all: build

deps:
	@tools/install-deps

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

build-sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DARCADEON_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)

run: build
	$(BUILD)/arcadeon

# Everything is installed here, so the browser test must run: a missing
# browser or page is a failure, not a skip.
test: build build-sanitize web
	cd $(BUILD) && ARCADEON_REQUIRE_WEB=1 ctest --output-on-failure -j $(JOBS)
	cd $(SANITIZE_BUILD) && ctest --output-on-failure -j $(JOBS)

# The program in a web page, built with Emscripten into $(WEB_BUILD)/ (its
# CMake build in $(WEB_BUILD)/cmake). Debian's emcc runs on the system's
# node, which finds Debian's own node modules (acorn) only when told where.
web: deps
	@NODE_PATH=/usr/share/nodejs emcmake cmake -S . -B $(WEB_BUILD)/cmake -DCMAKE_BUILD_TYPE=Release -DARCADEON_WEB_SITE=$(abspath $(WEB_BUILD)) >/dev/null
	@NODE_PATH=/usr/share/nodejs cmake --build $(WEB_BUILD)/cmake -j $(JOBS)

web-run: web
	@echo "Arcadeon is served on http://localhost:8000/ (Ctrl+C stops it)"
	python3 -m http.server 8000 --bind 127.0.0.1 --directory $(WEB_BUILD)

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The desktop program against a minimal Qt window under Xvfb (see bench/README.md).
desktop-bench: deps
	bench/desktop-bench

# Ten million lines of random input under the sanitizers (several minutes).
soak: build-sanitize
	$(SANITIZE_BUILD)/arcadeon-soak --seed 1 --seeds 10 --steps 1000000 --save soak-failure.script

# Draws the pictures in assets/ again; then the menu's Ping and Invaders
# pictures from the game windows as the program draws them.
pictures: deps
	@cmake -S . -B $(BUILD) >/dev/null
	@cmake --build $(BUILD) --target make-pictures -j $(JOBS)
	$(BUILD)/tools/pictures/make-pictures assets
	@cmake --build $(BUILD) --target make-menu-shots -j $(JOBS)
	$(BUILD)/tools/menu-shots/make-menu-shots assets

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(WEB_BUILD)
