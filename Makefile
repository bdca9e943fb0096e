# make run   installs what is missing, builds, assembles the program folder and starts the program
# make test  the same set-up, then every test off screen
# make stress       the crash-safety test with 500 kills
BUILD       ?= build
BUILD_TYPE  ?= RelWithDebInfo
PROGRAM_DIR := $(BUILD)/program

DEB_PACKAGES := cmake ninja-build g++ pkg-config make \
  qt6-base-dev qt6-multimedia-dev libsqlcipher-dev sqlcipher libchm-dev fp-utils-3.2.2 \
  fonts-dejavu-core xvfb xauth

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build run test stress clean

all: build

deps:
	@missing=$$(for p in $(DEB_PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get update -q && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $$missing; \
	fi

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DTAVIREL_WERROR=ON

build: configure
	cmake --build $(BUILD)

run: build
	cd $(PROGRAM_DIR) && ./tavirel

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure

stress: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen TAVIREL_KILLS=$${TAVIREL_KILLS:-500} \
	  nice -n 19 ./tests/own/tst_crash

# Removes the build, but keeps the program folder's own database: it holds the user's data.
clean:
	@if [ -f $(PROGRAM_DIR)/yourown.MDB ]; then cp -p $(PROGRAM_DIR)/yourown.MDB .yourown.MDB.keep; fi
	rm -rf $(BUILD)
	@if [ -f .yourown.MDB.keep ]; then mkdir -p $(PROGRAM_DIR) && mv .yourown.MDB.keep $(PROGRAM_DIR)/yourown.MDB; fi
