// The main of a qt_test_suite: runs the Qt Test file its first argument names, with the
// remaining arguments, as that file's own main would have. Without a known name it lists them.
#include <cstdio>
#include <map>
#include <string>

namespace qt_test_suite {

using Run = int (*)(int argc, char* argv[]);

namespace {

std::map<std::string, Run>& tests() {
    static std::map<std::string, Run> byName;
    return byName;
}

}  // namespace

bool add(const char* file, Run run) {
    std::string name(file);
    name.erase(0, name.find_last_of('/') + 1);
    name.erase(name.find_last_of('.'));
    tests()[name] = run;
    return true;
}

}  // namespace qt_test_suite

int main(int argc, char* argv[]) {
    const auto& tests = qt_test_suite::tests();
    if (argc >= 2) {
        if (const auto test = tests.find(argv[1]); test != tests.end()) {
            // The test sees the program's name and its own arguments.
            argv[1] = argv[0];
            return test->second(argc - 1, argv + 1);
        }
    }
    std::fprintf(stderr, "usage: %s TEST [Qt Test arguments]\ntests:", argv[0]);
    for (const auto& [name, run] : tests) std::fprintf(stderr, " %s", name.c_str());
    std::fprintf(stderr, "\n");
    return 2;
}
