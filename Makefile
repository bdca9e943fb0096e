# make run   installs what is missing, builds, assembles the program folder and starts the program
# make test  the same set-up, then every test off screen
# make install   installs into $(DESTDIR)$(PREFIX) (PREFIX defaults to /usr/local)
# make package   builds the Debian package build/tavirel_<version>_<arch>.deb
# make bench the same set-up with the benchmarks: 1x, 10x and 100x content side by side
# make stress       the crash-safety test with 500 kills
# make test-asan    every test again, built with AddressSanitizer and UndefinedBehaviorSanitizer
# make fuzz         each libFuzzer target for FUZZ_SECONDS (default 600) on its seed corpus
BUILD       ?= build
BUILD_TYPE  ?= RelWithDebInfo
PROGRAM_DIR := $(BUILD)/program
PREFIX      ?= /usr/local

DEB_PACKAGES := cmake ninja-build g++ pkg-config make \
  qt6-base-dev qt6-multimedia-dev libsqlcipher-dev sqlcipher libchm-dev fp-utils-3.2.2 \
  fonts-dejavu-core fonts-wqy-microhei xvfb xauth poppler-utils \
  librsvg2-bin dpkg-dev desktop-file-utils appstream lintian

# Only the fuzz targets need clang and its runtime.
FUZZ_PACKAGES := clang libclang-rt-14-dev
FUZZ_SECONDS ?= 600
ASAN_BUILD  ?= build-asan
FUZZ_BUILD  ?= build-fuzz

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps fuzz-deps configure build run test install package bench stress test-asan fuzz clean

all: build

deps: PACKAGES = $(DEB_PACKAGES)
fuzz-deps: PACKAGES = $(DEB_PACKAGES) $(FUZZ_PACKAGES)
deps fuzz-deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get update -q && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $$missing; \
	fi

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DTAVIREL_WERROR=ON \
	  -DTAVIREL_BENCH=OFF

build: configure
	cmake --build $(BUILD)

run: build
	cd $(PROGRAM_DIR) && ./tavirel

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)" --strip

package: build
	cmake --build $(BUILD) --target package

# Google Benchmark is needed by the benchmarks only.
bench: DEB_PACKAGES += libbenchmark-dev
bench: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DTAVIREL_WERROR=ON \
	  -DTAVIREL_BENCH=ON
	cmake --build $(BUILD) -j2 --target tavirel-databuild bench_windows bench_report help_file
	nice -n 19 bench/run.sh $(BUILD)

stress: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen TAVIREL_KILLS=$${TAVIREL_KILLS:-500} QTEST_FUNCTION_TIMEOUT=7200000 \
	  nice -n 19 ./tests/own/tst_crash

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVIREL_SANITIZE=ON
	cmake --build $(ASAN_BUILD)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure

fuzz: fuzz-deps
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVIREL_FUZZ=ON \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(FUZZ_BUILD) --target fuzz_targets
	fuzz/run $(FUZZ_BUILD) $(FUZZ_SECONDS)

# Removes the build, but keeps the program folder's own database: it holds the user's data.
clean:
	@if [ -f $(PROGRAM_DIR)/yourown.MDB ]; then cp -p $(PROGRAM_DIR)/yourown.MDB .yourown.MDB.keep; fi
	rm -rf $(BUILD)
	@if [ -f .yourown.MDB.keep ]; then mkdir -p $(PROGRAM_DIR) && mv .yourown.MDB.keep $(PROGRAM_DIR)/yourown.MDB; fi
