# Ravelstow: `make run` builds and starts the program, `make test` builds and runs every test.
# `make sanitize` builds in build-sanitize/ with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs every test there; any report fails its test.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
JOBS  ?= $(shell nproc 2>/dev/null || echo 4)

.PHONY: all deps configure build run test sanitize clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# The program alone: the tests are built by `make test`.
run: configure
	cmake --build $(BUILD) -j $(JOBS) --target ravelstow
	$(BUILD)/ravelstow

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRV_SANITIZE=ON
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)
