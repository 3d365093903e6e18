#pragma once
// The drawing canvas: a control that shows its drawing store on a paper
// sheet, zooms and pans, repaints, and offers the element-adding operations
// through which a host draws. One class, defined across the files of the
// subsystems that specify its operations: the control, view, paint and
// rendering here in canvas/, the command framework and the command families
// under commands/.

#include <array>
#include <bitset>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <typeindex>
#include <unordered_map>

#include "canvas/command_modes.h"
#include "canvas/command_registry.h"
#include "canvas/drawing_store.h"
#include "canvas/owned_object.h"
#include "canvas/ring_grid_objects.h"
#include "canvas/text_layout.h"
#include "canvas/undo_step.h"
#include "geometry/angles_points.h"
#include "platform/canvas.h"
#include "platform/custom_control.h"
#include "records/draw_records.h"

class TcadBox;

using TMouse_dwn = std::function<void(TcadBox& sender, TMouseButton button, TShiftState shift, double x, double y)>;
using TMouse_move = std::function<void(TcadBox& sender, TShiftState shift, double x, double y)>;
using TMouse_up = std::function<void(TcadBox& sender, TMouseButton button, TShiftState shift, double x, double y)>;
using TBanGo_ClickEvent = std::function<void(TcadBox& sender, Sbuttontype buttype, int& genBan, int x, int y)>;
using TSakuga_ClickEvent = std::function<void(TcadBox& sender)>;

// A set of colour numbers.
using _ColBan = std::bitset<256>;

inline constexpr int kPaperSizeCount = 12;
inline constexpr int kColourTableSize = 11;
inline constexpr int kLineTypeCount = 11;  // line types 0 to 10
inline constexpr TColor clOlivePaper = 0x008080;
inline constexpr TColor clAquaFrame = 0xFFFF00;
inline constexpr double kMaxZoom = 60000.0;

struct RPaperSize {
  double Width = 0.0;
  double Height = 0.0;
};

// The dash table row of a line type, in screen pixels.
struct RLinePattern {
  std::int32_t Dash = 0;
  std::int32_t Dot = 0;
  std::int32_t SecondDot = 0;
  std::int32_t Gap = 0;
};

// The pattern of the line or curve being drawn; the counter runs on across
// the chords of one curve.
struct RPatternState {
  std::uint8_t LineType = 0;
  std::uint16_t Counter = 0;
  std::uint8_t Dash = 0;
  std::uint8_t Gap = 0;
  std::uint8_t Dot = 0;
  std::uint8_t SecondDot = 0;
};

// Fill settings of one layer group: six colours and seven option bytes.
struct RFillSettings {
  std::array<TColor, 6> Colours{};
  std::array<std::uint8_t, 7> Options{};
};

struct RViewRect {
  double Left = 0.0;
  double Bottom = 0.0;
  double Right = 0.0;
  double Top = 0.0;
};

// The tool slots of the commands, by the names of the tools they hold.
enum class ToolSlot : std::uint8_t {
  RenzokuObj,
  RenSunpoObj,
  SunpoObj,
  HatchObj,
  PolygonObj,
  FukuenObj,
  AreaObj,
  SiteObj,
  FloorObj,
  ArcChainObj,
  BuzaiObj,
  TextCutObj,
  SupuLineObj,
};
inline constexpr std::size_t kToolSlotCount = 14;

// Which elements the range selections and picks take: by kind, colour
// number, line type, text style and point colour (index 0 unused where the
// numbers count from 1). Everything is taken until a host narrows it; the
// oblique-only flag narrows the lines, so it starts off. Colours, line types
// and styles outside the flags' numbers are judged by the predicates of the
// control (MatchesColorTypeFilter and its two siblings), not here.
struct RSelectionFilter {
  bool Texts = true;
  bool Points = true;
  bool Lines = true;
  bool Arcs = true;
  bool ObliqueOnly = false;  // narrows the lines to the oblique ones
  std::array<bool, 11> Colours = AllOn<11>();
  std::array<bool, 10> LineTypes = AllOn<10>();
  std::array<bool, 11> TextStyles = AllOn<11>();
  std::array<bool, 11> PointColours = AllOn<11>();

  template <std::size_t N>
  static constexpr std::array<bool, N> AllOn() {
    std::array<bool, N> flags{};
    for (std::size_t i = 1; i < N; ++i) flags[i] = true;
    return flags;
  }
};

// A cut-out range: two opposite corners; all 0 while none was taken.
struct RCutRange {
  double X1 = 0.0, Y1 = 0.0, X2 = 0.0, Y2 = 0.0;
};

struct RFixedView {
  double Zoom = 0.0;
  double CentreX = 0.0;
  double CentreY = 0.0;
  RViewRect Window;
};

class TcadBox : public TCustomControl {
 public:
  TcadBox();
  ~TcadBox() override;

  // ---- Published properties --------------------------------------------
  Sbuttontype ButonType = dtDraf;   // the running command; dtNo is idle
  _Bswitch B_Switch = _off;         // step of the longer commands
  std::uint8_t Pentyp = 1;          // line type of new elements
  std::uint8_t Pencol = 1;          // colour number of new elements
  std::uint8_t Penwidth = 1;        // pen width of the commands' previews and committed lines
  std::uint8_t Papa_No = 0;         // paper size, an index into PaperSizes
  std::uint8_t Mozi_No = 1;         // current text style, an index into TextStyles
  std::uint8_t WriteGrupe_No = 0;   // layer group of new elements
  std::uint8_t WriteReiya_No = 0;   // layer of new elements
  TMouse_move Mouse_move;           // host event at the end of every move, in drawing units
  TMouse_dwn Mouse_dwn;             // host event at the end of every press
  TMouse_up Mouse_up;               // host event after the command handlers of a release
  Tdrawinp* Draw1 = nullptr;        // the drawing store (owned; read-only to the host)
  bool View_hani_Kotei = false;     // keep the fixed view
  TBanGo_ClickEvent BanGo_Click;    // host event after every release: the mode and the host-action number GenBan
  TSakuga_ClickEvent Sakuga_Click;  // host event when the cursor enters the control
  TColor Ringcol = 0;               // colour of the ring cross-hair
  std::uint8_t RingHan = 0;         // when the ring cross-hair shows: 0 never, 1 in the range modes, else always
  std::uint8_t Gridview = 0;        // grid: 0 none, 1 to 4 subdivisions of the pitch
  TColor Gridcolor1 = 0;            // colour of the grid lines on the pitch
  TColor Gridcolor2 = 0;            // colour of the grid's subdivision lines
  TColor Sentakucol = 0;            // colour of selected elements
  TColor Sentakucol2 = 0;           // colour of XOR previews
  TColor Sentakucol3 = 0;           // colour of elements on reference layers
  TColor Sentakucol4 = 0;           // colour of previews while tanren_Han is set
  bool GridType = false;            // grid pitch in paper millimetres (true) or in real units (false)
  std::int32_t GridviewHaba = 0;    // grid density limit
  bool HorakuHan = false;           // the envelope works on every line type, not only type 1
  bool HorakuHanDel = false;        // the box trim works on every line type
  bool priMoziOkime = false;        // kept for the host; nothing reads it
  std::uint8_t cursorHan = 0;       // cursor variant of the per-command cursor choice
  std::uint16_t DridoL1 = 0;        // first drag length of the gesture menu, pixels
  std::uint16_t DridoL2 = 0;        // second drag-length step of the gesture menu, pixels
  std::uint8_t SinsikuTyp = 0;      // a right click of the stretch command: 1 cuts the line, else moves its end
  std::uint8_t SenUrakesi = 0;      // pasting: 1 erases the lines under the figure, 2 hatches instead
  _ColBan SenUrakesicol;            // colours that take part in the hidden-line erase
  std::int32_t GraSensai1 = 0;      // gradient fill strip width on the screen, pixels
  std::int32_t GraSensai2 = 0;      // gradient fill strip width on the screen, the other patterns
  std::int32_t GraPSensai = 0;      // gradient fill strip width when printing
  bool iro_Check = false;           // the screen shows fill regions as outlines only
  bool StrWakuView = false;         // every text is drawn with its frame
  bool OfsetRen = false;            // the point offset is added to every picked point
  std::uint8_t Gkasen = 0;          // what the external pick takes: 0 point, 2 line, 3 circle, 1 or 5+ polyline
  std::uint8_t BoxHouraku = 0;      // the sized rectangle also runs the envelope
  bool HaniAka_Cyu = false;         // a selected range waits for confirmation (read-only)
  bool DGamen_LR = false;           // right-half presses offer the right-button gestures' alternatives
  bool Upsensentaku = false;        // an upward two-button drag selects lines
  bool bubunhan = false;            // range selections take crossing elements too
  bool Dothyouzi = false;           // points drawn as single pixels when zoomed out
  std::uint8_t PrintSeniro = 0;     // kept for the host; nothing reads it
  std::uint8_t PrintMoziiro = 0;    // kept for the host; nothing reads it
  bool PrintKaiten = false;         // print frame turned by 90 degrees
  std::uint8_t PrintSenno = 0;      // kept for the host; nothing reads it
  std::uint8_t PrintMozino = 0;     // kept for the host; nothing reads it
  std::uint8_t yakakugoto = 0;      // direction snap of the arrow head
  bool Ensyukiten = false;          // an end snapped to a curve's centre moves onto the curve
  std::uint8_t Bittukatyp = 0;      // bitmap pictures: 1 and 2 draw them transparent
  bool BitDrawtyp = false;          // pictures over (true) or under the elements
  bool jpgtobmp = false;            // reordered JPEG pictures are kept as converted bitmaps
  bool hatchHozi = false;           // the hatch boundary and SenUrakesi outlive a cancel
  std::uint8_t NakaZokuMusi = 0;    // the middle cut ignores: 1 same-looking lines, 2 other line types, 3 both
  bool senzyohit = false;           // the line commands take their points from the reference snap
  std::uint8_t print_htyp = 0;      // page tiles of the print frame: 0 none, 1 and 2 two layouts
  std::int32_t Wheel_typ = 0;       // 1: the wheel always zooms (the middle button does not switch it)
  std::int32_t Wheel_kasoku = 0;    // wheel zoom step: 1 to 6 zoom faster, others 1.2 a notch
  std::int32_t key_kasoku = 0;      // arrow-key pan step: 1 to 6 pan faster
  std::int32_t paki_x = 0;          // print tile shift in x, millimetres
  std::int32_t paki_y = 0;          // print tile shift in y, millimetres
  bool scl_han = false;             // inverts the wheel zoom direction
  std::uint8_t Mhan1 = 0;           // per-click status of the handlers (read-only)
  bool tanren_Han = false;          // previews in Sentakucol4 instead of Sentakucol2

  // ---- View ----------------------------------------------------------------
  double PixelsPerMm = 0.0;
  double Zoom = 1.0;
  RViewRect ViewWindow;
  RPoint2D ViewCentre;
  double ClientWidthMm = 0.0;
  double ClientHeightMm = 0.0;
  RFixedView FixedView;
  RViewRect PreviousViewA;
  RViewRect PreviousViewB;
  bool PreviousViewToggle = false;
  std::array<RPaperSize, kPaperSizeCount> PaperSizes{};
  std::uint8_t WheelMode = 0;  // 0 zoom, 1 vertical scroll, 2 horizontal scroll
  double CurrentTextHeight = 0.0;
  std::uint8_t PlaceTextDirection = 0;
  RPoint2D CursorWorldPos;

  // ---- Drawing defaults ----------------------------------------------------
  std::array<double, kLayerGroups> GroupScales{};
  std::array<RTextStyle, kTextStyleCount> TextStyles{};
  std::array<bool, kTextStyleCount> ItalicFlags{};
  std::array<std::string, 6> FaceNames;  // entries 1 to 5
  std::array<TColor, kColourTableSize> ColourTable{};
  std::array<TPenStyle, kLineTypeCount> PenStyles{};
  std::array<RLinePattern, kLineTypeCount> LineTypePatterns{};
  std::array<RFillSettings, kLayerGroups> FillSettings{};
  double PasteScaleX = 0.0;
  double PasteScaleY = 0.0;
  std::array<double, kLayerGroups> BufferSourceScales{};

  // ---- Print frame ---------------------------------------------------------
  RPaperSize PrintSheetSize;
  double PrintScale = 1.0;
  RViewRect PrintFrame;  // x1, y1, x2, y2
  double PrintFrameAngle = 0.0;
  double PrintPixelsPerUnitX = 0.0;
  double PrintPixelsPerUnitY = 0.0;
  std::int32_t PrintPageHeight = 0;

  // ---- Command settings and state -----------------------------------------
  std::uint8_t PrintAnchor = 4;
  std::uint8_t BoxAnchor = 4;
  std::uint8_t HiddenLineOutlineType = 1;
  std::uint8_t HiddenLinePolygonTest = 1;
  Sbuttontype SavedMode = dtNo;
  Sbuttontype PendingGesture = dtNo;
  bool GesturePending = false;
  std::uint8_t ClickKind = 0;
  std::uint8_t CommandStep = 0;
  bool RubberErased = false;
  std::uint8_t ViewGestureState = 0;
  std::uint8_t TwoButtonGesture = 0;
  RPoint2D PressPoint;
  RPoint2D FirstPoint;
  RPoint2D CurrentPoint;
  RPoint2D SecondPoint;
  RPoint2D AssistPoint;
  RPoint2D AssistReadPoint;
  bool AssistRead = false;
  std::uint8_t AssistStep = 0;
  std::uint8_t AssistClickKind = 0;
  RDrawElement PickedElement = ZeroElement();
  std::array<std::int32_t, 6> PickedIndex{};  // slots 1 to 5; -1 none
  double CommandAngle = 0.0;
  double AxisAngle = 0.0;
  RPoint2D PointOffset;  // real millimetres
  bool CtrlClick = false;
  int GenBan = 0;  // host action asked for through BanGo_Click
  std::int32_t DirectionMode = 0;
  std::string PlaceText;
  std::uint8_t GestureSector = 0;
  std::uint8_t CaptionCancelled = 0;
  std::uint8_t RangeConfirmKind = 0;
  std::uint8_t EndChangeFlag = 0;
  RSelectionFilter SelectionFilter;
  // Command data the framework's gestures and assists touch: the angle step
  // of the line commands and the value the angle toggle keeps aside, the
  // last preview of the placing commands (scale factors, offset) and the
  // radius of a circle preview.
  double AngleStep = 0.0;
  double KeptLineAngleStep = 0.0;
  RPoint2D PreviewP1;
  RPoint2D PreviewP2;
  double PreviewAngle = 0.0;  // the angle the preview on the screen was drawn with
  double PreviewRadius = 0.0;
  // The circle and arc commands. The arc being built (angles in degrees,
  // equal angles: the whole curve), shared with the angle measuring and the
  // arc chain; its radius in drawing units is a working value no host
  // writes. The host's settings: the set radius in real units, the axis
  // ratio and rotation of every curve, the base point of a placed circle.
  RPoint2D AngleArcCentre;
  double AngleArcRadius = 0.0;
  double AngleArcStart = 0.0;
  double AngleArcEnd = 0.0;
  double WorkingArcRadius = 0.0;
  double EllipseRatio = 1.0;
  double EllipseRotation = 0.0;
  std::uint8_t CircleBaseKind = 0;
  // Sweep side of the next arc preview (true: anticlockwise from the start
  // angle), and how the preview on the screen was drawn.
  bool ArcAnticlockwise = true;
  std::uint8_t ArcPreviewLineType = 0;
  std::uint8_t ArcPreviewColor = 0;
  RPoint2D SegmentStart;  // the third point of an arc through three points
  // A press delivered a point that the release has not taken yet.
  bool ClickPending = false;
  // The set length of the line commands (real units; 0: free length).
  double CmdLength = 0.0;
  // The sized rectangle: width, height and clearance from the placed point
  // in real units, and the offsets of two opposite corners from the placed
  // point that ComputeSizedBoxOffsets makes of them (x1, y1, x2, y2).
  double BoxWidth = 0.0;
  double BoxHeight = 0.0;
  RPoint2D BoxClearance;
  std::array<double, 4> BoxOffsets{};
  void ComputeSizedBoxOffsets();
  // The print frame for a placed point (x, y): on return (x, y) and (x2, y2)
  // are two opposite corners. An anchor past 8, a scale of 0 or less or a
  // size that is not finite leaves all four as they were.
  void ComputePrintFrame(double& x, double& y, double& x2, double& y2);
  // The picture commands: the topmost shown picture under a point becomes
  // the picked slot (PickedIndex[2]); the others change that slot.
  std::uint8_t PictureKeepAspect = 0;  // 1: a resize keeps the picture's aspect
  // The tangent commands: the tangent position (PickPoint), the two points
  // of the piece (FourthPoint, LastVertex) and the ends of the piece's
  // preview on the screen.
  RPoint2D FourthPoint;
  RPoint2D WorkPointA;
  RPoint2D WorkPointB;
  // The floor-area command's figure, set by the host: 0 quadrilateral, 1
  // triangle, 2 circle or arc.
  std::uint8_t FloorShape = 0;
  // The hatch boundary and the measuring commands: the hatch pattern's base
  // point last given, and the host's settings of the area result: what it
  // shows (0 perimeter, 1 area, 2 centroid, 3 offset from the first click, 4
  // and 5 perimeter and area), the unit codes (0 m, 1 cm, 2 mm), the
  // decimals codes (0 to 4) and the rounding (0 cut, 1 up, else left to the
  // format).
  RPoint2D HatchBasePoint;
  std::uint8_t AreaKind = 0;
  std::uint8_t PerimeterUnit = 0;
  std::uint8_t AreaUnit = 0;
  std::uint8_t CoordUnit = 0;
  std::uint8_t PerimeterDecimals = 0;
  std::uint8_t AreaDecimals = 0;
  std::uint8_t CoordDecimals = 0;
  std::uint8_t AreaRounding = 0;
  // The held text made of the measured outline in the AreaObj slot by the
  // settings above; unchanged without an outline or for settings past
  // their codes.
  void FormatAreaResult();
  // The regular polygons: side count and construction (the host's; the
  // size is the host's set radius, AngleArcRadius), and the colour and line
  // type the preview on the screen was drawn with.
  std::int32_t SetCount = 0;
  std::uint8_t PolygonKind = 0;
  std::uint8_t PreviewColor = 0;
  std::uint8_t PreviewLineType = 0;
  // The dimension between elements: its variant (0 between lines or
  // points, 1 a circle with division points, 2 two points or a direction).
  // A reference snap reports whether its point came from a circle's centre,
  // and that element.
  std::uint8_t CyusinKind = 0;
  bool SnapSourceFound = false;
  RDrawElement SnapSource = ZeroElement();
  bool PickPictureAt(double x, double y);
  void MovePictureTo(double x, double y);
  void SetPictureCorners(double x2, double y2);
  void KeepPictureAspect(double& x, double& y, double x0, double y0) const;
  void DeletePickedPicture();
  void ReorderPickedPicture(bool toBack);
  // The buffer preview last drawn: the index of its last element and the
  // axis angle it was drawn with, so that its erase matches it.
  std::int32_t PreviewLastIndex = 0;
  double PreviewAxisAngle = 0.0;
  // The text the text reader collected for the host, and the side on which
  // a further read joins it (0 replaces, 1 in front, 2 behind).
  std::string ReadText;
  std::uint8_t JoinSide = 0;
  // The click kind an outside range was started with (0: none open), and
  // the last cut-out range, kept for the host and the redraw.
  std::uint8_t RangeClickKind = 0;
  RCutRange CutRange;
  // The external pick: the point last taken for the host panel.
  RPoint2D ReportedPoint;
  // The offset commands: the base line; the pitch (real units) and the
  // number of copies the host sets (0: as many as the click's distance
  // holds); the number the last commit made, for the host; and the two ends
  // of a part. The circle preview keeps how it was drawn with the circle
  // commands' ArcPreview fields.
  RPointPair RefLine;
  double OffsetPitch = 0.0;
  std::int32_t RepeatCount = 0;
  std::int32_t OffsetLinesMade = 0;
  RPoint2D SegStart;
  RPoint2D SegEnd;
  // The double line: the host's offsets to the right and to the left of
  // the base (real units) and its direction snap of the end (0 free, 1
  // fifteen-degree steps, 2 the drawing axes); the right and the left line
  // of the preview on the screen.
  double DoubleOffsetRight = 0.0;
  double DoubleOffsetLeft = 0.0;
  std::uint8_t DirectionSnapMode = 0;
  std::array<RPointPair, 2> PreviewBlock{};
  // Joins the lines at two list positions (the older first) at their
  // corner, inside the undo step of the copies just added.
  void JoinOffsetCorner(std::int32_t indexA, std::int32_t indexB, RPoint2D p1, RPoint2D p2);
  // The range selections: what the pending second corner does (2 selects,
  // 3 deselects; the polygon range keeps its first vertex's click kind),
  // the raw press of a right click, whether the last range was a stretch
  // range; the cursor end of the vertex lists' rubber edges and whether a
  // press left a vertex pending.
  std::uint8_t RangeAction = 0;
  RPoint2D PickPoint;
  bool ParametricSelection = false;
  RPoint2D LastVertex;
  std::uint8_t DragStage = 0;
  // The curve commands: the host's curve kind. The wave line's band takes
  // its half widths from the double line's offsets and shares its
  // PreviewBlock.
  std::uint8_t CurveKind = 0;
  // The copy and move to picked places: the paste's offset (real units)
  // and group and layer mode, the mirror mode the preview on the screen was
  // drawn with, the last placement's displacement for the host (real and
  // drawing units), and the repeated paste along a segment: its switch
  // (set by a point assist), pitch (real units), pitch mode, whether it
  // divides by count (1) and the count.
  RPoint2D PasteOffset;
  std::uint8_t PasteKind = 0;
  std::int32_t PreviewMirror = 0;
  RPoint2D LastMoveReal;
  RPoint2D LastMove;
  bool SegmentPaste = false;
  double DivPitch = 0.0;
  std::uint8_t PitchMode = 0;
  std::uint8_t RepeatByCount = 0;
  std::uint16_t DivCount = 0;
  // Pastes the buffer at the division points of the segment, all copies one
  // undo step (new or joined to the open one); false when the segment has
  // no division point, and then nothing changes.
  bool PasteBufferAlongSegment(double x1, double y1, double x2, double y2, UndoJoin join = UndoJoin::NewStep);
  // The figure paste and the line-fitted paste: whether elements of line
  // type 9 stay out of the figure paste; the host's fit rule (10 and above
  // also delete the reference lines); the fit between two lines reports two
  // angles in D5 and D6 of FigureSizes (entries 4 and 5). The deformation
  // points: how many the host asks for (read as 2 to 4), and the points in
  // drawing units, for the host.
  bool PasteSkipType9 = false;
  std::uint8_t FitMode = 0;
  std::uint8_t DeformCount = 0;
  std::array<double, 4> DeformX{};
  std::array<double, 4> DeformY{};
  // The stretch, centre-line and division commands. The centre line goes
  // into RefLine. The host's grading ratio of the division by count (0 or
  // less: equal).
  float DivisionRatio = 0.0f;
  void StretchToPoint(RPoint2D a, RPoint2D b);
  bool ComputeCentreLine(std::int32_t pairKind, RPoint2D p1, RPoint2D p2);
  void DeselectPickPair();
  void DivideBetweenLines(RPoint2D p1, RPoint2D p2);
  void AddLinesBetweenAtPitch(double x1, double y1, double x2, double y2);
  // The batch line commands: the lines a fence from (x1, y1) to (x2, y2)
  // crosses are chosen and highlighted; a right click toggles the line
  // under the point (true when there was one).
  void SelectLinesCrossingFence(double x1, double y1, double x2, double y2);
  bool ToggleLineSelectionAt(double x, double y);
  // The dimension lines: the host's settings of the dimensions (gaps of
  // guide line 2 when its end snaps to nothing, after a snapped and after a
  // free start; the value texts' style and the colours of lines and end
  // marks); and how the guide lines through the dimension-line start and
  // end are built.
  double DimGapSnapped = 0.0;
  double DimGapFree = 0.0;
  std::uint8_t DimTextStyle = 0;
  std::uint8_t DimLineColor = 0;
  std::uint8_t DimMarkColor = 0;
  void BuildGuideLine(RPointPair& line, double x, double y, double angle) const;
  void BuildSecondGuideLine(const RPointPair& guide1, RPointPair& line, double x, double y, double angle);
  // Commits the newest step of the dimension tool; group and layer are the
  // texts' while a dimension value is changed.
  void CommitDimensionStep(std::uint8_t group, std::uint8_t layer);
  // The corner trim and chamfer, the middle cut and the split at a crossing:
  // the host's chamfer kind and size (real units); the pairs are the ones at
  // PickedIndex[1] and [2], their pick points first element's first.
  std::uint8_t ChamferKind = 0;
  double ChamferSize = 0.0;
  void TrimPair(RPoint2D first, RPoint2D second);
  void ChamferTwoLines(RPoint2D first, RPoint2D second);
  void ChamferInRange(double x1, double y1, double x2, double y2);
  bool SplitLinesAtIntersection(double x, double y, std::uint8_t rightClick);
  bool CutLineMiddle(std::int32_t& index, bool remove, double x, double y);
  // Marks the lines of editable layers in the window under the line filters,
  // clearing the mark of every element in view first; draws nothing.
  void MarkFilteredLinesInWindow(bool crossing, double x1, double y1, double x2, double y2);
  // The figure-placing commands: the host's figure kind and sizes D1 to D6
  // (real units), and the figure placed at every pitch point of a segment
  // as one undo step.
  std::uint8_t FigureKind = 0;
  std::array<double, 6> FigureSizes{};
  void PlaceSectionAlongSegment(double x1, double y1, double x2, double y2);

  // ---- Tool slots -----------------------------------------------------------
  // The tool objects a running command keeps between events; the cancel-all
  // frees them. The control holds them without knowing their types.
  std::array<TOwnedObject, kToolSlotCount> ToolSlots;
  TOwnedObject& Tool(ToolSlot slot) { return ToolSlots[static_cast<std::size_t>(slot)]; }

  // State that only one command family reads, in a struct of that family's
  // own, made with its defaults on first use and kept for the control's life.
  template <typename State>
  State& FamilyState() {
    TOwnedObject& slot = familyStates_[std::type_index(typeid(State))];
    if (State* state = slot.Get<State>()) return *state;
    return slot.Emplace<State>();
  }

  // ---- Rendering state -----------------------------------------------------
  RPatternState PatternState;

  // ---- The control ---------------------------------------------------------
  void CopyTextStylesToStore();
  TColor PrepareXorColor(TColor colour);
  void ClearDrawing();
  // A length in real units in drawing units of the current writing group.
  double RealToDrawingLength(double x) const;
  // The guide prompt, held in the hint for the host to show.
  void SetGuidePrompt(const std::string& text);

  // ---- View transform and navigation ---------------------------------------
  void ScreenToWorld(int px, int py, RPoint2D& point) const;
  int WorldToScreenX(double x) const;
  int WorldToScreenY(double y) const;
  void FitPaper(bool force, double margin);
  void ZoomToWindow(double left, double top, double right, double bottom);
  void StoreFixedView();
  void RememberView();
  void PanTowards(double x, double y);
  void PanView(double dx, double dy);
  bool HasShownPicture() const;

  // ---- Paint, full redraw and partial repaint -------------------------------
  void RedrawAll(bool refilterOnly);
  void RedrawElements(bool refilterOnly);
  void RedrawLastElements(int n);
  // One element as the full redraw draws it, when the redraw would: for an
  // element just added, which the redraw draws after every other.
  void DrawAsRedrawn(const RDrawElement& e);
  void RepaintRect(double x1, double y1, double x2, double y2);
  void DrawRect(double x1, double y1, double x2, double y2);
  void DrawRectUnculled(double x1, double y1, double x2, double y2);
  bool BothButtonsDown() const;
  bool NavigationKeyDown() const;
  bool AnyButtonDown() const;

  // ---- Lines with line types -----------------------------------------------
  void DrawRawLine(TCanvas& canvas, double x1, double y1, double x2, double y2);
  void DrawLine(std::uint8_t lineType, TCanvas& canvas, double x1, double y1, double x2, double y2);
  void DrawLineUnculled(std::uint8_t lineType, TCanvas& canvas, double x1, double y1, double x2, double y2);
  void DrawLineOwnCanvas(std::uint8_t lineType, double x1, double y1, double x2, double y2);
  void DrawPatternLine(int x1, int y1, int x2, int y2, std::uint8_t lineType, TCanvas& canvas);
  void StepPatternLine(int x1, int y1, int x2, int y2, std::uint8_t lineType, TCanvas& canvas);
  void WalkPatternPixels(int x1, int y1, int x2, int y2, TCanvas& canvas);
  void PatternPixel(int x, int y, int x1, int y1, int x2, int y2, TCanvas& canvas);

  // ---- Rectangles and frames -----------------------------------------------
  void DrawRotatedRect(TCanvas& canvas, double x1, double y1, double x2, double y2, double angle);
  void DrawAlignedRect(TCanvas& canvas, double x1, double y1, double x2, double y2, double angle);
  void DrawFrameRect(std::uint8_t lineType, std::uint8_t withTiles, double x1, double y1, double x2, double y2,
                     double angle);

  // ---- Text layout, text drawing and the element-adding operations --------
  // The text-layout object that every text drawing and measuring goes
  // through; created with the control and freed with it.
  std::unique_ptr<TMoziViewobj> TextLayout;

  // Text drawing. The style is TextStyles[Mozi_No]: callers set Mozi_No to
  // the element's style first. Colour modes: 0 the style colour, 1 the
  // reference colour, 2 the selection colour, 3 the background, 10 the
  // frame only, 20 black.
  void DrawElementText(std::int32_t textIndex, std::uint8_t direction, TCanvas& canvas, std::uint8_t colourMode,
                       double x1, double y1, double x2, double y2, double angle);
  void DrawElementTextUnculled(std::int32_t textIndex, std::uint8_t direction, TCanvas& canvas, std::uint8_t colourMode,
                               double x1, double y1, double x2, double y2, double angle);
  void DrawBufferText(std::int32_t textIndex, std::uint8_t direction, TCanvas& canvas, std::uint8_t colourMode,
                      double x1, double y1, double x2, double y2, double angle);
  void DrawTextString(const std::string& text, std::uint8_t direction, TCanvas& canvas, std::uint8_t colourMode,
                      double x1, double y1, double x2, double y2, double angle);
  // Whether a listed text's box touches a repaint rectangle.
  bool TextTouchesRect(const RDrawElement& e, std::uint8_t layerState, double x1, double y1, double x2, double y2);

  // Text extent: the end of each text's base line from its string and style.
  void RefitAllTextEnds();
  void RefitTextEnd(std::int32_t index);
  void RefitBufferTextEnds();
  // Moves (x2, y2) along the direction from (x1, y1) to the length of the
  // text in the style Mozi_No and the direction HeldTextDir (no markup
  // correction); CurrentTextHeight becomes its frame height.
  std::uint8_t HeldTextDir = 0;
  void FitTextEndPoint(const std::string& text, double x1, double y1, double& x2, double& y2);
  // Corrects a measured length for the markup of the text, in the current
  // style and the direction of the text last taken up.
  void SubtractMarkupWidth(const std::u16string& text, double& length);
  // The same in a given style (its suffix sizes already applied) and direction.
  void SubtractMarkupWidth(const std::u16string& text, double& length, const RTextStyle& style, std::uint8_t direction);

  // Element-adding operations. AddLine, AddArc, AddPoint and AddText take
  // real millimetres of the current writing group; the others drawing units.
  void AddLineToStore(Tdrawinp& target, double x1, double y1, double x2, double y2);
  void AddLine(std::uint8_t colour, std::uint8_t lineType, double x1, double y1, double x2, double y2, bool keepUndo);
  void AddArc(std::uint8_t colour, std::uint8_t lineType, double cx, double cy, double r, double ratio,
              double startAngle, double endAngle, double rotation, bool keepUndo);
  void AddPoint(std::uint8_t colour, std::uint8_t lineType, double x, double y, bool keepUndo);
  void AddText(const std::string& text, std::uint8_t style, double x, double y, double angle, std::uint8_t direction);
  void AddLineAttr(std::uint8_t colour, std::uint8_t lineType, double x1, double y1, double x2, double y2,
                   std::uint8_t layer, std::uint8_t group, bool newUndo, std::uint16_t tag, Tdrawinp& target);
  void AddLineExact(std::uint8_t colour, std::uint8_t lineType, double x1, double y1, double x2, double y2,
                    std::uint8_t layer, std::uint8_t group, bool newUndo, std::uint16_t tag, Tdrawinp& target);
  void AddLineChecked(Tdrawinp& target, bool newUndo, double x1, double y1, double x2, double y2);
  void AddRectangle(Tdrawinp& target, double x1, double y1, double x2, double y2);
  void AddRotatedRectLines(Tdrawinp& target, double x1, double y1, double x2, double y2, double angle);
  void AddAlignedRectLines(Tdrawinp& target, bool keepUndo, double x1, double y1, double x2, double y2, double angle);

  // Rescales the current writing group's drawing by factor.
  void RescaleWriteGroup(double factor);

  // ---- Curves, markers, pictures, fills, cross-hair, grid and captions ----
  // Cursor label: its anchor for the next label, the one on the screen and
  // the tint of its box (0 pale yellow, 1 pale cyan, 2 pale red, 3 pale blue).
  RPoint2D LabelAnchor{-1000000.0, -1000000.0};
  RPoint2D LabelPrevAnchor{-1000000.0, -1000000.0};
  std::string LabelPrevText;
  std::uint8_t LabelColour = 0;

  // Curves, circles, arcs and ellipses.
  void DrawArc(std::uint8_t lineType, TCanvas& canvas, double cx, double cy, double r, double q, double s, double e,
               double rho);
  void DrawArcElement(std::uint8_t lineType, TCanvas& canvas, double cx, double cy, double r, double q, double s,
                      double e, double rho);
  void DrawArcChords(std::uint8_t lineType, TCanvas& canvas, double cx, double cy, double r, double q, double s,
                     double e, double rho);
  bool DrawFullCircleDirect(std::uint8_t lineType, TCanvas& canvas, double cx, double cy, double r, double q, double s,
                            double e);
  void DrawEllipseRect(double x1, double y1, double x2, double y2);
  // Huge curves of the types without a chord rule, one pixel per sample; m is
  // the size measure of the caller.
  void DrawSampledCurve(TCanvas& canvas, double m, double cx, double cy, double r, double q, double s, double e,
                        double rho);

  // Text outlines and point markers.
  void DrawTextFrame(TCanvas& canvas, double x1, double y1, double x2, double y2, double height, double angle);
  void FillTextArea(double x1, double y1, double x2, double y2, double height);
  void DrawPointMark(std::uint8_t colourCode, TCanvas& canvas, double x, double y);
  void DrawPointMarkUnculled(std::uint8_t colourCode, TCanvas& canvas, double x, double y);
  void DrawCircleOutline(TCanvas& canvas, double x1, double y1, double x2, double y2);
  // The marker of both point operations; culled tells them apart for the
  // colours of single-pixel markers.
  void DrawPointMarker(std::uint8_t colourCode, TCanvas& canvas, double x, double y, bool culled);

  // Pictures of the store's slots.
  void DrawPicture(const TGraphic& graphic, TCanvas& canvas, double x1, double y1, double x2, double y2);
  void DrawAllPictures(TCanvas& canvas);

  // Fill regions.
  void PaintFillRegions(TCanvas& canvas, std::uint8_t mode);
  void PaintFillPolygon(TCanvas& canvas, const std::vector<TPoint>& points, int left, int bottom, int right, int top,
                        TColor colour1, TColor colour2, std::uint8_t style, std::uint8_t code, bool onScreen);
  void DrawFillRegionOutlines();
  TPoint WorldToPrinterPoint(double x, double y) const;

  // Text enclosure: margins along and across a text, and the circle's radius
  // (drawing units); they stay 0 unless a host sets them.
  double TextEnclosureMarginX = 0.0;
  double TextEnclosureMarginY = 0.0;
  double TextEnclosureRadius = 0.0;
  void AddTextEnclosure(std::uint8_t shape, Tdrawinp& target, double x1, double y1, double x2, double y2, double height,
                        double angle);

  // Captions. TopMessage is the caption last shown at the top left, kept
  // for the host; TopMessageShown says it is still on the screen (a full
  // redraw paints over it).
  std::string TopMessage;
  bool TopMessageShown = false;
  void ShowTopMessage(const std::string& text);
  void ShowCursorLabel(const std::string& text);
  void RepaintLabelArea(std::uint16_t length, double x, double y);

  // ---- Input dispatch, view gestures and the command framework -------------
  // Input dispatch.
  bool LeaveErased = false;  // the preview was erased when the cursor left the control
  // Two-button view gestures.
  RPoint2D GestureStart;
  RPoint2D GestureLast;  // far corner of the zoom rectangle on the screen
  std::uint16_t StepZoomCount = 0;
  bool LineSelectArmed = false;
  // Cursor shape, ring cursor and grid.
  Sbuttontype LastCursorMode = dtDraf;
  std::uint8_t LastCursorHan = 0;
  RPoint2D RingPos{-50000.0, -50000.0};  // below -49000: forgotten
  bool RingHidden = true;
  bool RingRepaintFlag = false;  // XOR-draw the ring again after the next paint
  RPoint2D GridBase;
  double GridAngle = 0.0;  // degrees in [0, 90)
  RPoint2D GridPitches;    // never written by the control
  TRingobj RingObj;
  TGridobj GridObj;

  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void CancelCommands(bool keepMode);
  void MarkMouseInside();
  void EraseRubberBand();
  void ViewGestureDown(TShiftState shift, double x, double y);
  void ViewGestureMove(double x, double y);
  void ViewGestureUp(TShiftState shift, double x, double y);

  // Defined by the command framework library, called by the commands and,
  // through the command registry, by the canvas.
  void GetPointOffset(RPoint2D& offset, double angle, double dx, double dy) const;
  void UpdateCommandCursor();
  void ToggleRingCursor();
  void EraseRingCursor();
  void RefreshRingCursor();
  void HideRingCursor(int unused);
  void DrawGrid();
  void RedrawGridInRect(double x1, double y1, double x2, double y2);
  // The drag-gesture menu: the recognizer every move handler asks first,
  // and the executor every release runs before the up handlers.
  bool TrackDragGesture(TShiftState shift, Sbuttontype mode, double x, double y);
  void ExecuteDragGesture(double x, double y);
  // Point assists.
  void sencyutenApply(double x, double y);
  bool FootOnPickedLine(double& x, double& y);
  bool IntersectPickedLine(double& x, double& y);
  bool PickCircleToggle(std::int32_t& index, double x, double y);
  void NearestPointOnPickedCircle(double& x, double& y);
  void ResumeWithAssistPoint(TShiftState shift, double x, double y);
  // The angle pick: CommandAngle from the line or arc end under the point.
  bool ReadLineAngle(bool plus180, double x, double y);
  // Editing many lines at once, each one undo step.
  void EraseInsideBox(bool allTypes, double x1, double y1, double x2, double y2);
  void ErasePasteHiddenLines(std::int32_t directionMode, double dx, double dy, double x, double y, double angle,
                             double scaleX, double scaleY, UndoJoin join = UndoJoin::NewStep);
  void EnvelopeInsideBox(bool allTypes, double x1, double y1, double x2, double y2);
  void EnvelopeRotatedBox(double x1, double y1, double x2, double y2, double angle);
  void DeleteSelection(bool clearHighlight, bool redraw, bool newUndoStep);
  void CutElementBetweenPoints(std::uint8_t mode, double x1, double y1, double x2, double y2);
  void CopyRangeToBuffer(double x1, double y1, double x2, double y2);
  void HatchPasteOutline(std::int32_t directionMode, double dx, double dy, double x, double y, double angle,
                         double scaleX, double scaleY);
  void HatchPasteOutlineKeptHatch(std::int32_t directionMode, double dx, double dy, double x, double y, double angle,
                                  double scaleX, double scaleY);
  // The copy buffer under the paste transform: the rubber preview that stops
  // when the cursor moves, its exact erase, and the figure where the paste
  // puts it.
  void DrawBufferPreview(std::int32_t directionMode, std::uint8_t textMode, double dx, double dy, double x, double y,
                         double angle, double scaleX, double scaleY);
  void EraseBufferPreview(std::int32_t directionMode, std::uint8_t textMode, double dx, double dy, double x, double y,
                          double angle, double scaleX, double scaleY);
  void DrawBufferPlaced(std::int32_t directionMode, std::uint8_t textMode, double dx, double dy, double x, double y,
                        double angle, double scaleX, double scaleY, bool skipType9);
  // The attribute commands: the element under the point read into
  // PickedElement, given the current pen, group and layer, or given the
  // current colour (and line type).
  bool PickElementAttributes(double x, double y);
  bool ChangeElementAttributes(double x, double y);
  bool ChangeElementColourType(bool rightClick, double x, double y);
  // The mirror step of the free copy and move: the first line of the
  // editable layers at the point, and the buffer drawn mirrored in it where
  // the mirrored paste puts it.
  bool PickMirrorLine(double x, double y, double& x1, double& y1, double& x2, double& y2);
  void DrawBufferMirrored(std::uint8_t selectedLook, double x1, double y1, double x2, double y2);
  // Helpers every command shares.
  enum class ClickRule : std::uint8_t { Standard, ShiftApart, ShiftAndCtrlApart };
  bool SetClickKindFrom(TShiftState shift, ClickRule rule);
  RPoint2D FreePoint(double x, double y) const;
  void MoveRubberBand(TColor colour, bool penColour, int width, const std::function<void()>& drawBand,
                      const std::function<void()>& moveBand);
  void EraseOwnRubberBand(TColor colour, bool penColour, int width, const std::function<void()>& drawBand);
  // The pen a preview is erased with when the cursor leaves the control:
  // XOR, solid, clear brush; a pen colour of the drawing is prepared for the
  // background, a selection colour is taken as it is.
  void SetXorPen(TColor colour, bool penColour);
  // The snapped point near (x, y): the store's snap search with the grid
  // lines as further candidates; the point marker shows it. False when
  // nothing is near (the click is then dropped).
  bool SnappedPoint(double x, double y, RPoint2D& point);
  RPoint2D MarkerPoint{-5000.0, -5000.0};  // the point marker on the screen; below -4000: none
  std::uint8_t MarkerKind = 0;
  void ShowPointMarker(std::uint8_t kind, double x, double y);
  void XorPointMarker(std::uint8_t kind, double x, double y);
  void InvalidateWorldRect(double x1, double y1, double x2, double y2);
  // The same for a part of the picture whose XOR drawing is over (a line
  // taken off the screen in XOR): painted from the drawing alone.
  void RepaintWorldRectFromDrawing(double x1, double y1, double x2, double y2);
  void InvalidatePointArea(double x, double y);
  void InvalidateLineBand(double x1, double y1, double x2, double y2);
  void InvalidateTextOutline(double x1, double y1, double x2, double y2, double height);
  // The screen an element covers, to be painted again in the order of the
  // display list (an element drawn over the others where it lies drawn
  // again under those that follow it).
  void InvalidateElementArea(const RDrawElement& e);
  bool PickLineCoords(RPointPair& coords, bool useFilter, double x, double y);
  bool PickPlainLineCoords(RPointPair& coords, double x, double y);
  bool PickArcRecord(RDrawElement& element, double x, double y);
  void AddArcToStore(Tdrawinp& store, double cx, double cy, double r, double ratio, double startAngle, double endAngle,
                     double rotation);
  void AddArcAttr(bool newUndo, std::uint8_t colour, std::uint8_t layer, std::uint8_t lineType, Tdrawinp& store,
                  double cx, double cy, double r, double ratio, double startAngle, double endAngle, double rotation);
  void AddTextAttr(const RDrawElement& element, const std::string& text, Tdrawinp& store, bool newUndo,
                   std::uint8_t layer);
  void AddTextExact(const RDrawElement& element, const std::string& text, Tdrawinp& store, bool newUndo);
  void AddPointToStore(Tdrawinp& store, double x, double y);
  void AddPointAttr(std::uint8_t colour, std::uint8_t layer, Tdrawinp& store, bool newUndo, double x, double y);

  // Element arrays of the tools, previewed and committed. high is the index
  // of the last record to take (below 0: none); records past the array are
  // never read, and a text index past the text list reads as no string.
  void CommitElementArray(std::span<const RDrawElement> elements, std::int32_t high, const Tdrawinp::TextList& texts);
  void CommitElementArrayKeepLayer(std::span<const RDrawElement> elements, std::int32_t high,
                                   const Tdrawinp::TextList& texts, bool appendToUndo);
  void CommitAndDrawElementArray(std::span<const RDrawElement> elements, std::int32_t high);
  // A line symbol's array: its colour-11 lines hang on the figure
  // generator's reference line (the first from its first point, the others
  // from its second) and the committed ones take that line's colour.
  void CommitSymbolElementArray(std::span<const RDrawElement> elements, std::int32_t high,
                                const Tdrawinp::TextList& texts);
  void DrawSymbolElementArray(std::span<const RDrawElement> elements, std::int32_t high, std::uint8_t defaultLineType,
                              bool asLines);
  // With the canvas pen as the caller set it (XOR twice for a preview).
  void DrawElementArray(std::span<const RDrawElement> elements, std::int32_t high, std::uint8_t defaultLineType,
                        bool asLines, bool pointMode);

  // Selection filter. The setter's kind bits: 1 texts, 2 points, 4 lines,
  // 8 circles and arcs, 16 oblique lines only; in the other masks bit n - 1
  // stands for number n (colours, line types, text styles, point colours).
  void SetSelectionFilter(std::uint8_t kindBits, std::uint16_t colourBits, std::uint16_t lineTypeBits,
                          std::uint16_t textStyleBits, std::uint16_t pointColourBits);
  bool MatchesColorTypeFilter(std::uint8_t colour, std::uint8_t lineType) const;
  bool MatchesTextStyleFilter(std::uint8_t style) const;
  bool MatchesPointColorFilter(std::uint8_t colour) const;

  // Range selections, their withdrawal, and deletion by point or index.
  // A range is two opposite corners in any order.
  void SelectWindowRange(bool crossing, double x1, double y1, double x2, double y2);
  void SelectParametricRange(double x1, double y1, double x2, double y2);
  void SelectOutsideWindowRange(double x1, double y1, double x2, double y2);
  void DeselectWindowRange(bool crossing, double x1, double y1, double x2, double y2);
  void DeselectAll();
  void DeselectElement(std::int32_t index);
  void DeleteElementAt(double x, double y);
  void DeleteLineByIndex(std::int32_t index, UndoJoin join = UndoJoin::NewStep);
  void DeleteElementByIndex(std::int32_t index);
  // The polygon range over the vertex list of the PolygonObj slot, closed
  // by its edge list; nothing without one.
  void SelectInPolygon(bool crossing);
  void DeselectInPolygon(bool crossing);

  // Picking the element under the cursor; index is an element-list
  // position, -1 when nothing was picked.
  bool PickShownElement(std::int32_t& index, bool useFilter, double x, double y);
  // kind 0 a line or an arc, 1 only a line, 2 only an arc.
  bool PickLineOrArc(std::int32_t& index, bool highlight, double x, double y, std::uint8_t kind);
  bool PickLine(std::int32_t& index, bool highlight, double x, double y);
  bool PickLineNearEndFirst(std::int32_t& index, RDrawElement& element, bool highlight, double x, double y);
  bool PickFilteredLineOrArc(std::int32_t& index, bool highlight, double x, double y);
  bool PickLineOrArcEnd(double& x, double& y, double& angle, bool highlight);
  bool PickFilteredLineNearEndFirst(std::int32_t& index, bool highlight, double x, double y);
  bool ToggleSelectElementAt(std::int32_t& index, double x, double y);
  bool PickTextNearEnd(std::int32_t& index, bool highlight, double x, double y, bool& nearEnd);
  bool PickText(std::int32_t& index, bool highlight, double x, double y);
  // Whether the pixel of (px, py) lies in the frame of a text whose base
  // line runs from (x1, y1) to (x2, y2), height drawing units high.
  bool PointInTextOutline(double x1, double y1, double x2, double y2, double height, double px, double py) const;
  bool DeleteTextAt(double x, double y);

  // ---- Placing, moving, numbering, cutting and joining texts ---------------
  // The held text (PlaceText) as last laid out, the pick it came from and
  // the template of a joined text.
  RPoint2D HeldTextStart;
  RPoint2D HeldTextEnd;
  std::uint8_t TextCopyMode = 0;  // 0 the picked text is moved, 1 copied
  std::uint8_t PickedTextGroup = 0;
  std::uint8_t PickedTextLayer = 0;
  std::uint8_t TextAnchor = 0;  // 0 bottom-left
  std::uint8_t TextEnclosureOn = 0;
  std::uint8_t TextEnclosureShape = 0;
  RDrawElement JoinedTextTemplate{};
  void PlaceHeldText(std::int32_t lock, bool withMargins, double x, double y);
  void DrawHeldTextFrame(double x, double y);
  void RefreshHeldTextFrame();
  void AddHeldTextStep(Tdrawinp& store);
  void AddHeldText(Tdrawinp& store, UndoJoin join);
  void AddTextFromTemplate(const RDrawElement& templ, const std::string& text, UndoJoin join);
  void AddTextRefitted(const RDrawElement& templ, const std::string& text, double x, double y);
  bool PickTextAt(std::string& text, bool peekOnly, double x, double y);
  void JoinTexts(std::int32_t baseIndex, std::int32_t otherIndex, std::string& joined, bool baseFirst, bool deleteBoth);
  void InsertTextAtPick(std::int32_t baseIndex, std::int32_t otherIndex, std::string& result, double x, double y);
  void MovePickedText();
  void NumberTextAt(std::uint8_t mode, double x, double y);
  void CutTextAt(double x, double y);

  // ---- Stock file ------------------------------------------------------------
  // Read the stock file into the copy buffer. A stock file that is there but
  // not whole leaves the buffer and the paste fields as they were, shows why
  // and gives false; no stock file reads as an empty one.
  bool LoadStockToBuffer(std::uint16_t code);
  bool LoadStockForCopy();

  // ---- Platform handlers ---------------------------------------------------
  void Paint() override;
  void Resize() override;
  bool ChildKey(std::uint16_t& key, TShiftState shift) override;
  bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
  bool DoMouseWheelDown(TShiftState shift, TPoint mousePos) override;
  bool DoMouseWheelUp(TShiftState shift, TPoint mousePos) override;

 private:
  std::unordered_map<std::type_index, TOwnedObject> familyStates_;
  std::unique_ptr<Tdrawinp> store_;
  // The window the display lists were built for: refiltering is enough only
  // while the view stays inside it.
  RViewRect listedWindow_;
  bool listsBuilt_ = false;

  double PixelsPerUnit() const { return PixelsPerMm * Zoom; }
  const RPaperSize& CurrentPaper() const;
  void SetViewAbout(double cx, double cy);
  void RecordFixedView();
  void DrawPaperOutline();
  void DrawListedElement(const RDrawElement& e, std::uint8_t layerState, bool fullRedraw);
  void DrawPatternRun(double fx, double fy, double tx, double ty, double phase, std::uint8_t lineType, TCanvas& canvas);
};
