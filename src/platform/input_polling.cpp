#include "platform/input_polling.h"

#include "geometry/ellipse_intersections.h"

namespace {

class NothingHeld : public InputPolling {
 public:
  bool IsHeld(PolledKey) const override { return false; }
  bool CursorPos(int&, int&) const override { return false; }
};

NothingHeld nothingHeld;
InputPolling* current = &nothingHeld;

}  // namespace

InputPolling& CurrentInputPolling() { return *current; }

void InstallInputPolling(InputPolling* source) {
  current = source ? source : &nothingHeld;
  // The crossing searches below the platform stop on the same buttons.
  InstallCrossingSearchStop(source ? &BothMouseButtonsHeld : nullptr);
}
