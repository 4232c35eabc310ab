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

# The core's benchmarks, CREATE from the window, start-up time and memory under Xvfb, then the
# headless command's start.
bench: build
	@$(BUILD_DIR)/bin/velmora-bench
	@$(BUILD_DIR)/bin/velmora-window-bench
	@scripts/measure-window
	@scripts/bench-start

# Pictures of every page and dialog of the wizard into docs/screenshots/ (needs xvfb).
screenshots: build
	@scripts/screenshots

# The browser tests again, saving each design's home page as docs/screenshots/site-*.png.
site-screenshots: build
	@VELMORA_SCREENSHOTS=$(CURDIR)/docs/screenshots ctest --preset $(PRESET) -R '^browser_site$$'

# The .deb in build/package/, checked as CI checks it (lintian, validators, a run from the package).
package: build
	@scripts/check-package $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) build-sanitize
