# The two commands of the README: `make run` starts the editor, `make test` runs every test.
# `make run` builds only the three programs it may start (the editor, the player and the checker);
# the tests and benchmarks are built by `make test`.
# `make test-sanitized` runs every test built with AddressSanitizer and UBSan; `make test-32bit`
# builds the Qt-free code (model, player runtime, checker) for 32 bits and runs the model tests;
# `make fuzz` builds the fuzz targets, the player runtime and the checker with clang and runs each
# fuzz target for FUZZ_SECONDS.
BUILD_DIR ?= build
SANITIZE_DIR ?= build-asan
FUZZ_DIR ?= build-fuzz
PORTABLE_DIR ?= build-32
FUZZ_SECONDS ?= 60

# Any finding, leaks included, stops the run; only the system libraries named in the
# suppressions file may keep what they allocated.
SANITIZER_ENV = ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan-suppressions.txt:print_suppressions=0

MAKEFLAGS += --no-print-directory

.PHONY: run test test-sanitized test-32bit fuzz build programs configure deps test-deps clean package

deps:
	@bash scripts/install-deps

test-deps:
	@bash scripts/install-deps test

PROGRAMS = hakoniwa hakoniwa-player hakoniwa-check

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release >/dev/null

programs: configure
	@cmake --build $(BUILD_DIR) -j2 --target $(PROGRAMS)

build: configure
	@cmake --build $(BUILD_DIR) -j2

run: programs
	@bash scripts/run-editor $(BUILD_DIR)/hakoniwa

test: test-deps build
	@cd $(BUILD_DIR) && ctest --output-on-failure

# A Debian package of the editor and its data, in $(BUILD_DIR)/.
package: programs web
	@cd $(BUILD_DIR) && cpack -G DEB

test-sanitized: deps
	@cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DHAKONIWA_SANITIZE=ON \
		-DHAKONIWA_BENCH=OFF >/dev/null
	@cmake --build $(SANITIZE_DIR) -j2
	@cd $(SANITIZE_DIR) && $(SANITIZER_ENV) ctest --output-on-failure

test-32bit: test-deps
	@cmake -S tests/portable -B $(PORTABLE_DIR) -DCMAKE_CXX_FLAGS=-m32 \
		-DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(PORTABLE_DIR) -j2
	@cd $(PORTABLE_DIR) && ctest --output-on-failure

# Only the Qt-free code and the fuzz targets are built: no tests, no windows. The player runtime
# and the checker are built too, so that they are known to build with clang as well.
fuzz:
	@bash scripts/install-deps fuzz
	@cmake -S . -B $(FUZZ_DIR) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DHAKONIWA_FUZZ=ON -DHAKONIWA_BENCH=OFF -DHAKONIWA_TESTS=OFF >/dev/null
	@cmake --build $(FUZZ_DIR) -j2 --target fuzz_targets hakoniwa_player_runtime hakoniwa-check
	@bash fuzz/run $(FUZZ_DIR) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR) $(PORTABLE_DIR)

# The web page's template that 書き出し fills with a game: $(WEB_DIR)/hakoniwa-web.html, built
# with emscripten (docs/web.md). `make test` builds and tests it too where emscripten and
# Chromium are installed.
WEB_DIR ?= $(BUILD_DIR)/web
.PHONY: web
web:
	@bash scripts/install-deps web
	@bash scripts/build-web $(WEB_DIR)
