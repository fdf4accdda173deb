# Sourced by scripts/test and scripts/fuzz: how the sanitizer build reports.
# Every finding ends the program with an error; leaks inside the libraries
# listed in tests/lsan.supp are not ours and are left out. The web engine
# frees some of its objects with a size not their own (sized delete), so that
# one check is off.
export ASAN_OPTIONS="detect_leaks=1:check_initialization_order=1:detect_stack_use_after_return=1:new_delete_type_mismatch=0"
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
