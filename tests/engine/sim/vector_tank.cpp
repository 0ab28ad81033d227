#include "vector_tank.h"

#include "zbengine.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace zb::test {

namespace {

class Bytes {
  public:
    explicit Bytes(std::vector<char> data) : data_(std::move(data)) {}
    template <class T>
    T read() {
        if (pos_ + sizeof(T) > data_.size())
            throw std::runtime_error("tank file truncated");
        T v;
        std::memcpy(&v, data_.data() + pos_, sizeof v);
        pos_ += sizeof v;
        return v;
    }
    bool readBool() { return read<uint8_t>() != 0; }
    void skip(size_t n) { pos_ += n; }

  private:
    std::vector<char> data_;
    size_t pos_ = 0;
};

} // namespace

VectorTank readVectorTank(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    Bytes b(std::vector<char>(std::istreambuf_iterator<char>(in), {}));
    VectorTank t;
    const int32_t version = b.read<int32_t>();
    if (version != 1 && version != 2)
        throw std::runtime_error("unknown version");
    t.sizeX = b.read<int32_t>();
    t.sizeY = b.read<int32_t>();
    t.back = b.readBool();
    t.front = b.readBool();
    t.left = b.readBool();
    t.right = b.readBool();
    t.damping = b.read<double>();
    t.coupling = b.read<double>();
    t.edgeWidth = b.read<int32_t>();
    const int32_t count = b.read<int32_t>();
    for (int32_t n = 1; n < count; ++n) {
        VectorTankObject o;
        b.skip(256);
        o.kind = b.read<int32_t>();
        switch (o.kind) {
        case 1:
            for (int k = 0; k < 7; ++k)
                o.ints[k] = b.read<int32_t>();
            break;
        case 2:
            o.ints[0] = b.read<int32_t>();
            o.flag = b.readBool();
            break;
        case 3:
            o.ints[0] = b.read<int32_t>();
            o.reals[0] = b.read<double>();
            o.reals[1] = b.read<double>();
            break;
        case 4:
            b.readBool(); // a marker without effect
            for (int k = 0; k < 5; ++k)
                o.ints[k] = b.read<int32_t>();
            o.reals[0] = b.read<double>();
            o.reals[1] = b.read<double>();
            if (version == 2)
                o.flag = b.readBool();
            break;
        default:
            break;
        }
        t.objects.push_back(o);
    }
    return t;
}

void transferVectorTank(const VectorTank& t) {
    std::vector<const VectorTankObject*> materials;
    for (const VectorTankObject& o : t.objects)
        if (o.kind == 3)
            materials.push_back(&o);
    std::stable_sort(materials.begin(), materials.end(),
                     [](auto* a, auto* b) { return a->ints[0] < b->ints[0]; });

    ZBDLL_ResetAll();
    ZBDLL_CreateEmptyPool(t.sizeX, t.sizeY, t.damping, t.coupling, t.edgeWidth);
    for (const VectorTankObject* m : materials)
        ZBDLL_AddMatChange(m->ints[0], m->reals[0], m->reals[1]);
    for (const VectorTankObject& o : t.objects) {
        const int32_t* v = o.ints;
        if (o.kind == 1)
            ZBDLL_AddWall(v[0], v[1], v[2], v[3], v[4], v[5], v[6] - v[5]);
        else if (o.kind == 2)
            ZBDLL_AddScreen(v[0] - 1, o.flag);
        else if (o.kind == 4)
            ZBDLL_AddExciter(v[0], v[1], v[2], v[3], v[4], o.reals[0],
                             o.flag ? o.reals[1] : 2 * o.reals[1], o.flag);
    }
    ZBDLL_AddEdges(t.back, t.front, t.left, t.right);
}

} // namespace zb::test
