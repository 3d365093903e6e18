// The rows of the fitting kinds in the generator's kind table.

#include "figures/fittings/fitting_kinds.h"

#include "figures/sections/section_generator.h"

namespace {

// Every fitting length is divided by the figure scale.
constexpr RFigureKindRow kFittingKinds[] = {
    {40, 40, [](TBuzaidanmenobj& f) { f.MakeDefinedFittingPlan(); }, true},
    {50, 50, [](TBuzaidanmenobj& f) { f.MakePostSymbol(); }, true},
    {51, 51, [](TBuzaidanmenobj& f) { f.MakeFittingElevation51(); }, true},
    {52, 52, [](TBuzaidanmenobj& f) { f.MakeFittingElevation52(); }, true},
    {53, 53, [](TBuzaidanmenobj& f) { f.MakeFittingElevation53(); }, true},
    {54, 54, [](TBuzaidanmenobj& f) { f.MakeFittingElevation54(); }, true},
    {55, 55, [](TBuzaidanmenobj& f) { f.MakeFittingElevation55(); }, true},
    {56, 56, [](TBuzaidanmenobj& f) { f.MakeFittingElevation56(); }, true},
    {61, 61, [](TBuzaidanmenobj& f) { f.MakeFittingPlan61(); }, true},
    {62, 62, [](TBuzaidanmenobj& f) { f.MakeFittingPlan62(); }, true},
    {63, 63, [](TBuzaidanmenobj& f) { f.MakeFittingPlan63(); }, true},
    {64, 64, [](TBuzaidanmenobj& f) { f.MakeFittingPlan64(); }, true},
    {65, 65, [](TBuzaidanmenobj& f) { f.MakeFittingPlan65(); }, true},
    {66, 66, [](TBuzaidanmenobj& f) { f.MakeFittingPlan66(); }, true},
    {67, 67, [](TBuzaidanmenobj& f) { f.MakeFittingPlan67(); }, true},
    {68, 68, [](TBuzaidanmenobj& f) { f.MakeFittingPlan68(); }, true},
    {69, 69, [](TBuzaidanmenobj& f) { f.MakeFittingPlan69(); }, true},
    {70, 70, [](TBuzaidanmenobj& f) { f.MakeFittingPlan70(); }, true},
    {71, 71, [](TBuzaidanmenobj& f) { f.MakeFittingPlan71(); }, true},
    {72, 72, [](TBuzaidanmenobj& f) { f.MakeFittingPlan72(); }, true},
    {73, 73, [](TBuzaidanmenobj& f) { f.MakeFittingPlan73(); }, true},
    {74, 74, [](TBuzaidanmenobj& f) { f.MakeFittingPlan74(); }, true},
    {75, 75, [](TBuzaidanmenobj& f) { f.MakeFittingPlan75(); }, true},
    {76, 76, [](TBuzaidanmenobj& f) { f.MakeFittingPlan76(); }, true},
    {77, 77, [](TBuzaidanmenobj& f) { f.MakeFittingPlan77(); }, true},
};

}  // namespace

void RegisterFittingKinds() { RegisterFigureKinds(kFittingKinds); }
