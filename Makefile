# Entry points for a fresh machine: `make run` and `make test`.
SANITIZE ?= 0
MODEL ?= HRA8
PREFIX ?= /usr/local
BUILD_DIR := $(if $(filter 1,$(SANITIZE)),build-asan,build)
CMAKE_FLAGS := -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	-DPULSEGEN_SANITIZE=$(if $(filter 1,$(SANITIZE)),ON,OFF)

# Fontconfig never frees its caches; the leak checker is told so in sanitizer runs.
ifeq ($(SANITIZE),1)
export LSAN_OPTIONS := suppressions=$(CURDIR)/cmake/lsan.supp:print_suppressions=0
endif

# Seconds each fuzz target runs in `make fuzz`.
FUZZ_SECONDS ?= 60

.PHONY: deps configure build test run bench install package fuzz clean

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR)

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure --timeout 300 -j2

run: build
	@bash scripts/run.sh $(BUILD_DIR) $(MODEL)

bench: build
	@bash scripts/bench.sh $(BUILD_DIR)

install: build
	@cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# The .deb lands in $(BUILD_DIR)/package/.
package: build
	@cd $(BUILD_DIR) && cpack -G DEB

fuzz:
	@bash scripts/install-deps.sh --fuzz
	@bash scripts/fuzz.sh build-fuzz $(FUZZ_SECONDS)

clean:
	rm -rf build build-asan build-fuzz
