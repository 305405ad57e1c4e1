# Two commands do everything on a fresh Debian machine:
#   make run   installs what is missing, builds, writes the demo data and opens the editor on it
#   make test  installs what is missing, builds and runs every test
BUILD ?= build
# Release builds fastest (no debug information); BUILD_TYPE=RelWithDebInfo for a debugger.
BUILD_TYPE ?= Release
PACKAGES := $(shell sed -n -e '/^ci:/q' -e 's/\#.*//' -e '/[^[:space:]]/p' tools/packages.txt)
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: run test build deps screenshot bench bench-build clean install package

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; \
	fi

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD)

# Ctrl+C closes the editor; that is how a run ends, not a failure of make.
run: build
	@trap 'exit 0' INT TERM; \
	if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "No display is available here, so the editor cannot open a window."; \
	  echo "The demo data is in $(CURDIR)/$(BUILD)/bin (Dat and Data folders)."; \
	  echo "Run 'make screenshot' to render the main window to a picture instead."; \
	else \
	  $(BUILD)/bin/editor; \
	fi

test: build
	ctest --test-dir $(BUILD) --output-on-failure

# The editor (as dungeon-editor), editor-check, the desktop entry, icons, AppStream metadata,
# manual pages and the demo data under $(PREFIX); DESTDIR stages them elsewhere.
PREFIX ?= /usr/local
install: build
	@as=""; [ -n "$(DESTDIR)" ] || { mkdir -p "$(PREFIX)" 2>/dev/null && [ -w "$(PREFIX)" ]; } || as="$(SUDO)"; \
	$$as env DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix $(PREFIX) --strip

# The Debian package, by CPack from this build folder: $(BUILD)/package/dungeon-editor_*.deb
package: build
	cmake --build $(BUILD) --target package

screenshot: build
	QT_QPA_PLATFORM=offscreen:configfile=tests/support/screen_1280x1024.json \
	  $(BUILD)/bin/editor_screenshot $(BUILD)/bin docs

# The benchmarks are built in release mode, in their own folder, only by these two targets.
bench-build: deps
	cmake -S . -B $(BUILD)-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DEDITOR_BENCH=ON
	cmake --build $(BUILD)-release --target benchmarks

bench: bench-build
	@for b in $(BUILD)-release/bench/bench_*; do echo "== $$b"; $$b; done

clean:
	rm -rf $(BUILD) $(BUILD)-release
