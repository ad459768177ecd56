# Quillora: two entry points for a fresh Debian machine.
#   make run   install what is missing, build Release, start the workstation
#   make test  install what is missing, build with sanitizers, run every test headless
#   make fuzz  build the fuzz targets with clang and libFuzzer, run each FUZZ_SECONDS (60) long
#   make package  build the Debian package of the Release build into build/release
#   make test-windows  cross-build the layers without Qt for Windows, run their tests under Wine
#   make format-check  list what clang-format would change (changes nothing)

SHELL := /bin/bash
JOBS ?= $(shell nproc)
RELEASE_DIR := build/release
TEST_DIR := build/test
FUZZ_DIR := build/fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := jpeg tiff png bmp regedit
WINDOWS_DIR := build/windows

.PHONY: run test test-windows format-check deps deps-windows build-release build-test bench fuzz build-fuzz package clean

deps:
	@bash scripts/install-deps.sh

build-release: deps
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLORA_TESTS=OFF
	cmake --build $(RELEASE_DIR) -j $(JOBS)

run: build-release
	$(RELEASE_DIR)/bin/quillora

build-test: deps
	cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLORA_SANITIZE=ON -DQUILLORA_BENCH=OFF \
	      -DQUILLORA_WERROR=ON
	cmake --build $(TEST_DIR) -j $(JOBS)

test: build-test format-check
	cd $(TEST_DIR) && \
	QT_QPA_PLATFORM=offscreen \
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=0 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	ctest --output-on-failure -j $(JOBS)

build-fuzz:
	@bash scripts/install-deps.sh --fuzz
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DQUILLORA_SANITIZE=ON -DQUILLORA_FUZZ=ON -DQUILLORA_BENCH=OFF
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))

# New inputs go to build/fuzz/corpus/<target>; crashes to build/fuzz/<target>-crash-*. A crash
# input worth keeping goes into tests/fuzz/corpus/<target> once fixed.
fuzz: build-fuzz
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_DIR)/corpus/$$t; \
	  echo "== fuzz_$$t, $(FUZZ_SECONDS) s"; \
	  time QT_QPA_PLATFORM=offscreen $(FUZZ_DIR)/bin/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 \
	    -print_final_stats=1 -artifact_prefix=$(FUZZ_DIR)/$$t- $(FUZZ_DIR)/corpus/$$t tests/fuzz/corpus/$$t \
	    || exit 1; \
	done
deps-windows: deps
	@bash scripts/install-deps.sh --windows

# Wine keeps its prefix in the build folder, so the run never touches the user's own.
test-windows: deps-windows
	cmake -S . -B $(WINDOWS_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DQUILLORA_PLAIN_ONLY=ON -DQUILLORA_WERROR=ON
	cmake --build $(WINDOWS_DIR) -j $(JOBS)
	# One wine server for the whole run, with its services started before the tests (which would
	# otherwise hold the output of the test that started them): a test started while the last
	# one's server was shutting down would lose its connection and fail without having run.
	mkdir -p $(WINDOWS_DIR)/wine
	export WINEPREFIX=$(CURDIR)/$(WINDOWS_DIR)/wine WINEDEBUG=-all; wineserver -p; \
	wine wineboot >/dev/null 2>&1; \
	status=0; (cd $(WINDOWS_DIR) && ctest --output-on-failure -j $(JOBS)) || status=$$?; \
	wineserver -k; exit $$status

format-check:
	@bash scripts/format-check.sh

bench: build-release
	cmake --build $(RELEASE_DIR) --target quillora_benchmarks

package: build-release
	cd $(RELEASE_DIR) && cpack -G DEB

clean:
	rm -rf build
