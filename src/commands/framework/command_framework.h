#pragma once
// The command framework: the idle handlers, the helpers every command
// shares, the cursor shapes, the ring cursor and the grid display. The
// handlers are operations of TcadBox defined in this folder; the canvas
// calls them through the command registry, which RegisterCommandFramework
// fills. The application calls it once at start, before any mouse event.

#include "canvas/command_modes.h"
#include "platform/custom_control.h"

void RegisterCommandFramework();

// A line direction in degrees as a grid angle in [0, 90): the grid looks
// the same every quarter turn.
double GridAngleOfLine(double angle);

// The modes in which the ring cursor shows when RingHan is 1.
bool IsRingMode(Sbuttontype mode);

// A move handler shows its prompt and rubber band only while no mouse button
// is held (Shift or Ctrl alone allowed): a held button is a drag.
bool NoMouseButtonHeld(TShiftState shift);
