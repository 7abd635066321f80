# suitestart: `make run` shows the launcher on the demo folder, `make test` runs every test.
# Each target first installs whatever Debian packages are missing.

SHELL := /bin/bash
BUILD := build
HOST := $(BUILD)/host
WIN := $(BUILD)/win
DEMO := $(BUILD)/demo
JOBS ?= $(shell nproc)
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

PACKAGES := cmake make g++ googletest libgtest-dev g++-mingw-w64-x86-64-posix \
  binutils-mingw-w64-x86-64 wine wine64 fonts-wine xvfb xauth xdotool xcompmgr x11-utils imagemagick zip unzip \
  clang-14 clang-format libclang-rt-14-dev libfreetype-dev libharfbuzz-dev fonts-sawarabi-gothic \
  fonts-kacst-one zlib1g-dev osslsigncode openssl \
  ca-certificates

# LAYOUT=alt shows the alternative layout (Skin=1) with its own skin; DPI=144 (or 120, 192, ...)
# shows it at that display scale.
LAYOUT ?= design
DPI ?= 96
# UILANG=de (ja, ar, ...) shows it to a user of that language.
UILANG ?=
# HALO=always shows the skin's halo (headless, xcompmgr composes it), HALO=never hides it,
# HALO=auto leaves it to the system.
HALO ?= always
SHOT := $(if $(filter alt,$(LAYOUT)),screenshot-alt,screenshot)$(if $(UILANG),-$(UILANG)).png

.PHONY: all deps build test format format-check run run-alt demo dist bench clean

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

$(HOST)/CMakeCache.txt: | deps
	cmake -S . -B $(HOST) -DSS_WIN_BUILD_DIR=$(abspath $(WIN))

$(WIN)/CMakeCache.txt: | deps
	cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=$(abspath cmake/mingw-w64-x86_64.cmake) \
	  -DSS_APP_ICON=$(abspath $(HOST))/demo-assets/icon.ico

# The host tree first: it draws the icon that the Windows tree compiles into the exe.
build: deps $(HOST)/CMakeCache.txt $(WIN)/CMakeCache.txt
	cmake --build $(HOST) -j $(JOBS)
	cmake --build $(WIN) -j $(JOBS)

test: build format-check
	ctest --test-dir $(HOST) --output-on-failure -j $(JOBS)

# Every C++ file of src/, tools/ and tests/ as the project's .clang-format has it.
FORMATTED = $(shell find src tools tests -name '*.cpp' -o -name '*.h')

format: deps
	clang-format -i $(FORMATTED)

format-check: deps
	@clang-format --dry-run --Werror $(FORMATTED) || \
	  { echo "Not formatted: run 'make format'"; exit 1; }

demo: build
	HALO=$(HALO) tools/demo/make-demo.sh $(WIN) $(HOST) $(DEMO) $(LAYOUT)

# Shows the launcher on the demo folder: in this display, or headless into a screenshot.
run: demo
	DPI=$(DPI) UILANG=$(UILANG) tools/demo/run-demo.sh $(DEMO) $(BUILD)/run-wine $(SHOT)

run-alt:
	$(MAKE) run LAYOUT=alt

# The release package: $(BUILD)/dist/suitestart-<version>.zip (the CMake project's version).
# Signed when given a certificate: make dist SIGN_CERT=cert.pem SIGN_KEY=key.pem, or
# SIGN_PKCS12=cert.pfx; a password only through SIGN_PASS_FILE or SIGN_PASS in the environment;
# SIGN_TIMESTAMP_URL for a time stamp (tools/dist/sign.sh).
dist: build
	tools/dist/make-dist.sh $(WIN) $(HOST) $(BUILD)/dist

# Benchmarks of the Windows build under Wine; BENCHMARKS.md records their results.
bench: build
	tools/bench/run-benchmarks.sh $(WIN) $(BUILD)/bench-wine $(HOST)

clean:
	rm -rf $(BUILD)
