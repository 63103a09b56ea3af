# Korvel: the two everyday commands are `make run` and `make test`.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= 2
FILE ?=
PREFIX ?= /usr/local
DESTDIR ?=

# Qt WebEngine refuses its sandbox when run as root.
ROOT_ENV := $(if $(filter 0,$(shell id -u)),QTWEBENGINE_DISABLE_SANDBOX=1,)

.PHONY: all bootstrap configure build run test bench fuzz install clean

all: build

bootstrap:
	@bash scripts/bootstrap.sh

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DCMAKE_INSTALL_PREFIX=$(PREFIX)

configure: bootstrap $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(ROOT_ENV) $(BUILD_DIR)/bin/korvel $(FILE)

test: build
	cd $(BUILD_DIR) && $(ROOT_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j 1

bench: build
	cmake --build $(BUILD_DIR) -j $(JOBS) --target benchmarks
	@for b in $(BUILD_DIR)/bench/bench_*; do echo "== $$b"; $$b; done
	@bash bench/bench_batch.sh $(BUILD_DIR)

# The fuzz targets, built with clang in fuzz-build/ and run FUZZ_SECONDS each on their corpus.
FUZZ_SECONDS ?= 60
fuzz:
	JOBS=$(JOBS) bash scripts/fuzz.sh $(FUZZ_SECONDS)

install: build
	DESTDIR=$(DESTDIR) cmake --install $(BUILD_DIR) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD_DIR)
