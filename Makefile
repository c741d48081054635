# SPDX-License-Identifier: MIT
# Thin front door over CMake and Ninja. Every target first makes sure the
# Debian packages it needs are installed.

BUILD ?= build
JOBS ?= $(shell nproc)
WERROR := $(if $(CI),ON,OFF)
CMAKE_COMMON := -G Ninja -DVORA_WERROR=$(WERROR)

.PHONY: all deps run test bench sanitize fuzz format clean

all: test

deps:
	@scripts/install-deps core

$(BUILD)/build.ninja: deps CMakeLists.txt
	cmake -S . -B $(BUILD) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORA_BENCH=ON

run: $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target vora-calc
	@echo "--- examples/tour.tvc calculated by vora-calc ---"
	$(BUILD)/src/cli/vora-calc examples/tour.tvc

test: $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: $(BUILD)/build.ninja
	@scripts/install-deps bench
	cmake --build $(BUILD) -j $(JOBS)
	scripts/run-benchmarks $(BUILD)

sanitize: deps
	cmake -S . -B build-sanitize $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=Debug -DVORA_SANITIZE=ON -DVORA_GUI=OFF
	cmake --build build-sanitize -j $(JOBS)
	cd build-sanitize && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

fuzz: deps
	@scripts/install-deps fuzz
	CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORA_FUZZ=ON -DVORA_TESTS=OFF
	cmake --build build-fuzz -j $(JOBS)
	scripts/run-fuzz build-fuzz $(FUZZ_SECONDS)

format:
	clang-format -i $$(git ls-files '*.h' '*.cpp')

clean:
	rm -rf $(BUILD) build-sanitize build-fuzz
