# The fuzz targets, one source each in fuzz/: read by fuzz/CMakeLists.txt
# (libFuzzer builds with clang) and by the test build (replays of fuzz/corpus).
set(TESSARAN_FUZZ_TARGETS fuzz_record fuzz_color fuzz_text fuzz_import fuzz_dump fuzz_check fuzz_pictures fuzz_history)
