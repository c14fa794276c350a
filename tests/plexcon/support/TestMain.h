// Several QtTest classes in one program: each registers itself, main runs them in turn.
#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

using TestFactory = std::function<std::unique_ptr<QObject>()>;

inline std::vector<std::pair<const char*, TestFactory>>& TestClasses() {
    static std::vector<std::pair<const char*, TestFactory>> classes;
    return classes;
}

#define REGISTER_TEST_CLASS(Class)                                                  \
    static const bool registered##Class = (TestClasses().emplace_back(              \
                                               #Class, [] { return std::make_unique<Class>(); }), \
                                           true)
