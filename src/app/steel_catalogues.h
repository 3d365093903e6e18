#pragma once
// The built-in steel catalogues of the member dialog: rows of 32-bit values
// in millimetres (and cm⁴, cm² where a row carries its own section values),
// their designations as the catalogue box lists them, and the I and A each
// row gives a member.

#include <array>
#include <string>
#include <vector>

#include "platform/grid_cells.h"

// The shape buttons of the member list, in the order of their buttons.
enum class SteelFamily { NarrowH, MediumH, WideH, Box, Pipe, Angle, Channel, FlatBar };

// One catalogue row as a family hands it on: the designation and five
// values (the row's fields; for the channel H, B, t1, I, area).
struct RCatalogueRow {
  std::string Designation;  // empty for an index outside the table
  std::array<float, 5> Values{};
};

RCatalogueRow CatalogueNarrowH(int index);
RCatalogueRow CatalogueMediumH(int index);
RCatalogueRow CatalogueWideH(int index);
RCatalogueRow CataloguePipe(int index);
RCatalogueRow CatalogueBox(int index);
RCatalogueRow CatalogueAngle(int index);
RCatalogueRow CatalogueChannel(int index);

int CatalogueRowCount(SteelFamily family);
RCatalogueRow CatalogueRow(SteelFamily family, int index);
// The items of the catalogue box: a single blank, then every designation.
std::vector<std::string> CatalogueItems(SteelFamily family);
// I (cm⁴) and A (cm²) of a row; false, outputs untouched, outside the table.
bool CatalogueSection(SteelFamily family, int index, double& I, double& A);
