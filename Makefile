# Two commands do everything: `make run` builds and starts Velmora, `make test` builds and
# runs every test. Both install missing Debian packages first.

BUILD_DIR := build
PRESET    := default

.PHONY: run example test build deps configure bench screenshots clean

deps:
	@scripts/install-deps

configure: deps
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build --preset $(PRESET)

# The wizard window.
run: build
	@$(BUILD_DIR)/bin/velmora

# The bundled example site, built headlessly into ~/VelmoraP.
example: build
	@$(BUILD_DIR)/bin/velmora-build --state examples/harbor-lane/state.json
	@echo "The example site is in $$HOME/VelmoraP: open $$HOME/VelmoraP/index.html in a browser."

test: build
	@ctest --preset $(PRESET)

# The core's benchmarks, CREATE from the window, then start-up time and memory under Xvfb.
bench: build
	@$(BUILD_DIR)/bin/velmora-bench
	@$(BUILD_DIR)/bin/velmora-window-bench
	@scripts/measure-window

# Pictures of every page and dialog of the wizard into docs/screenshots/ (needs xvfb).
screenshots: build
	@scripts/screenshots

clean:
	rm -rf $(BUILD_DIR) build-sanitize
