/*
 * zbengine.h - the wave engine of Zitterbecken.
 *
 * A ripple tank as a rectangular net of coupled oscillators: build a pool, place exciters,
 * walls with slits, material changes, damped edges and measuring screens in it, then advance
 * it one time step per call. There is one engine per process; every function works on its
 * single global state, hands out no handles and never reports errors beyond its documented
 * results. Positions are oscillator indices from 0 (column x from the left, row y from the
 * top of the flat view); angles are whole degrees; time is in engine time units.
 *
 * The engine draws itself into an X11 window handed over once (ZBDLL_CreateFromHwnd); until then,
 * and on a machine without a display, everything but drawing works.
 *
 * The calls must come from one thread. A tank is always sent completely: ZBDLL_ResetAll,
 * ZBDLL_CreateEmptyPool, the material changes sorted by start row, walls/screens/exciters in
 * the tank's order, ZBDLL_AddEdges last.
 */
#ifndef ZBENGINE_H
#define ZBENGINE_H

#include <stdbool.h>
#include <stdint.h>

#define ZBDLL_API __attribute__((visibility("default")))

#ifdef __cplusplus
extern "C" {
#endif

/* Pool and objects */
ZBDLL_API void ZBDLL_ResetAll(void); /* discards the pool; run state back to its reset values */
ZBDLL_API int32_t ZBDLL_CreateEmptyPool(int32_t sizeX, int32_t sizeY, /* oscillators */
                                        double damping,   /* fraction: 0 free .. 1 still */
                                        double coupling,  /* spring constant, >= 0 */
                                        int32_t edgeWidth /* oscillators, for AddEdges */
);                                                        /* always 0 */
ZBDLL_API int32_t ZBDLL_CheckPoolSize(int32_t sizeX, int32_t sizeY, /* oscillators */
                                      uint64_t* neededBytes,        /* may be null */
                                      uint64_t* availableBytes      /* may be null */
);
/* Whether ZBDLL_CreateEmptyPool would build a pool of this size now, for a host that wants to
   say why before it sends a tank. neededBytes: what the pool's arrays take; availableBytes: what
   a pool may take now, three quarters of the memory the system has available, the current
   pool's counted as free since a new pool replaces it. 0 it fits; 1 too small (a side below 1,
   or 1 x 1); 2 too many oscillators for the engine's 32-bit indices;
   3 needs more than availableBytes. */
ZBDLL_API void ZBDLL_AddMatChange(int32_t startY, /* first row of the new material */
                                  double coupling, double damping);
ZBDLL_API void ZBDLL_AddWall(int32_t centerX, int32_t centerY, int32_t angle /* degrees */,
                             int32_t length, int32_t slitCount, int32_t slitWidth,
                             int32_t barWidth /* wall between two slits */);
ZBDLL_API int32_t ZBDLL_AddScreen(int32_t position, /* row or column from 0 */
                                  bool horizontal); /* number of screens held, at most 5 */
ZBDLL_API void ZBDLL_AddExciter(int32_t centerX, int32_t centerY, int32_t width, int32_t length,
                                int32_t angle,    /* degrees */
                                double omega,     /* radians per engine time unit */
                                double amplitude, /* elongation units */
                                bool sineMode);   /* true: prescribed sine displacement */
ZBDLL_API void ZBDLL_AddEdges(bool back, bool front, bool left, bool right); /* row 0, last row,
                                                                               column 0, last */

/* Run control */
ZBDLL_API uint8_t ZBDLL_NextFrame(void);              /* one time step unless paused; always 0 */
ZBDLL_API void ZBDLL_SetPaused(bool paused);          /* true after load and reset */
ZBDLL_API void ZBDLL_SetSimulationSpeed(float speed); /* time step dt, engine time units */
ZBDLL_API void ZBDLL_EnableExciters(bool enabled);    /* false: exciters move like water */

/* Drawing and view */
ZBDLL_API int32_t ZBDLL_CreateFromHwnd(uintptr_t window,              /* X11 window id */
                                       int32_t width, int32_t height, /* pixels */
                                       const char* basePath);         /* program folder, read during
                                                                         the call; data lie below it */
/* 0 on success; -3 no display or window, -4 no suitable GL configuration, -5 window visual
   unusable, -6 context creation failed, -7 context could not be made current. */
ZBDLL_API int32_t ZBDLL_SetWindow(uintptr_t window,               /* X11 window id; 0 detaches */
                                  int32_t width, int32_t height); /* pixels */
/* Draws into another window from now on, keeping the context, its textures and the pool: for a
   host whose native window was destroyed and created anew. Detached, repaints draw nothing and
   return false. A window that vanishes without this call is let go of at the next repaint.
   0 on success; -3, -5, -7 as above; -6 when no context was created. */
ZBDLL_API void ZBDLL_Resize(int32_t width, int32_t height);  /* pixels; 0 is ignored */
ZBDLL_API void ZBDLL_Reshape(int32_t width, int32_t height); /* the same function */
ZBDLL_API void ZBDLL_Set3dMode(bool enabled);                /* false: flat top view for editing */
ZBDLL_API bool ZBDLL_RepaintScene(bool drawScreens,          /* screen boxes in the scene */
                                  bool drawProfiles);        /* profile panel at the bottom */
/* true when a frame was drawn and presented */
ZBDLL_API int32_t ZBDLL_ReadFrame(bool drawScreens, bool drawProfiles, /* as RepaintScene */
                                  uint8_t* rgb, int64_t capacity,      /* bytes at rgb */
                                  int32_t* width, int32_t* height);    /* pixels, may be NULL */
/* Draws the picture as RepaintScene does, without a time step, and copies what the window shows
   of it into rgb: 3 bytes (red, green, blue) per pixel, rows from the top, width * height * 3
   bytes; the frame is then presented. The size is stored whatever the result (0 when there is
   nothing to read). 0 on success; -6 without a context, a window or a pool; -8 when capacity is
   too small. */
ZBDLL_API void ZBDLL_SetCamera(double eyeX, double eyeY, double eyeZ, /* world units, y up */
                               double targetY, double targetZ); /* the target has the eye's x */
ZBDLL_API void ZBDLL_SetPoolAngle(double angle); /* degrees about the vertical axis */
ZBDLL_API void ZBDLL_SetViewParameters(bool translucentScreens, bool wireframe);
/* Marks over the flat view, for the editor: a selection's outline and its handles. Positions in
   oscillators (column i, row j), fractions allowed; kept until cleared, whatever the pool. */
ZBDLL_API void ZBDLL_ClearMarks(void);
ZBDLL_API void ZBDLL_AddMarkLine(double i0, double j0, double i1, double j1); /* 2 px, orange */
ZBDLL_API void ZBDLL_AddMarkHandle(double i, double j); /* a square of 9 px, orange on black */
/* Display beyond the designed colours. Every default leaves the picture as designed; none of these
   changes a single value the simulation computes. */
ZBDLL_API void ZBDLL_SetColorMode(int32_t mode);
/* How water cells are coloured in every view: 0 the designed colours (default); 1 by elevation,
   a diverging scale from troughs (blue) through white to crests (red) whose range follows the
   bulk of the waves; 2 by the time average of the elevation squared (intensity), dark to light.
   The intensity is averaged only while mode 2 is set: it starts afresh when the mode is set, the
   pool built or the run reset, and stays dark until the next step. Walls, exciters and marks keep
   their own colours; material changes tint the scale as they tint the water. Other values count
   as 0. */
ZBDLL_API void ZBDLL_SetHeightScale(float scale);    /* factor on the drawn heights only; 1 default;
                                                        not finite or <= 0 counts as 1 */
ZBDLL_API void ZBDLL_SetScreenIntensity(bool shown); /* the screen panel draws each screen's
                                                        time-averaged intensity I over its
                                                        profile, in orange, as the envelope
                                                        +-sqrt(2 I) on the profile's scale;
                                                        false default */
ZBDLL_API int32_t ZBDLL_ReadScreenIntensity(int32_t screen, /* 0-based, in the order added */
                                            float* values, int32_t capacity);
/* The time average of the elevation squared along a screen, one value per oscillator of its row
   or column from the left or top. Every step counts, from the pool's build (or the run's reset) on:
   the plain mean until two periods of the slowest exciter have passed (400 steps without one),
   exponential with that time constant afterwards; 0 before the first step. Returns the number of
   values the screen has (0 for a line outside the pool; also when capacity is smaller: then
   nothing is written), or -1 for a screen that does not exist. */
ZBDLL_API int32_t ZBDLL_MarkNonFinite(void);
/* How many oscillators have a height that a time step left no finite number (infinite or NaN,
   also an elongation beyond float's range): the field has broken down, which a time step above
   the stable one or a value outside its range causes; 0 without a pool and after the pool was
   built. The steps notice such a height as they compute it, so that this call costs nothing while
   the field is sound, and one pass over the oscillators once it is broken. The cells found are
   drawn in violet (red 200, green 0, blue 200) at rest height in every view, until the next call
   or until the pool is built anew. The field itself is left as it is. */
ZBDLL_API double ZBDLL_GetSimulationTime(void); /* simulated time since the pool was built,
                                                   engine time units; 0 after ResetAll */

/* Probes: single oscillators whose elongation the engine records at every time step, for a host
   that plots or stores them. Added with the tank like screens; ResetAll discards them. */
ZBDLL_API int32_t ZBDLL_AddProbe(int32_t x, int32_t y, /* oscillator, 0-based */
                                 uint32_t rgb);        /* marker colour 0xRRGGBB */
/* Returns the number of probes held, at most 8 (further ones are ignored). A probe outside the
   pool is kept and records NaN. Probes are drawn as small markers in the flat and 3-D views. */
ZBDLL_API int32_t ZBDLL_ReadProbes(float* values, int32_t capacity);
/* Takes the samples recorded since the last call (or since the probes were added): for each time
   step, one elongation per probe in the order added, step after step. Returns the number of steps
   taken, at most capacity / probe count; older samples beyond the engine's store of 4096 steps are
   dropped. 0 without probes. */
/* Objects of the extended tank (moving and pulsed exciters, shaped media, curved walls, quiet
   edges). They are sent in the same place as their designed relatives: media after the material
   changes and before the walls, curved walls among the walls in the tank's order, ZBDLL_SetEdgeKind
   before ZBDLL_AddEdges. A tank that uses none of them is built exactly as before. */
ZBDLL_API void ZBDLL_SetExciterMotion(double vx, double vy,  /* oscillators per engine time unit */
                                      int32_t pulsePeriods); /* 0 continuous, 1..10 a pulse */
/* Applies to the exciter added last (ZBDLL_AddExciter), called before the next one is added.
   A moving exciter starts at its centre at simulation time 0, drives the cells under it in
   proportion to their overlap (its footprint shifted by bilinear weights), and stops where its
   centre reaches the pool's border; the cells it leaves are what lay under it again. A pulse
   swings pulsePeriods periods under a sin² envelope from time 0, then the cells move like water
   (ZBDLL_EnableExciters(false) stops every drive, as for resting exciters). In sineMode a cell of
   weight w is pulled towards the prescribed displacement in proportion to w instead of being held
   on it, so that the drive glides between cells; a whole cell follows it as at rest. Speeds above
   the wave speed are allowed. (0, 0, 0) leaves the exciter exactly as it was. Ignored without an
   exciter; values outside the ranges are clamped. */
ZBDLL_API void ZBDLL_TriggerPulse(void);      /* every pulsed exciter starts its pulse again now */
ZBDLL_API void ZBDLL_AddMedium(int32_t shape, /* 0 rectangle, 1 ellipse, 2 triangle */
                               double centerX, double centerY, /* oscillators */
                               double width, double height,    /* oscillators, the full extent */
                               double angle,                   /* degrees, counter-clockwise */
                               double coupling, double damping /* as ZBDLL_AddMatChange */);
/* Cells inside the shape take the medium's coupling and damping and its tint (blue as the damping
   factor, the outline marked as a material change's first row); walls and exciters already there
   stay as they are. The angle turns the shape as ZBDLL_AddWall turns a wall: counter-clockwise in
   the flat view, width along the wall's length. The triangle is isosceles: apex at the top of its
   box before turning. */
ZBDLL_API void ZBDLL_AddArcWall(double centerX, double centerY, double radius, /* oscillators */
                                double startAngle, double endAngle, /* degrees, ccw from +x */
                                int32_t thickness,                  /* oscillators, >= 1 */
                                int32_t slitCount, int32_t slitWidth, int32_t barWidth);
/* A wall along a circular arc, from start counter-clockwise to end (equal angles: the full
   circle); slits are centred on the arc's middle, measured along the arc. Curved walls hold every
   cell within thickness/2 of the curve (at least 1/2), so that even a thin one lets no wave
   through. */
ZBDLL_API void ZBDLL_AddParabolaWall(double focusX, double focusY, /* oscillators */
                                     double focalLength,           /* oscillators, > 0 */
                                     double angle, /* degrees: direction the mirror opens to */
                                     double width, /* aperture across the axis, oscillators */
                                     int32_t thickness, int32_t slitCount, int32_t slitWidth,
                                     int32_t barWidth);
/* A wall along the parabola with that focus, its vertex focalLength behind the focus; the width
   is measured across the axis; slits are centred on the vertex, measured along the curve. */
ZBDLL_API void ZBDLL_SetEdgeKind(int32_t kind); /* 0 the designed damped edges (default),
                                                   1 quiet edges that hardly reflect */
/* Applies to the next ZBDLL_AddEdges only (a tank that does not ask gets the designed edges).
   Quiet edges damp at a rate per time unit and slow the waves over the band; their factors follow
   ZBDLL_SetSimulationSpeed. */

ZBDLL_API void ZBDLL_SetMessageHandler(void (*handler)(const char* title, const char* text));
/* shows the engine's messages (unreadable background pictures); none: standard error */

#ifdef __cplusplus
}
#endif

#endif /* ZBENGINE_H */
