# Two commands do everything: `make run` builds and starts Velmora, `make test` builds and
# runs every test. Both install missing Debian packages first.

BUILD_DIR := build
PRESET    := default

.PHONY: run test build deps configure bench site-screenshots package clean

deps:
	@scripts/install-deps

configure: deps
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build --preset $(PRESET)

# Until the wizard window exists this builds the bundled example site headlessly.
run: build
	@$(BUILD_DIR)/bin/velmora-build --state examples/harbor-lane/state.json
	@echo "The example site is in $$HOME/VelmoraP: open $$HOME/VelmoraP/index.html in a browser."

test: build
	@ctest --preset $(PRESET)

# The browser tests again, saving each design's home page as docs/screenshots/site-*.png.
site-screenshots: build
	@VELMORA_SCREENSHOTS=$(CURDIR)/docs/screenshots ctest --preset $(PRESET) -R '^browser_site$$'

bench: build
	@$(BUILD_DIR)/bin/velmora-bench
	@scripts/bench-start

# The .deb in build/package/, checked as CI checks it (lintian, validators, a run from the package).
package: build
	@scripts/check-package $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) build-sanitize
