#include "support/command_harness.h"

#include <QDir>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "canvas/command_registry.h"
#include "commands/framework/command_framework.h"
#include "commands/handlers/command_handlers.h"
#include "geometry/codepage.h"
#include "platform/canvas_qt.h"
#include "support/test_application.h"

namespace {

// Every class a command posts to; a listener under each keeps the order of
// the posts across classes.
std::vector<std::string> HostPanelClasses() {
  std::vector<std::string> classes;
  for (int n = 1; n <= 33; ++n) classes.push_back("TFrame" + std::to_string(n));
  classes.push_back("TFkensa1");
  return classes;
}

TMouseButton ButtonOf(TShiftState bit) {
  if (bit & ssRight) return mbRight;
  if (bit & ssMiddle) return mbMiddle;
  return mbLeft;
}

constexpr TShiftState kButtons = ssLeft | ssRight | ssMiddle;
constexpr TShiftState kModifiers = ssShift | ssAlt | ssCtrl;

bool Near(double a, double b) { return std::abs(a - b) <= 1e-9; }

bool SameElement(const RDrawElement& a, const RDrawElement& b, const std::string& textA, const std::string& textB) {
  if (a.Kind != b.Kind || a.LineType != b.LineType || a.ColorNo != b.ColorNo || a.Group != b.Group ||
      a.Layer != b.Layer || a.Selection != b.Selection || a.Scratch != b.Scratch || a.UndoMark != b.UndoMark) {
    return false;
  }
  switch (a.Kind) {
    case kKindArc:
      return Near(a.X1, b.X1) && Near(a.Y1, b.Y1) && Near(a.Radius, b.Radius) && Near(a.Ratio, b.Ratio) &&
             Near(a.StartAngle, b.StartAngle) && Near(a.EndAngle, b.EndAngle) && Near(a.Rotation, b.Rotation);
    case kKindPoint: return Near(a.X1, b.X1) && Near(a.Y1, b.Y1);
    case kKindText:
      return Near(a.X1, b.X1) && Near(a.Y1, b.Y1) && Near(a.X2, b.X2) && Near(a.Y2, b.Y2) &&
             Near(a.TextAngle, b.TextAngle) && a.TextStyle == b.TextStyle && a.TextDirection == b.TextDirection &&
             textA == textB;
    default:
      return Near(a.X1, b.X1) && Near(a.Y1, b.Y1) && Near(a.X2, b.X2) && Near(a.Y2, b.Y2) && a.LineTag == b.LineTag;
  }
}

std::string TextAt(const Tdrawinp::TextList* texts, const RDrawElement& e) {
  if (texts == nullptr || e.Kind != kKindText || e.TextIndex >= texts->size()) return {};
  return (*texts)[e.TextIndex];
}

std::string Describe(const std::vector<RDrawElement>& list, const Tdrawinp::TextList* texts) {
  std::ostringstream out;
  if (list.empty()) out << "    (none)\n";
  for (const RDrawElement& e : list) out << "    " << DescribeElement(e, texts) << "\n";
  return out.str();
}

}  // namespace

std::string DescribeElement(const RDrawElement& e, const Tdrawinp::TextList* texts) {
  static const char* const kKinds[] = {"line", "rect", "text", "arc", "point", "kind5"};
  std::ostringstream out;
  out.precision(12);
  out << (e.Kind < 6 ? kKinds[e.Kind] : "none") << " type " << int(e.LineType) << " colour " << int(e.ColorNo)
      << " group " << int(e.Group) << " layer " << int(e.Layer) << " sel " << int(e.Selection) << " scratch "
      << int(e.Scratch) << " undo " << int(e.UndoMark) << " ";
  const double x1 = e.X1, y1 = e.Y1;
  switch (e.Kind) {
    case kKindArc: {
      const double r = e.Radius;
      out << "centre (" << x1 << ", " << y1 << ") r " << r << " ratio " << e.Ratio << " angles " << e.StartAngle << ".."
          << e.EndAngle << " rotation " << e.Rotation;
      break;
    }
    case kKindPoint: out << "(" << x1 << ", " << y1 << ")"; break;
    case kKindText: {
      const double x2 = e.X2, y2 = e.Y2;
      out << "(" << x1 << ", " << y1 << ")-(" << x2 << ", " << y2 << ") angle " << e.TextAngle << " style "
          << int(e.TextStyle) << " direction " << int(e.TextDirection) << " \"" << Utf8FromCp932(TextAt(texts, e))
          << "\"";
      break;
    }
    default: {
      const double x2 = e.X2, y2 = e.Y2;
      out << "(" << x1 << ", " << y1 << ")-(" << x2 << ", " << y2 << ") tag " << e.LineTag;
      break;
    }
  }
  return out.str();
}

class CommandHarness::Listener : public NotificationReceiver {
 public:
  Listener(std::string className, std::vector<std::string>& log)
      : className_(std::move(className)), log_(log), window_(RegisterHostWindow(className_, this)) {}
  ~Listener() override { UnregisterHostWindow(window_); }
  void ReceiveNotification(HWND, UINT message, WPARAM, LPARAM) override {
    log_.push_back(className_ + "+" + std::to_string(static_cast<int>(message - WM_USER)));
  }

 private:
  std::string className_;
  std::vector<std::string>& log_;
  HWND window_;
};

CommandHarness::CommandHarness() = default;
CommandHarness::~CommandHarness() = default;

void CommandHarness::SetUp() {
  TestApplication();
  OverrideScreenPixelsPerInch(127);  // 5 pixels per millimetre
  scopedDialogs_ = std::make_unique<ScopedDialogs>(dialogs_);
  scopedInput_ = std::make_unique<ScopedInputPolling>(input_);
  CommandRegistry().Clear();
  RegisterCommandFramework();
  RegisterCommandHandlers();
  for (const std::string& name : HostPanelClasses())
    listeners_.push_back(std::make_unique<Listener>(name, notifications_));

  box_ = std::make_unique<TcadBox>();
  TcadBox& box = *box_;
  // As the program's frame sets the control, with colours that show on
  // the black background, so that a preview left behind shows in the image.
  box.SetColor(clBlack);
  box.ButonType = dtNo;
  box.B_Switch = _off;
  box.Pentyp = 1;
  box.Pencol = 1;
  box.Penwidth = 1;
  box.Mozi_No = 1;
  box.DridoL1 = 5000;
  box.DridoL2 = 4000;
  box.Sentakucol = 0x0000FF;
  box.Sentakucol2 = 0x00FF00;
  box.Sentakucol3 = 0x808080;
  box.Sentakucol4 = 0xFF00FF;
  box.Ringcol = 0x00FFFF;
  box.Gridcolor1 = 0x404040;
  box.Gridcolor2 = 0x606060;
  box.Draw1->LayerStates.fill(kLayerEditable);
  box.SelectionFilter = RSelectionFilter{};
  // The view: (0, 0) at the bottom left, 5 pixels per drawing unit.
  box.Zoom = 1.0;
  box.ClientWidthMm = box.Width() / box.PixelsPerMm;
  box.ClientHeightMm = box.Height() / box.PixelsPerMm;
  box.ViewWindow = {0, 0, box.ClientWidthMm, box.ClientHeightMm};
  box.ViewCentre = {box.ClientWidthMm / 2, box.ClientHeightMm / 2};
  box.BanGo_Click = [this](TcadBox&, Sbuttontype mode, int& genBan, int, int) {
    BanGoCalls.push_back({mode, genBan});
    genBan = 0;
  };
  box.RedrawAll(false);
  ApplyPendingPaint();
}

void CommandHarness::TearDown() {
  box_.reset();
  listeners_.clear();
  DeliverPostedNotifications();
  CommandRegistry().Clear();
  scopedInput_.reset();
  scopedDialogs_.reset();
  OverrideScreenPixelsPerInch(0);
}

template <class Action>
void CommandHarness::Dispatch(Action&& input) {
  const bool seenSoFar = box_->WholeControlInvalidations() == wholePaintsSeen_;
  input();
  // A whole paint the input asked for is one the event loop would make; one
  // asked for before it, outside any input, is not.
  if (seenSoFar) wholePaintsSeen_ = box_->WholeControlInvalidations();
}

void CommandHarness::RedrawAsTheHostDoes() {
  box_->RedrawAll(false);
  ApplyPendingPaint();
}

void CommandHarness::ApplyPendingPaint() {
  box_->Update();
  wholePaintsSeen_ = box_->WholeControlInvalidations();
}

void CommandHarness::CancelCommands() {
  Dispatch([&] { box_->CancelCommands(false); });
}

void CommandHarness::PressKey(std::uint16_t key, TShiftState shift) {
  Dispatch([&] {
    std::uint16_t k = key;
    if (!box_->ChildKey(k, shift)) box_->KeyDown(k, shift);
  });
}

void CommandHarness::TurnWheel(double x, double y, int delta, TShiftState shift) {
  Dispatch([&] { box_->DoMouseWheel(static_cast<TShiftState>(shift | held_), delta, TPoint{PixelX(x), PixelY(y)}); });
}

void CommandHarness::MoveTo(double x, double y, TShiftState modifiers) {
  Dispatch([&] { box_->MouseMove(static_cast<TShiftState>((modifiers & kModifiers) | held_), PixelX(x), PixelY(y)); });
}

void CommandHarness::Press(double x, double y, TShiftState shift) {
  TShiftState pressed = static_cast<TShiftState>(shift & kButtons & ~held_);
  // The lowest new button is the one pressed.
  pressed = static_cast<TShiftState>(pressed & -pressed);
  held_ = static_cast<TShiftState>(held_ | pressed);
  modifiers_ = static_cast<TShiftState>(shift & kModifiers);
  Dispatch(
      [&] { box_->MouseDown(ButtonOf(pressed), static_cast<TShiftState>(modifiers_ | held_), PixelX(x), PixelY(y)); });
}

void CommandHarness::Release(double x, double y, TShiftState button, int modifiers) {
  held_ = static_cast<TShiftState>(held_ & ~button);
  const TShiftState mods = modifiers < 0 ? modifiers_ : static_cast<TShiftState>(modifiers & kModifiers);
  Dispatch([&] { box_->MouseUp(ButtonOf(button), static_cast<TShiftState>(mods | held_), PixelX(x), PixelY(y)); });
}

void CommandHarness::Click(double x, double y, TShiftState shift) {
  MoveTo(x, y, shift);
  Press(x, y, shift);
  Release(x, y, static_cast<TShiftState>(shift & kButtons));
}

void CommandHarness::Drag(double x1, double y1, double x2, double y2, TShiftState shift) {
  MoveTo(x1, y1, shift);
  Press(x1, y1, shift);
  MoveTo(x2, y2, shift);
  Release(x2, y2, static_cast<TShiftState>(shift & kButtons));
}

void CommandHarness::Leave() {
  Dispatch([&] { box_->MouseLeave(); });
}

void CommandHarness::Enter() {
  Dispatch([&] { box_->MouseEnter(); });
}

TColor CommandHarness::PixelAt(double x, double y) {
  box_->Update();  // what a person sees: the paint the event loop makes first
  return box_->Canvas().GetPixel(PixelX(x), PixelY(y));
}

void CommandHarness::StartAfresh(Sbuttontype mode) {
  box_->CancelCommands(false);
  box_->ClearDrawing();
  box_->RedrawAll(false);
  ApplyPendingPaint();
  box_->ButonType = mode;
}

void CommandHarness::Seed(std::initializer_list<RDrawElement> elements) {
  for (const RDrawElement& e : elements) Store().AddElementChecked(e);
  Store().ClearUndoLog();
  box_->RedrawAll(false);
  ApplyPendingPaint();
}

RDrawElement CommandHarness::SeedText(const char* utf8, double x1, double y1, double x2, double y2,
                                      std::uint8_t style) {
  RDrawElement e = Text(Store().ElementTexts, J(utf8), x1, y1, x2, y2);
  e.TextStyle = style;
  e.ColorNo = style;
  Store().AddElementChecked(e);
  Store().ClearUndoLog();
  box_->RedrawAll(false);
  ApplyPendingPaint();
  return Store().Elements.back();
}

std::string CommandHarness::TextOf(const RDrawElement& e) const { return TextAt(&box_->Draw1->ElementTexts, e); }

std::string CommandHarness::UndoTextOf(const RDrawElement& e) const { return TextAt(&box_->Draw1->UndoTexts, e); }

void CommandHarness::ExpectElements(const std::vector<RDrawElement>& want) {
  const std::vector<RDrawElement>& got = Elements();
  bool same = got.size() == want.size();
  for (std::size_t i = 0; same && i < got.size(); ++i) {
    same = SameElement(got[i], want[i], TextOf(got[i]), TextOf(want[i]));
  }
  const Tdrawinp::TextList* texts = &Store().ElementTexts;
  EXPECT_TRUE(same) << "the drawing holds\n" << Describe(got, texts) << "  expected\n" << Describe(want, texts);
}

void CommandHarness::ExpectUndoLog(const std::vector<RDrawElement>& want) {
  const std::vector<RDrawElement>& got = UndoLog();
  bool same = got.size() == want.size();
  for (std::size_t i = 0; same && i < got.size(); ++i) {
    // Expected texts name their strings in the undo texts too.
    same = SameElement(got[i], want[i], UndoTextOf(got[i]), UndoTextOf(want[i]));
  }
  const Tdrawinp::TextList* texts = &Store().UndoTexts;
  EXPECT_TRUE(same) << "the undo log holds\n" << Describe(got, texts) << "  expected\n" << Describe(want, texts);
}

std::vector<std::string> CommandHarness::TakeNotifications() {
  DeliverPostedNotifications();
  std::vector<std::string> taken;
  taken.swap(notifications_);
  return taken;
}

void CommandHarness::ExpectScreenMatchesRedraw() {
  TcadBox& box = *box_;
  if (box.WholeControlPaintPending() && box.WholeControlInvalidations() != wholePaintsSeen_) {
    ADD_FAILURE() << "a paint of the whole control is waiting that no input asked for (the set-up or the test "
                     "changed the control directly): the shown image would itself be a fresh redraw, so the "
                     "comparison could not fail; apply it first (ApplyPendingPaint)";
    return;
  }
  box.Update();  // what the event loop would paint before the screen is seen
  const QImage shown = CanvasImage(box.Canvas()).copy();
  const bool markerShown = box.MarkerPoint.x > -4000 && box.MarkerPoint.y > -4000;
  const RPoint2D marker = box.MarkerPoint;
  const std::uint8_t markerKind = box.MarkerKind;
  const bool ringShown = !box.RingHidden;
  const std::string caption = box.TopMessageShown ? box.TopMessage : std::string();

  box.RedrawAll(false);
  if (markerShown) box.ShowPointMarker(markerKind, marker.x, marker.y);
  if (ringShown) {
    box.RingHidden = false;
    box.ToggleRingCursor();
  }
  if (!caption.empty()) box.ShowTopMessage(caption);
  const QImage& fresh = CanvasImage(box.Canvas());

  int differing = 0;
  int left = shown.width(), top = shown.height(), right = -1, bottom = -1;
  std::ostringstream first;
  for (int y = 0; y < shown.height(); ++y) {
    const auto* a = reinterpret_cast<const QRgb*>(shown.constScanLine(y));
    const auto* b = reinterpret_cast<const QRgb*>(fresh.constScanLine(y));
    for (int x = 0; x < shown.width(); ++x) {
      if ((a[x] & 0xFFFFFF) == (b[x] & 0xFFFFFF)) continue;
      if (differing < 5) {
        first << "    pixel (" << x << ", " << y << ") shown #" << std::hex << (a[x] & 0xFFFFFF) << " redrawn #"
              << (b[x] & 0xFFFFFF) << std::dec << "\n";
      }
      ++differing;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (differing == 0) return;
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const QString stem = QDir::temp().filePath(QString("zuro_%1_%2").arg(test->test_suite_name(), test->name()));
  shown.save(stem + "_shown.png");
  fresh.save(stem + "_redrawn.png");
  ADD_FAILURE() << differing << " pixels differ from a fresh redraw, within (" << left << ", " << top << ")-(" << right
                << ", " << bottom << "):\n"
                << first.str() << "  images: " << stem.toStdString() << "_shown.png, _redrawn.png";
}
