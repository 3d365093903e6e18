#include "geometry/input_polling.h"

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

void InstallInputPolling(InputPolling* source) { current = source ? source : &nothingHeld; }
