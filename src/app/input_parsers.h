#pragma once
// The parsers of the four input tables into the frame model. They read the
// cell texts of the grids (code page 932) and run without any window, so
// the collection before a calculation and the tests call them directly.
//
// An empty cell reads as its fixed default; full-width digits, signs and
// points read as their half-width forms. A cell that is no number, or a
// number beyond anything a frame holds, is refused naming its column. Every
// parser returns false when it refused its table: the reason has been shown
// in a message box naming the dialog and the row, the tables it owns in the
// model hold nothing of the refused input, and the caller stops collecting
// so that no calculation runs on a partial model. No parser writes outside
// the model's tables.

#include <string>
#include <string_view>

#include "analysis/frame_model.h"
#include "app/steel_catalogues.h"
#include "platform/grid_cells.h"

// The titles of two of the dialogs; a refusal of their tables names them.
inline constexpr char kCoordinateDialogTitle[] = "座標入力";
inline constexpr char kSupportDialogTitle[] = "支点セット";

// Coordinates: rows 1.. of X and Y in metres (columns 1, 2) up to the first
// row with both cells empty. A row above it with one cell empty, or with a
// cell that is no number, is refused.
bool ParseCoordinates(const GridCells& coordinates, RFrameModel& model);

// Supports: node number (column 1) and support code (column 2, " 111 固定"
// and the like: characters 2 to 4 are the x, y, rotation flags).
bool ParseSupports(const GridCells& supports, RFrameModel& model);

// Members: the B x D calculation of both lists, the user moduli of
// structures 6 to 9, the sections of the member list and the placement
// rows. Writes the B x D results into the lists and the swapped end nodes
// into the placement table. Reads NodeCount, so it runs after the
// coordinates.
bool ParseMembers(GridCells& memberList, GridCells& rcPlList, const GridCells& userModuli, GridCells& placement,
                  RFrameModel& model);

// "B*D断面性能計算" of the member list (rows 1 to 99) and "断面計算" of the
// RC/PL list (rows 1 to 30). A B or D that is no number or beyond the limits
// of a section, or an I or A computed from them beyond those limits, is
// refused naming the list, row and column, and the list is left unchanged.
bool CalcMemberListSections(GridCells& memberList);
bool CalcRcPlSections(GridCells& rcPlList);

// A choice in the catalogue box, written into a member-list row: the blank
// item (0) empties I and A, item k their values from catalogue row k - 1;
// a text that is no item (-1) leaves them.
void ApplyCatalogueChoice(GridCells& memberList, int row, SteelFamily family, int itemIndex);

// Loads: member loads (member or range "a/b", direction, type, P1..P4) and
// node loads (node or range, type, P). Reads the member ends and the node
// coordinates, so it runs last.
bool ParseLoads(const GridCells& memberLoads, const GridCells& nodeLoads, RFrameModel& model);

// Direction code of a member load: "→" 1, "↓" 2, "→部材鉛直" 3, else 4.
int DirectionCode(const std::string& text);
// The first two, as the member-load list offers them.
inline constexpr char kHorizontalLoadText[] = "→";
inline constexpr char kVerticalLoadText[] = "↓";

// The numbers a member or node cell names: "3" names 3, "2/5" 2 to 5, "5/2"
// only 5. False (the row is skipped) when the first number is missing.
bool RangeOfRow(const std::string& text, int& first, int& last);

// Blanks and control bytes removed at both ends.
std::string TrimBlanks(std::string_view text);
