# Two commands do everything: `make run` builds and starts Velmora, `make test` builds and
# runs every test. Both install missing Debian packages first.

BUILD_DIR := build
PRESET    := default

.PHONY: run example test build deps configure bench screenshots site-screenshots package clean

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

# The browser tests again, saving each design's home page as docs/screenshots/site-*.png.
site-screenshots: build
	@VELMORA_SCREENSHOTS=$(CURDIR)/docs/screenshots ctest --preset $(PRESET) -R '^browser_site$$'

# The core's benchmarks, the headless command's start, CREATE from the window, then the
# window's start-up time and memory under Xvfb.
bench: build
	@$(BUILD_DIR)/bin/velmora-bench
	@scripts/bench-start
	@$(BUILD_DIR)/bin/velmora-window-bench
	@scripts/measure-window

# Pictures of every page and dialog of the wizard into docs/screenshots/ (needs xvfb).
screenshots: build
	@scripts/screenshots

# The .deb in build/package/, checked as CI checks it (lintian, validators, a run from the package).
package: build
	@scripts/check-package $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) build-sanitize
