/*
 * zbengine_tools.h - what the project's own tools read of the engine beyond zbengine.h.
 *
 * zbtool and the picture generators run the engine headless and then read its results: the
 * heights and flags of every oscillator and the screens' lines. This header is the only way
 * they reach the engine's state; the state's records stay the engine's own. The functions are
 * linked statically into the tools and are not part of the shared library's interface.
 *
 * The rules of zbengine.h hold: one engine per process, calls from one thread, nothing fails
 * beyond the documented results. Positions are oscillator indices from 0 (column i from the
 * left, row j from the top of the flat view).
 */
#ifndef ZBENGINE_TOOLS_H
#define ZBENGINE_TOOLS_H

#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#define ZBTOOLS_API __attribute__((visibility("hidden")))

/* Screens the engine holds; ZBDLL_AddScreen ignores further ones. */
#define ZBTOOLS_MAX_SCREENS 5

#ifdef __cplusplus
extern "C" {
#endif

/* The pool's oscillators in place, read-only. Node (i, j) is node k = i + j * sizeX; each
   pointer points at node 0's value, and node k's value lies k * stride bytes further on (the
   stride is the same for every field). The pointers stay valid, and the values follow every
   time step, until the pool is built anew or discarded (ZBDLL_ResetAll, ZBDLL_CreateEmptyPool);
   ask again after those. */
typedef struct ZBTOOLS_PoolView {
    int32_t sizeX;            /* columns; kept when the engine refused the size */
    int32_t sizeY;            /* rows */
    bool exists;              /* a pool was built; false: every pointer below is null */
    size_t stride;            /* bytes from one node's value to the next node's */
    const double* elongation; /* displacement from rest */
    const float* height;      /* the float copy of the elongation that is drawn */
    const bool* fixed;        /* the step leaves the node alone */
    const bool* wall;         /* with fixed: a wall node */
    const bool* exciter;      /* a driven node */
} ZBTOOLS_PoolView;

ZBTOOLS_API ZBTOOLS_PoolView ZBTOOLS_GetPool(void);

/* Node k's values from a view that holds a pool, k < sizeX * sizeY. Inline, so that a scan over
   millions of nodes costs no call per node. */
static inline double ZBTOOLS_Elongation(const ZBTOOLS_PoolView* pool, size_t k) {
    double v;
    memcpy(&v, (const unsigned char*)pool->elongation + k * pool->stride, sizeof v);
    return v;
}
static inline float ZBTOOLS_Height(const ZBTOOLS_PoolView* pool, size_t k) {
    float v;
    memcpy(&v, (const unsigned char*)pool->height + k * pool->stride, sizeof v);
    return v;
}
static inline bool ZBTOOLS_IsWall(const ZBTOOLS_PoolView* pool, size_t k) {
    bool fixed, wall;
    memcpy(&fixed, (const unsigned char*)pool->fixed + k * pool->stride, sizeof fixed);
    memcpy(&wall, (const unsigned char*)pool->wall + k * pool->stride, sizeof wall);
    return fixed && wall;
}
static inline bool ZBTOOLS_IsExciter(const ZBTOOLS_PoolView* pool, size_t k) {
    bool exciter;
    memcpy(&exciter, (const unsigned char*)pool->exciter + k * pool->stride, sizeof exciter);
    return exciter;
}

/* A measuring screen as the engine holds it. */
typedef struct ZBTOOLS_Screen {
    int32_t position; /* row (horizontal) or column (vertical) from 0; may lie outside the pool,
                         the engine does not check it */
    bool horizontal;
} ZBTOOLS_Screen;

ZBTOOLS_API int32_t ZBTOOLS_GetScreens(ZBTOOLS_Screen* screens, int32_t capacity);
/* Copies the screens held, in the order added, and returns their number (at most
   ZBTOOLS_MAX_SCREENS); nothing is written when capacity is smaller. ZBDLL_CreateEmptyPool
   clears them, also when it refuses the size, so that a tank without a pool still has its
   screens. */

ZBTOOLS_API void ZBTOOLS_SetHeadless(bool headless);
/* true: nothing is drawn in this process. Pools built from then on get no index lists and the
   steps leave the normals alone, which only the drawing reads; no height changes. Kept across
   ZBDLL_ResetAll; false at load, and again once a drawing context is created. */

ZBTOOLS_API void ZBTOOLS_SetStepThreads(int32_t threads);
/* 1 or 2: the threads of every step from then on, where the pool has at least 300 x 300
   oscillators (smaller ones take one); 0 (at load): two where the machine has two cores. The
   results are the same bits with either. The environment variable ZB_THREADS (1 or 2), meant
   for tests, overrides this for pools of every size. */

#ifdef __cplusplus
}
#endif

#endif /* ZBENGINE_TOOLS_H */
