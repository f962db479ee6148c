# ElecAide: the developer's commands. `make run` and `make test` are all a user needs.
BUILD      ?= build
BUILD_ASAN ?= build-asan
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja

.PHONY: deps build-deps configure build test run bench format format-check tidy test-asan clean \
        screenshots fuzz symbol-sheet windows-deps windows-qt windows test-windows windows-dist \
        windows-screenshots bench-windows windows-xlsxwriter takeoff-screenshot

# The targets run one after the other (Ninja builds in parallel): two package checks must not
# run apt-get at the same time.
.NOTPARALLEL:

# Every package, the required ones and those only some tests and tools need (scripts/deps.sh
# lists both); installs what is missing, which needs root.
deps:
	@scripts/deps.sh all

# Only the packages configuring and building need: any user can build once they are there, and a
# missing one stops with the command that installs it.
build-deps:
	@scripts/deps.sh required

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: $(BUILD)/build.ninja

build: build-deps configure
	cmake --build $(BUILD) -j $(JOBS)

# What CI runs: every package, so that no test lacks its tool, then the build and every test.
test: deps build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# sketchcad with the sample plan and the assistant beside it; without a display, the demo
# offscreen into build/demo/.
run: build
	@scripts/run.sh $(BUILD)

# Every page of the main window as a PNG under screenshots/, rendered on a virtual X display.
screenshots: build
	xvfb-run -a env QT_QPA_PLATFORM=xcb $(BUILD)/apps/elecaide --script tests/scripts/screenshots/window.script

# The summary sheet of a take-off over three generated floors, rendered by LibreOffice (which
# only this target needs): screenshots/takeoff_summary.png.
takeoff-screenshot: build
	scripts/takeoff-screenshot.sh $(BUILD) screenshots/takeoff_summary.png

# The same pages of elecaide.exe under Wine on the windows platform, at 100 % and 150 % display
# scaling, and sketchcad.exe with the sample plan: screenshots/windows/.
windows-screenshots: windows
	scripts/windows-screenshots.sh $(BUILD_WIN) screenshots/windows

# The whole symbol library on one PNG (four pages of twenty), to check the drawings by eye.
symbol-sheet: configure
	cmake --build $(BUILD) -j $(JOBS) --target symbol_sheet
	mkdir -p screenshots
	QT_QPA_PLATFORM=offscreen $(BUILD)/tools/symbol_sheet/symbol_sheet screenshots/symbol_sheet.png

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b" --benchmark_counters_tabular=true; done

test-asan: deps
	cmake -S . -B $(BUILD_ASAN) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DELECAIDE_SANITIZE=ON
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	cd $(BUILD_ASAN) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The libFuzzer targets (clang, AddressSanitizer, UBSan), each with its dictionary and seeds:
# the DXF loader seeded with the test drawings, the automation server's message handling and the
# client's answer decoder seeded with the streams remote_seeds writes. FUZZ_SECONDS each.
BUILD_FUZZ   ?= build-fuzz
FUZZ_SECONDS ?= 60
fuzz: configure
	/usr/bin/python3 tests/dxf/make_drawings.py $(BUILD)/tests/dxf/drawings
	cmake -S fuzz -B $(BUILD_FUZZ) $(CMAKE_GEN) -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(BUILD_FUZZ) -j $(JOBS)
	mkdir -p $(BUILD_FUZZ)/corpus $(BUILD_FUZZ)/seeds $(BUILD_FUZZ)/corpus-remote
	cp $(BUILD)/tests/dxf/drawings/*.dxf tests/dxf/fuzz_regressions/* $(BUILD_FUZZ)/seeds/
	$(BUILD_FUZZ)/remote_seeds $(BUILD_FUZZ)/seeds-remote
	[ ! -d tests/cad_remote/fuzz_regressions ] || \
		cp tests/cad_remote/fuzz_regressions/* $(BUILD_FUZZ)/seeds-remote/
	$(BUILD_FUZZ)/fuzz_dxf_load -max_total_time=$(FUZZ_SECONDS) -dict=fuzz/dxf.dict \
		-artifact_prefix=$(BUILD_FUZZ)/ $(BUILD_FUZZ)/corpus $(BUILD_FUZZ)/seeds
	$(BUILD_FUZZ)/fuzz_remote_decode -max_total_time=$(FUZZ_SECONDS) -dict=fuzz/remote.dict \
		-artifact_prefix=$(BUILD_FUZZ)/remote- $(BUILD_FUZZ)/corpus-remote $(BUILD_FUZZ)/seeds-remote

# The Windows build: cross-compiled with mingw-w64 against the Windows Qt in $(BUILD_WIN)/qt6-win64
# (unpacked from ../shared/toolchains, or built from Debian's source where that is missing), its
# tests run under Wine.
BUILD_WIN ?= build-windows
WIN_QT    := $(abspath $(BUILD_WIN))/qt6-win64

windows-deps:
	@scripts/deps.sh windows

windows-qt: windows-deps
	@scripts/windows-qt.sh $(WIN_QT)

# libxlsxwriter for the take-off's workbooks, built from Debian's source (a few seconds, once).
windows-xlsxwriter: windows-deps
	@scripts/build-xlsxwriter-windows.sh $(abspath $(BUILD_WIN))/xlsxwriter-win64

$(BUILD_WIN)/build.ninja:
	cmake -S . -B $(BUILD_WIN) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release \
		-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_PREFIX_PATH=$(WIN_QT) \
		-DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake

windows: windows-qt windows-xlsxwriter $(BUILD_WIN)/build.ninja
	cmake --build $(BUILD_WIN) -j $(JOBS)

# COM's cost under Wine: one call's round trip and three operations against sketchcad.exe.
bench-windows: windows
	$(BUILD_WIN)/wine-run $(BUILD_WIN)/bench/bench_com.exe

# Every test program and script under Wine; the prefixes' servers are ended whatever the outcome.
# Tests that fail run once more, one at a time, and must pass then: Wine now and then fails to
# start a program at all (no output, in a few hundredths of a second). The first failure stays
# in the log.
test-windows: windows
	scripts/wine-session.sh $(BUILD_WIN) start
	cd $(BUILD_WIN) && { ctest --output-on-failure -j $(JOBS) || { \
		echo "test-windows: the failed tests once more, one at a time (Wine now and then fails to start a program):"; \
		ctest --rerun-failed --output-on-failure; }; }; status=$$?; \
		cd $(CURDIR) && scripts/wine-session.sh $(BUILD_WIN) stop; exit $$status

# The zip for drafters, dist/ElecAide-<version>-win64.zip (the version is project()'s in
# CMakeLists.txt): both programs with the DLLs and plugins they load, the usage notes and the
# sample plan. Then checked as a drafter would start it, unzipped under a fresh Wine prefix with
# nothing of the build in reach (scripts/windows-dist-check.sh); the demo's screenshots and logs
# go to $(BUILD_WIN)/windows-dist/check.
windows-dist: windows-qt windows-xlsxwriter $(BUILD_WIN)/build.ninja
	cmake --build $(BUILD_WIN) -j $(JOBS) --target windows_dist
	scripts/windows-dist-check.sh "$$(cat $(BUILD_WIN)/windows-dist/zip-path)" \
		$(BUILD_WIN)/windows-dist/check

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check:
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_WIN)

tidy: configure
	git ls-files 'src/*.cpp' | xargs clang-tidy -p $(BUILD) --quiet
