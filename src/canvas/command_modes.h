#pragma once
// The command modes of the canvas and the step counter of the longer
// commands. Both are stored in one byte; the ordinals are fixed because the
// host receives them as numbers.

#include <cstdint>

enum Sbuttontype : std::uint8_t {
  dtDraf,              // a line by two points
  dtSen,               // the new end of a line picked by the stretch command, then back to dtSenSinsyuku
  dtSenDel,            // deletes the element under a right click; a left click erases part of a line or arc
  dtHani,              // range selection by a window (inside or crossing); a right click toggles one element
  dtHanipg,            // range selection by a polygon of clicked vertices
  dtHanipgc,           // polygon range selection for a copy
  dthanipgm,           // polygon range selection for a move
  dtHaniDel,           // gesture code: the host erases the selection (host action 17)
  dtAllDel,            // no handler serves it
  dtDraggu,            // range drag of the envelope gesture: envelope, box erase or chamfer in the range
  dtHaniCopy,          // range selection for a copy; its confirm takes the selection into the copy buffer
  dtHaniMove,          // range selection for a move; its confirm takes the selection into the copy buffer
  dtZiyu,              // no handler serves it
  dtBoxSen,            // a rectangle along the drawing angle, stored as four lines
  dtCopyFree,          // copy of the selection, pasted at each click with the set scales and rotation
  dtIdoFree,           // move of the selection, placed at a click with the set scales and rotation
  dtIdoFree2,          // gesture code of the move: the host selects again
  dtBoxsunpo,          // a rectangle of the set width and height placed by one of nine anchor points
  dtDrafRen,           // continuous line, finished by its confirm gesture
  dtBox,               // a rectangle element by two corners
  dtSikaku2,           // no handler serves it
  dtSikaku3,           // no handler serves it
  dtprintsen,          // placement of the print frame
  dtMozi,              // places, moves, copies, prepends and appends texts
  dtMoziDel,           // deletes the text under a right click; a left click cuts the text at the point
  dtCopy2,             // gesture code of the copy: the host selects again
  dtnanbering,         // steps a number inside a text up (left click) or down (right click)
  dtTen,               // no handler serves it
  dtFukusen,           // offset lines of a picked base line at the set pitch and count
  dtFukusenten,        // gesture code: offset lines from a two-point base line
  dtFukuen,            // offset circle of a picked circle or arc
  dtSenSinsyuku,       // stretches or trims a line to a point or a boundary line
  dttreming,           // trim or corner of two picked lines
  dtHaniGai,           // outside range: selects everything not inside the rectangle
  dtStr,               // no handler serves it
  dtStr2,              // no handler serves it
  dtzokusei,           // attribute reader sub-mode: an element's colour and line type, or a text's style
  dtMoziyomu,          // reader sub-mode: a text's string for the host
  dtZokuseiHen,        // attribute change sub-mode: gives an element the current attributes
  dtIdoHanten,         // mirror step of the move: the figure mirrored in a picked line
  dtSenkankaku,        // the offset pitch taken as the distance of a point from a picked line
  dtEnhitsuru,         // gesture code: point assist at the nearest eighth point of a circle
  dtEnhitsuru2,        // gesture code: point assist at the midpoint of an arc
  dtCopy,              // gesture code: the host starts a copy (host action 15)
  dtCopyHanten,        // mirror step of the copy: the figure mirrored in a picked line
  dtSencyusin,         // centre line between two lines, a line and a point, or two points
  dtSencyusin2,        // the extent of the computed centre line, then back to dtSencyusin
  dtHaniParamet,       // range selection of the parametric stretch: marks the line ends to move
  dtMove,              // no handler serves it
  dtEnKotei,           // a circle of the set radius placed by one of nine base points
  dtEnkoKotei,         // an arc of the set radius by centre, start direction and end direction
  dtwsen,              // double line at the two set offsets from a two-point base line
  dtKiritoriHani,      // cut-out range: what lies inside goes into the copy buffer, lines clipped
  dtcopyMenseki,       // one paste of the host's figure in the copy buffer at a point
  dtHachitenHen,       // the hatch base point by a click, then on as dtHachiTen
  dtEnFree,            // a circle or ellipse by centre and radius point
  dtEnSun,             // no handler serves it
  dtEnko,              // an arc by centre, start point and end direction
  dtEn3ten,            // an arc through its start, its end and a point on it
  dthanEn,             // a half circle on a diameter of two points, the third choosing the side
  dtNo,                // idle
  dtkakudo,            // angle pick sub-mode: the command's angle from a line, an arc's end or two points
  dtHachiten2,         // gesture code of the hatch commands: the host selects again (host action 29)
  dtHachi2ten,         // a rectangular hatch boundary by two corners
  dtsenbunkatu,        // dividing lines between two picked lines, one undo step
  dtsunposen,          // a dimension line, then its dimension points (single or chained)
  dtSunpochi,          // a dimension value between two snapped points
  dtSunpochiHen,       // changes a dimension value to a new length from a line or two points
  dtNitenkan,          // two-step point assist set by the host: the midpoint of two clicks
  dtSenZyouTen,        // two-step point assist set by the host: the foot of a point on a picked line
  dtEnZyouTen,         // two-step point assist set by the host: the nearest point on a picked circle
  dtpictureMove,       // moves the picture under a click by an offset
  dtpictureKakudai,    // resizes a picture from its fixed corner
  dtpictureDel,        // deletes the picture under a click
  dtpicturezen,        // brings the picture under a click to the front
  dtpicturehai,        // sends the picture under a click to the back
  dtRenSunpo,          // chained dimensions from a circle with a leader
  dthenkeizukei,       // up to four deformation points for the host's deformed figure
  dtRenSunpokaku,      // chained angle dimensions
  dtRenSunpoKei,       // radius or diameter dimension of a picked circle
  dtRenSunpoCyusin,    // chained dimensions between lines, circles or division points
  dtRenSunpoCyusin2,   // chained dimension between a start and an end point
  dtRenKetuMozi,       // joins a second text into a base text, moving (left) or copying (right) it
  dtHaniCopyGai,       // outside range selection for a copy
  dtSennakanuki,       // cuts a clicked line between its neighbouring cutting lines
  dtKiritorisakuzyo,   // cut-out range kept on the screen for the host only
  dtSenkotensetu,      // splits the lines that cross within the cursor's window at their crossing
  dtiikatusin,         // batch stretch of fenced lines to a reference line or arc, run by its confirm
  dtiikatuBubun,       // batch removal of the parts of fenced lines between two reference lines
  dtiikatufugo,        // fence selection of lines for a batch operation of the host
  dttenk,              // a point element at a free or snapped point
  dthitsuru,           // point assist: a midpoint handed back to the interrupted command
  dtsencyuten,         // hands a computed assist point (line midpoint, circle point) back to the command
  dtkakutei,           // waiting for a confirmation; the idle handlers serve it
  dtSenzyouten2,       // point assist: a point on a picked line or circle, or a crossing with it
  dtFukuSenTanbu,      // parallel copies of a part of a line
  dtCopyTazuMen,       // paste of the stock file's figure at clicked points
  dtCopyZukei,         // paste of a saved figure at clicked points
  dtCopyHenkeiZukei,   // paste turned to a picked line, with hidden-line erase or repeated at a pitch
  dtCopyHenkeiZukei2,  // paste fitted between two picked lines
  dtSupuLine,          // a curve through clicked vertices, made at its confirm
  dtsenbunkatupitch,   // lines between two picked lines at the division pitch
  dtHachiTen,          // a hatch boundary by points or picked circles and arcs
  dtSokuteiMen,        // area or coordinate measuring of clicked vertices, sent to the host
  dtSokuteiMen2,       // gesture code of the measuring: the host selects again
  dtSokuteiKeka,       // placement of the measuring result text
  dtkyokusen3ten,      // a chain of three-point arcs, added at its confirm
  dtMentori,           // chamfer or corner of two picked lines by the set kind and size
  dtMentori2,          // as dtMentori, the same handlers
  dtSikichi,           // site-area triangles by three points, tabled as base and height
  dtSikichi2,          // site-area triangles tabled by their three sides
  dtSikichi3,          // site-area triangles tabled as split triangles
  dtSikichi4,          // a site-area polygon by points
  dtYuka,              // floor-area figures: circle or arc, quadrilateral or triangle
  dtTateguHani,        // selection range for fittings, for the host
  dtKakudoSokutei,     // angle measuring by origin, start and end point
  dtSeSenTenEn,        // tangent line from a point to a picked circle
  dtSeSenEnEn,         // tangent line to two picked circles
  dtEnSeSen3ten,       // a circle through three points
  dtEnSeSen3tenN,      // the circle inscribed in the triangle of three points
  dtEnSeSen3sen,       // a circle tangent to three lines, circles or points
  dtSesentenSitei,     // tangent line at a given point of a picked circle, its extent by two points
  dtSesenKakuSitei,    // tangent line to a picked circle at the set angle
  dttakakukeikotei,    // a regular polygon of the set size at a point, one undo step
  dttakakukeiFree,     // a regular polygon by centre and vertex
  dtsinko,             // a wave curve between two points, one undo step
  dtBuzaikotei,        // placement of a member-section figure
  dtBuzaikotei2,       // the same placement, entered by the member gesture
  dtYazirusikotei,     // an arrow head on a picked line or arc, or by base and direction points
  dtzikukaku,          // reader sub-mode: the axis angle from a line or a text
  dtGridkizyunTen,     // grid sub-mode: moves the grid's base point
  dtZukeiHozon,        // copies the selection into the copy buffer at a base point for the host to save
  dtZukeiOpen,         // no handler serves it
  dtGridKakudo,        // grid sub-mode: turns the grid to a picked line
  dtsunpoHyozi,        // gesture code: dimensions, for the host (host action 25)
  dtzokuseihyozi,      // gesture code: attributes in bulk, for the host (host action 24)
  dtFileTazumen,       // gesture code: stock data, for the host (host action 30)
  dtHachiHyozi,        // gesture code: hatching, for the host (host action 29)
  dtsensyuiro,         // host action 31; no gesture gives it
  dtundo,              // gesture code: the host undoes the last step (host action 32)
  dtSunpokiri,         // gesture code: the dimension commands' XY switch (host action 33)
  dtFukusenHaniSen,    // a dimension across the lines cut by a range line
  dtHikidasisen,       // gesture code: leader line, for the host (host action 36)
  dtend,               // no handler serves it
  dtZokuseiRenHen,     // changes the colour and line type of one element after another
  dtHaniGaibu,         // range selection as dtHani, in a mode of its own for the host
  dttenGaibu,          // external pick: a host panel takes a point, line, circle or polyline
  dttenGaibuopt,       // external pick, as dttenGaibu
  dtDsokutei,          // gesture code: measuring, for the host (host action 39)
  dtDkeisan,           // gesture code: area calculation, for the host (host action 40)
  dttategu,            // gesture code: fittings, for the host (host action 42)
  dtbuntoku,           // host action 43; no gesture gives it
  dtmoziseiri,         // host action 44; no gesture gives it
  dtSenkigo1,          // placement of a line symbol, turned along a picked line where its kind follows one
};

inline constexpr int kCommandModeCount = 154;
static_assert(dtSenkigo1 == kCommandModeCount - 1);
static_assert(dtNo == 60);

enum _Bswitch : std::uint8_t { _off, on1, on2, on3, on4, on10 };
