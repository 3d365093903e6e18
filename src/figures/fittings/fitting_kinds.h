#pragma once
// The door and window kinds of the figure generator live above it; the
// program adds them to its kind table once at start, before any figure is
// generated.

void RegisterFittingKinds();
