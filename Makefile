# Front door: `make run` and `make test` install what is missing, build and go.
BUILD ?= build
GENERATOR := -G Ninja
CMAKE_FLAGS ?=

.PHONY: deps configure build run test asan tsan fuzz bench clean

deps:
	@tools/install-deps.sh

configure: deps
	@[ -f $(BUILD)/build.ninja ] || cmake -S . -B $(BUILD) $(GENERATOR) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD)

# The window against the built-in emulator; without a display it renders one screenshot instead.
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
		$(BUILD)/bin/vestra --demo; \
	else \
		echo "No display: rendering the window offscreen instead."; \
		QT_QPA_PLATFORM=offscreen $(BUILD)/bin/vestra --demo --screenshot $(BUILD)/vestra-demo.png; \
	fi

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j2

asan:
	$(MAKE) test BUILD=build-asan CMAKE_FLAGS="-DVESTRA_SANITIZE=address -DVESTRA_BENCH=OFF"

tsan:
	TSAN_OPTIONS="suppressions=$(CURDIR)/tools/tsan.supp" \
		$(MAKE) test BUILD=build-tsan CMAKE_FLAGS="-DVESTRA_SANITIZE=thread -DVESTRA_BENCH=OFF"

fuzz: deps
	@[ -f build-fuzz/build.ninja ] || CC=clang CXX=clang++ cmake -S . -B build-fuzz $(GENERATOR) -DVESTRA_FUZZ=ON -DBUILD_TESTING=OFF -DVESTRA_BENCH=OFF
	cmake --build build-fuzz

bench: build
	@for b in $(BUILD)/bin/bench_*; do echo "== $$b"; $$b; done

clean:
	rm -rf build build-asan build-tsan build-fuzz
