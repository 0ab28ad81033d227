// The lit relief's triangles. Its cost grows with the vertices the driver is handed, so a pool
// larger than kExactCells a side is drawn from every k-th node, which keeps a triangle at a few
// pixels in a window of usual size. Blocks holding a wall, an exciter or another fixed cell are
// drawn at full detail, so that a wall one cell wide keeps its place and colour; the coarse
// blocks next to them take the full-detail nodes along the shared edge into a fan, so that the
// surface has no cracks.
#include "render/drawing.h"
#include "sim/engine_state.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace zb {

namespace {

constexpr int32_t kExactCells = 200;

int32_t strideFor(const Pool& p, const LevelOfDetail& lod) {
    if (lod.reliefStride > 0)
        return lod.reliefStride;
    const int32_t cells = std::max(p.sizeX, p.sizeY) - 1;
    return std::max<int32_t>(1, (cells + kExactCells - 1) / kExactCells);
}

// Node positions of the block boundaries along one axis: every k-th node and the last.
std::vector<int32_t> blockEdges(int32_t nodes, int32_t k) {
    std::vector<int32_t> edges;
    for (int32_t i = 0; i < nodes - 1; i += k)
        edges.push_back(i);
    edges.push_back(nodes - 1);
    return edges;
}

// The block(s) whose closed range of nodes holds node i.
template <class F>
void blocksHolding(int32_t i, int32_t k, size_t blocks, F f) {
    const size_t b = std::min(size_t(i / k), blocks - 1);
    f(b);
    if (b > 0 && i == int32_t(b) * k)
        f(b - 1);
}

// Nodes within half a stride of a special node take its colour, so that a wall or exciter
// thinner than a pixel is drawn about as wide as a coarse triangle and in its own colour.
void widenSpecialCells(const Pool& p, int32_t k, std::vector<uint32_t>& widened) {
    widened.clear();
    const int32_t r = k / 2;
    const int64_t nx = p.sizeX, ny = p.sizeY;
    constexpr uint32_t special = kFixedByte | kWallByte | kExciterByte;
    std::vector<uint8_t> taken(size_t(nx * ny), 0);
    for (int64_t j = 0; j < ny; ++j)
        for (int64_t i = 0; i < nx; ++i)
            if (flagWord(p.at(i, j)) & special)
                taken[size_t(i + j * nx)] = 1;
    for (int64_t j = 0; j < ny; ++j) {
        for (int64_t i = 0; i < nx; ++i) {
            if (!(flagWord(p.at(i, j)) & special))
                continue;
            for (int64_t b = std::max<int64_t>(0, j - r); b <= std::min(ny - 1, j + r); ++b)
                for (int64_t a = std::max<int64_t>(0, i - r); a <= std::min(nx - 1, i + r); ++a)
                    if (!taken[size_t(a + b * nx)]) {
                        taken[size_t(a + b * nx)] = 1;
                        widened.push_back(uint32_t(a + b * nx));
                        widened.push_back(uint32_t(i + j * nx));
                    }
        }
    }
}

// Triangles, or for the wire frame the grid's lines: every cell's in a full-detail block, the
// boundary of a coarse one (with every node along a side it shares with a full-detail block).
void buildCoarseElements(const Pool& p, int32_t k, bool lines, std::vector<uint32_t>& out) {
    out.clear();
    const std::vector<int32_t> xs = blockEdges(p.sizeX, k);
    const std::vector<int32_t> ys = blockEdges(p.sizeY, k);
    const size_t bx = xs.size() - 1, by = ys.size() - 1;
    // Full detail: blocks with a special node, and blocks too thin for a fan about a centre.
    std::vector<uint8_t> full(bx * by, 0);
    for (size_t b = 0; b < by; ++b)
        for (size_t a = 0; a < bx; ++a)
            if (xs[a + 1] - xs[a] < 2 || ys[b + 1] - ys[b] < 2)
                full[a + b * bx] = 1;
    constexpr uint32_t special = kFixedByte | kWallByte | kExciterByte;
    for (int32_t j = 0; j < p.sizeY; ++j) {
        const Oscillator* row = &p.oscillators[size_t(j) * size_t(p.sizeX)];
        for (int32_t i = 0; i < p.sizeX; ++i) {
            if (!(flagWord(row[i]) & special))
                continue;
            blocksHolding(j, k, by, [&](size_t b) {
                blocksHolding(i, k, bx, [&](size_t a) { full[a + b * bx] = 1; });
            });
        }
    }

    const uint32_t nx = uint32_t(p.sizeX);
    auto node = [nx](int32_t i, int32_t j) { return uint32_t(i) + uint32_t(j) * nx; };
    auto isFull = [&](size_t a, size_t b) { return full[a + b * bx] != 0; };
    std::vector<uint32_t> loop;
    for (size_t b = 0; b < by; ++b) {
        for (size_t a = 0; a < bx; ++a) {
            const int32_t x0 = xs[a], x1 = xs[a + 1], y0 = ys[b], y1 = ys[b + 1];
            if (isFull(a, b) && lines) {
                for (int32_t j = y0; j <= y1; ++j)
                    for (int32_t i = x0; i <= x1; ++i) {
                        const uint32_t n = node(i, j);
                        if (i < x1)
                            out.insert(out.end(), {n, n + 1});
                        if (j < y1)
                            out.insert(out.end(), {n, n + nx});
                    }
                continue;
            }
            if (isFull(a, b)) {
                // As the full mesh has them: per cell a, b, c and a, c, d.
                for (int32_t i = x0; i < x1; ++i) {
                    for (int32_t j = y0; j < y1; ++j) {
                        const uint32_t n = node(i, j);
                        out.insert(out.end(), {n, n + 1, n + nx + 1, n, n + nx + 1, n + nx});
                    }
                }
                continue;
            }
            const bool below = b > 0 && isFull(a, b - 1);
            const bool right = a + 1 < bx && isFull(a + 1, b);
            const bool above = b + 1 < by && isFull(a, b + 1);
            const bool left = a > 0 && isFull(a - 1, b);
            if (!below && !right && !above && !left && !lines) {
                const uint32_t n0 = node(x0, y0), n1 = node(x1, y0), n2 = node(x1, y1),
                               n3 = node(x0, y1);
                out.insert(out.end(), {n0, n1, n2, n0, n2, n3});
                continue;
            }
            // The boundary in the full mesh's turning sense, with every node along an edge
            // shared with a full-detail block, fanned from a node inside.
            loop.clear();
            for (int32_t i = x0; i < x1; i += below ? 1 : x1 - x0)
                loop.push_back(node(i, y0));
            for (int32_t j = y0; j < y1; j += right ? 1 : y1 - y0)
                loop.push_back(node(x1, j));
            for (int32_t i = x1; i > x0; i -= above ? 1 : x1 - x0)
                loop.push_back(node(i, y1));
            for (int32_t j = y1; j > y0; j -= left ? 1 : y1 - y0)
                loop.push_back(node(x0, j));
            if (lines) {
                for (size_t m = 0; m < loop.size(); ++m)
                    out.insert(out.end(), {loop[m], loop[(m + 1) % loop.size()]});
                continue;
            }
            const uint32_t centre = node(x0 + (x1 - x0) / 2, y0 + (y1 - y0) / 2);
            for (size_t m = 0; m < loop.size(); ++m)
                out.insert(out.end(), {centre, loop[m], loop[(m + 1) % loop.size()]});
        }
    }
}

// The coarse elements over vertices of their own: the nodes used, each with the node whose
// colour it is drawn in.
void buildCoarseMesh(const Pool& p, int32_t k, bool lines, CoarseMesh& mesh) {
    std::vector<uint32_t>& indices = mesh.indices;
    buildCoarseElements(p, k, lines, indices);
    std::vector<uint32_t>& nodes = mesh.nodes;
    nodes = indices;
    std::sort(nodes.begin(), nodes.end());
    nodes.erase(std::unique(nodes.begin(), nodes.end()), nodes.end());
    for (uint32_t& index : indices)
        index = uint32_t(std::lower_bound(nodes.begin(), nodes.end(), index) - nodes.begin());

    std::vector<uint32_t> pairs;
    widenSpecialCells(p, k, pairs);
    std::vector<std::pair<uint32_t, uint32_t>> widened(pairs.size() / 2);
    for (size_t m = 0; m < widened.size(); ++m)
        widened[m] = {pairs[2 * m], pairs[2 * m + 1]};
    std::sort(widened.begin(), widened.end());
    mesh.colorNodes.resize(nodes.size());
    for (size_t v = 0; v < nodes.size(); ++v) {
        const auto w = std::lower_bound(widened.begin(), widened.end(),
                                        std::pair<uint32_t, uint32_t>{nodes[v], 0});
        mesh.colorNodes[v] = w != widened.end() && w->first == nodes[v] ? w->second : nodes[v];
    }
}

ReliefMesh coarseMesh(const uint32_t* displayColors, bool lines) {
    Pool& p = gEngine.pool;
    LevelOfDetail& lod = gEngine.view.lod;
    const int32_t k = strideFor(p, lod);
    if (k <= 1 || p.sizeX < 2 || p.sizeY < 2 || !p.oscillators) {
        if (!(lines ? neededLineIndices(p) : neededTriangleIndices(p))) {
            if (p.oscillators)
                reportRefusedIndexList(p);
            return {nullptr, 0, displayColors, nullptr};
        }
        return lines ? ReliefMesh{p.lineIndices.get(), p.lineIndexCount, displayColors, nullptr}
                     : ReliefMesh{p.triangleIndices.get(), p.triangleIndexCount, displayColors,
                                  nullptr};
    }
    CoarseMesh& mesh = lines ? lod.wire : lod.relief;
    if (mesh.sizeX != p.sizeX || mesh.sizeY != p.sizeY || mesh.stride != k ||
        mesh.generation != lod.cellsGeneration) {
        buildCoarseMesh(p, k, lines, mesh);
        mesh.sizeX = p.sizeX;
        mesh.sizeY = p.sizeY;
        mesh.stride = k;
        mesh.generation = lod.cellsGeneration;
    }
    // Handing the driver the records in place would have it copy every record between the
    // lowest and highest index each frame; the nodes used are a fraction of them.
    const size_t n = mesh.nodes.size();
    mesh.vertices.resize(6 * n);
    mesh.colors.resize(n);
    float* vertex = mesh.vertices.data();
    for (size_t v = 0; v < n; ++v, vertex += 6) {
        const Oscillator& o = p.oscillators[mesh.nodes[v]];
        vertex[0] = o.position.x;
        vertex[1] = o.position.y;
        vertex[2] = o.position.z;
        vertex[3] = o.normal.x;
        vertex[4] = o.normal.y;
        vertex[5] = o.normal.z;
        const uint32_t c = mesh.colorNodes[v];
        mesh.colors[v] = displayColors ? displayColors[c] : rgbaBytes(p.oscillators[c].color);
    }
    return {mesh.indices.data(), mesh.indices.size(), mesh.colors.data(), mesh.vertices.data()};
}

} // namespace

ReliefMesh reliefMesh(const uint32_t* displayColors) {
    return coarseMesh(displayColors, false);
}

ReliefMesh wireMesh(const uint32_t* displayColors) {
    return coarseMesh(displayColors, true);
}

} // namespace zb
