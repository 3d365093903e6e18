#include "platform/input_polling.h"

#include "geometry/ellipse_intersections.h"

namespace {

class NothingHeld : public InputPolling {
 public:
  bool IsHeld(PolledKey) const override { return false; }
  bool CursorPos(int&, int&) const override { return false; }
};

NothingHeld nothingHeld;
InputPolling* installedSource = &nothingHeld;

}  // namespace

InputPolling& CurrentInputPolling() { return *installedSource; }

void InstallInputPolling(InputPolling* source) {
  installedSource = source ? source : &nothingHeld;
  // The crossing searches below the platform stop on the same buttons.
  InstallCrossingSearchStop(source ? &BothMouseButtonsHeld : nullptr);
}
