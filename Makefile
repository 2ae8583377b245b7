# The README's two commands: `make run` and `make test`.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_ARGS ?=

.PHONY: run test deps build build-asan unit clean

deps:
	@sh scripts/install-deps.sh --live

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)
	cmake --build $(BUILD) -j $(JOBS)

build-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DILVARON_SANITIZE=ON $(CMAKE_ARGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)

run: build
	@if [ -x $(BUILD)/ilvaron ]; then \
		exec $(BUILD)/ilvaron; \
	else \
		echo "Ilvaron is built, but its window system is not there yet: nothing to run."; \
	fi

# The whole suite twice: a normal build, then one under AddressSanitizer and
# UndefinedBehaviorSanitizer, where any report fails the run.
test: build build-asan
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cd $(ASAN_BUILD) && \
		ASAN_OPTIONS=abort_on_error=0:halt_on_error=1:detect_leaks=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
		UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
