// Runs every registered test class; a first argument naming a class runs that one only (the rest go to QtTest).
#include <QApplication>
#include <QTest>

#include <cstring>
#include <vector>

#include "support/TestMain.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const char* only = argc > 1 && argv[1][0] != '-' ? argv[1] : nullptr;
    std::vector<char*> args(argv, argv + argc);
    bool onlyIsClass = false;
    for (auto& [name, make] : TestClasses()) onlyIsClass |= only && std::strcmp(only, name) == 0;
    if (onlyIsClass) args.erase(args.begin() + 1);
    int failures = 0;
    for (auto& [name, make] : TestClasses()) {
        if (onlyIsClass && std::strcmp(only, name) != 0) continue;
        auto test = make();
        failures += QTest::qExec(test.get(), static_cast<int>(args.size()), args.data());
    }
    return failures == 0 ? 0 : 1;
}
