# The two commands of the README: `make run` starts the editor, `make test` runs every test.
BUILD_DIR ?= build

.PHONY: run test build deps clean package

deps:
	@bash scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD_DIR) -j2

run: build
	@bash scripts/run-editor $(BUILD_DIR)/hakoniwa

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure

# A Debian package of the editor and its data, in $(BUILD_DIR)/.
package: build
	@cd $(BUILD_DIR) && cpack -G DEB

clean:
	rm -rf $(BUILD_DIR)
