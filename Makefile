# Two commands on a fresh Debian 12 machine: `make run` and `make test`.
# Both install whatever Debian packages are missing, configure and build in build/.

BUILD_DIR ?= build
ASAN_DIR ?= build-asan
SANITIZE_FLAGS := -O1 -g -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all
SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
DEBIAN_PACKAGES := cmake ninja-build g++ pkg-config qt6-base-dev qt6-qpa-plugins \
	libgl-dev fonts-ipafont-gothic fontconfig xvfb xauth \
	desktop-file-utils appstream dpkg-dev lintian x11-utils \
	emscripten chromium python3-websocket python3-pil webkit2gtk-driver firefox-esr \
	dbus-daemon at-spi2-core python3-gi gir1.2-atspi-2.0 xdotool
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build build-asan run test test-release test-asan screenshot package clean \
	web serve

all: build

deps:
	@missing=""; \
	for p in $(DEBIAN_PACKAGES); do \
		dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
		echo "Installing Debian packages:$$missing"; \
		$(SUDO) apt-get update && \
		$(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	fi

$(BUILD_DIR)/build.ninja: | deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DWATER_WEB_SITE=$(CURDIR)/$(WEB_DIR)/site

configure: deps $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR) --parallel $(JOBS)

run: build
	$(BUILD_DIR)/water-proportion

$(ASAN_DIR)/build.ninja: | deps
	cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
		-DCMAKE_CXX_FLAGS="$(SANITIZE_FLAGS)" -DWATER_RANDOM_SEEDS_PER_PART=2 \
		-DWATER_RANDOM_ACTIONS=100 \
		-DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"

build-asan: deps $(ASAN_DIR)/build.ninja
	cmake --build $(ASAN_DIR) --parallel $(JOBS)

# The whole suite twice: the release build, then under AddressSanitizer,
# UndefinedBehaviorSanitizer and LeakSanitizer. The release run includes the page in
# headless Chromium (label web: `ctest -L web`).
test: test-release test-asan

test-release: build web
	@grep -q '^WATER_WEB_SITE:' $(BUILD_DIR)/CMakeCache.txt || \
		cmake -S . -B $(BUILD_DIR) -DWATER_WEB_SITE=$(CURDIR)/$(WEB_DIR)/site
	cd $(BUILD_DIR) && ctest --output-on-failure --parallel $(JOBS)

test-asan: build-asan
	cd $(ASAN_DIR) && $(SANITIZER_ENV) ctest --output-on-failure --parallel $(JOBS)

# A Debian package in build/: install it with `sudo apt install ./build/water-proportion_*.deb`.
package: build
	cd $(BUILD_DIR) && cpack -G DEB

# Refreshes the README's picture: seven minutes, with the table and the graph open.
screenshot: build
	QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/water-screenshot docs/lesson.png tall graph steps 7

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(WEB_DIR)

# The page: the lesson compiled to WebAssembly by Debian's Emscripten, with its page files, in
# build-web/site/. Emscripten's prebuilt libraries come with the package: nothing is fetched.
WEB_DIR ?= build-web
PORT ?= 8000
# emcc's JavaScript tools need Debian's acorn, whichever node comes first on PATH.
export NODE_PATH := /usr/share/nodejs

$(WEB_DIR)/build.ninja: | deps
	emcmake cmake -S . -B $(WEB_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
		-DWATER_WEB_ICONS=$(CURDIR)/$(BUILD_DIR)/web-icons

# The page's PNG icons come from the desktop build's icon renderer.
web: deps configure $(WEB_DIR)/build.ninja
	cmake --build $(BUILD_DIR) --parallel $(JOBS) --target web-icons
	cmake --build $(WEB_DIR) --parallel $(JOBS) --target site

serve: web
	@echo "The lesson: http://127.0.0.1:$(PORT)/ (Ctrl+C stops the server)"
	/usr/bin/python3 -m http.server --bind 127.0.0.1 --directory $(WEB_DIR)/site $(PORT)

# The longest source files of the lessons and the front ends; start-up, memory and frame
# pacing of the lesson against a bare Qt window, in a Release build of its own; then the page's
# figures in headless Chromium.
BENCH_DIR ?= build-bench

.PHONY: bench

$(BENCH_DIR)/build.ninja: | deps
	cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DWATER_BENCH=ON \
		-DBUILD_TESTING=OFF

# Lighthouse, pinned, from npm into the bench's folder; Debian's Node.js runs it.
LIGHTHOUSE := $(BENCH_DIR)/lighthouse/node_modules/.bin/lighthouse

$(LIGHTHOUSE): | deps
	command -v npm >/dev/null || { $(SUDO) apt-get update && \
		$(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
		nodejs npm; }
	npm install --prefix $(BENCH_DIR)/lighthouse --no-audit --no-fund --no-save \
		lighthouse@12.8.2

bench: deps $(BENCH_DIR)/build.ninja web $(LIGHTHOUSE)
	/usr/bin/python3 bench/lines.py
	cmake --build $(BENCH_DIR) --parallel $(JOBS) --target water-bench
	$(BENCH_DIR)/bench/water-bench
	/usr/bin/python3 tests/web/bench.py $(WEB_DIR)/site $(LIGHTHOUSE)
