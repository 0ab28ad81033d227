// The hand-made tanks in tests/data/unstable-values/, with which no time step is stable, and the
// reason the program and zbtool give for refusing each.
#pragma once

namespace zb::test {

struct UnstableTank {
    const char* file;
    const char* reason;
};

inline constexpr UnstableTank kUnstableTanks[] = {
    {"coupling-minus-4.zb", "Die Kopplung des Beckens ist −4; erlaubt sind Werte ab 0."},
    {"material-coupling-minus-3.zb",
     "Die Kopplung des Materialübergangs „Glas“ ist −3; erlaubt sind Werte ab 0."},
    {"damping-minus-1-percent.zb",
     "Die Dämpfung des Beckens ist −1 %; erlaubt sind Werte von 0 % bis 100 %."},
    {"damping-5.zb", "Die Dämpfung des Beckens ist 500 %; erlaubt sind Werte von 0 % bis 100 %."},
};

} // namespace zb::test
