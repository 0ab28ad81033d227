// Tank files laid out by hand, field by field in little-endian order, so that the tests read and
// compare against bytes that do not come from the writer under test.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace zb::test {

// The fields every version shares; a test's own Bytes derives from it and adds its records.
template <class Self>
struct TankBytes {
    std::vector<uint8_t> b;

    template <class T>
    Self& put(T v) {
        const auto* p = reinterpret_cast<const uint8_t*>(&v);
        b.insert(b.end(), p, p + sizeof v);
        return self();
    }
    Self& flag(bool v) { return put<uint8_t>(v ? 1 : 0); }
    Self& ints(std::initializer_list<int32_t> values) {
        for (int32_t v : values)
            put(v);
        return self();
    }
    // The 256-byte name field: its length, the CP1252 text, then filler.
    Self& name(const std::string& cp1252, uint8_t filler = 0) {
        b.push_back(uint8_t(cp1252.size()));
        b.insert(b.end(), cp1252.begin(), cp1252.end());
        b.insert(b.end(), 255 - cp1252.size(), filler);
        return self();
    }

  private:
    Self& self() { return static_cast<Self&>(*this); }
};

} // namespace zb::test
