// Window test classes register themselves; one program runs them all under one application.
#pragma once

#include <QObject>

#include <functional>
#include <vector>

namespace zb::ui::test {

using TestFactory = std::function<QObject*()>;
std::vector<TestFactory>& testFactories();

template <class T>
struct RegisterTest {
    RegisterTest() {
        testFactories().push_back([] { return new T; });
    }
};

} // namespace zb::ui::test
