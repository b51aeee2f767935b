# make test: install what is missing, build every tree, run every test, print the time of each step.
# make run:  install, build, assemble dist/Quillory and start it under Wine.
# make bench: build and run the benchmarks under Wine (QUILLORY_BENCH_FILES=1000000 for a million files,
#             QUILLORY_BENCH_TREE_FILES=1000000 for a tree of a million in 10,000 folders).
# make screenshot: the README's picture of the window, docs/screenshot.png, made under Xvfb.
BUILD := build
JOBS  ?= $(shell nproc)

.PHONY: all deps native windows test test-native test-windows test-release run bench dist screenshot clean

all: native windows

deps:
	@tools/install-deps.sh

# Configuring again is quick and mends a tree whose last configure failed.
native: deps
	cmake -S . -B $(BUILD)/native -DCMAKE_BUILD_TYPE=Debug >/dev/null
	cmake --build $(BUILD)/native -j $(JOBS)

# build/windows: 32-bit, or a 64-bit test build where 32-bit code cannot run.
windows: deps $(BUILD)/slow_share
	tools/build-windows.sh $(BUILD) $(JOBS)

# The tests' slow network share (tools/test-share.sh), a host program.
$(BUILD)/slow_share: tools/slow_share.c
	@mkdir -p $(BUILD)
	cc -O2 -Wall -Wextra -o $@ $< $$(pkg-config --cflags --libs fuse3)

test-native: native
	ctest --test-dir $(BUILD)/native --output-on-failure -j $(JOBS)

# In two Wine prefixes at once (tools/test-windows.sh).
test-windows: windows
	tools/test-windows.sh $(BUILD)/windows

# The 32-bit release as users get it, checked on any machine, and the check's own test.
test-release: windows
	tools/check-release.sh dist/Quillory
	tests/release/check_release_test.sh dist/Quillory

# Every step above in turn, with the time each took.
test:
	@tools/make-test.sh $(BUILD) $(JOBS)

run: windows
	tools/run.sh

# Every benchmark program under Wine, one after the other; they print figures only.
bench: windows
	cmake --build $(BUILD)/windows -j $(JOBS) --target benchmarks
	tools/with-wine.sh sh -c 'for exe in $(BUILD)/windows/bench/*.exe; do echo "== $$exe"; wine "$$exe" || exit 1; done'

VERSION := 1.1.0.1
RELEASE := $(BUILD)/release

# The release holds the program and its side folder, nothing a run has left behind.
dist: windows
	tools/check-release.sh dist/Quillory
	rm -rf $(RELEASE) $(BUILD)/Quillory-$(VERSION)-win32.zip
	mkdir -p $(RELEASE)/Quillory/PLXE
	cp dist/Quillory/Quillory.exe $(RELEASE)/Quillory/
	cp dist/Quillory/PLXE/SkinH_EL.dll dist/Quillory/PLXE/skinh.she $(RELEASE)/Quillory/PLXE/
	cd $(RELEASE) && zip -qrX ../Quillory-$(VERSION)-win32.zip Quillory
	@stat -c '%8s bytes  %n' $(RELEASE)/Quillory/Quillory.exe $(RELEASE)/Quillory/PLXE/SkinH_EL.dll
	@echo "$(BUILD)/Quillory-$(VERSION)-win32.zip"

# The window listing a demo folder, with the frame and title bar Wine draws itself.
screenshot: windows
	tools/screenshot.sh docs/screenshot.png

clean:
	rm -rf $(BUILD) dist
