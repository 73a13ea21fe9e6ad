# Two entry points for a fresh machine: `make run` and `make test`.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 20
JOBS       ?= $(shell nproc)
OUT        ?= out

.PHONY: deps deps-test deps-clang configure build run demo test test-quick sanitize fuzz clean

# `make run` installs only what building and running need; the tests add their readers.
deps:
	@scripts/deps.sh build

deps-test:
	@scripts/deps.sh build test

deps-clang:
	@scripts/deps.sh build test clang

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/export-sample.sh $(BUILD)/bin $(OUT)

# The demo application on the sample database beside it.
demo: build
	@$(BUILD)/bin/ostrel-demo

test: deps-test build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-quick: deps-test build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) -L 'unit|qt'

sanitize: deps-clang
	@CC=clang CXX=clang++ cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	    -DOSTREL_SANITIZE=ON -DOSTREL_QT=OFF >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@# A failed test runs once more: the leak checker's own tracer can crash at exit while an
	@# engine thread of the database library is ending (the test itself had passed). A real
	@# leak or sanitizer report fails both runs.
	@cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) -L unit --repeat until-pass:2

fuzz: deps-clang
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DOSTREL_FUZZ=ON -DOSTREL_QT=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	@FUZZ_BUILD=$(FUZZ_BUILD) FUZZ_SECONDS=$(FUZZ_SECONDS) scripts/run-fuzzers.sh

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(OUT)
