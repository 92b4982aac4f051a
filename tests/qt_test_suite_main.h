// The last of the precompiled headers of a qt_test_suite. It turns the `int main(...)` that a
// file's QTEST_MAIN defines into a function of that file, added to the suite under the file's
// name (without folder and extension); the suite's own main runs the one its first argument
// names.
#pragma once

namespace qt_test_suite {
bool add(const char* file, int (*run)(int argc, char* argv[]));
}

#define main                                                 \
    qt_test_suite_declared();                                \
    static int qt_test_suite_main(int argc, char* argv[]);   \
    [[maybe_unused]] static const bool qt_test_suite_added = \
        qt_test_suite::add(__FILE__, qt_test_suite_main);    \
    static int qt_test_suite_main
