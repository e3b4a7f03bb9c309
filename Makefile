# make run      installs what is missing, builds and starts the program
# make test     installs what is missing, builds and runs every test
# make install  builds, then installs the programs, their menu entry and icon
#               under PREFIX (/usr/local; PREFIX=~/.local for one user)

BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

FUZZ_BUILD ?= build-fuzz
FUZZ_TIME ?= 60

.PHONY: all deps build build-sanitize run test install desktop-bench soak fuzz pictures clean

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

test: build build-sanitize
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cd $(SANITIZE_BUILD) && ctest --output-on-failure -j $(JOBS)

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The desktop program against a minimal Qt window under Xvfb (see bench/README.md).
desktop-bench: deps
	bench/desktop-bench

# Ten million lines of random input under the sanitizers (several minutes).
soak: build-sanitize
	$(SANITIZE_BUILD)/arcadeon-soak --seed 1 --seeds 10 --steps 1000000 --save soak-failure.script

# The script fuzz target (libFuzzer, ASan, UBSan) for FUZZ_TIME seconds,
# seeded from the golden scripts: make fuzz FUZZ_TIME=600. New inputs it
# finds stay in $(FUZZ_BUILD)/corpus; a failing one is saved as crash-*.
fuzz: deps
	@tools/install-deps fuzz
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DARCADEON_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) --target script-fuzz -j $(JOBS)
	@mkdir -p $(FUZZ_BUILD)/corpus
	$(FUZZ_BUILD)/script-fuzz -max_total_time=$(FUZZ_TIME) -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
	  $(FUZZ_BUILD)/corpus tests/golden tests/fuzz/seeds

# Draws the pictures in assets/ again; then the menu's Ping and Invaders
# pictures from the game windows as the program draws them.
pictures: deps
	@cmake -S . -B $(BUILD) >/dev/null
	@cmake --build $(BUILD) --target make-pictures -j $(JOBS)
	$(BUILD)/tools/pictures/make-pictures assets
	@cmake --build $(BUILD) --target make-menu-shots -j $(JOBS)
	$(BUILD)/tools/menu-shots/make-menu-shots assets

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD)
