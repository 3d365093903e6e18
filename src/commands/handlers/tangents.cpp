// Tangent lines from a point or to two circles, at a given point or a set
// angle.

#include "commands/framework/command_family.h"
#include "commands/handlers/command_handlers.h"

void RegisterTangentCommands() {
  RegisterFamily({.Name = "SeSenTenEn", .Modes = {dtSeSenTenEn}});
  RegisterFamily({.Name = "SeSenEnEn", .Modes = {dtSeSenEnEn}});
  RegisterFamily({.Name = "SesentenSitei", .Modes = {dtSesentenSitei}});
  RegisterFamily({.Name = "SesenKakuSitei", .Modes = {dtSesenKakuSitei}});
}
