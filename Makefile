# make run   installs what is missing, builds and starts the program
# make test  installs what is missing, builds and runs every test

BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps build run test pictures clean

all: build

deps:
	@tools/install-deps

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/arcadeon

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Draws the pictures in assets/ again.
pictures: deps
	@cmake -S . -B $(BUILD) >/dev/null
	@cmake --build $(BUILD) --target make-pictures -j $(JOBS)
	$(BUILD)/tools/pictures/make-pictures assets

clean:
	rm -rf $(BUILD)
