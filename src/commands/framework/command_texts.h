#pragma once
// The prompts and captions that more than one command family shows, kept in
// one place so that a wording reads the same in every command. They are
// UTF-8 like every literal of the source; J() gives the code page 932 bytes
// the canvas shows. A text that one family alone shows stays in its file.

// Guide prompts of a clicked point: a left click takes it free, a right
// click from the nearest point of the drawing. The two bracket spellings
// are both shown, by different commands.
inline constexpr char kFirstPointPrompt[] = "1点目指示    [左クリック：（自由）  右クリック：（点読取り）]";
inline constexpr char kSecondPointPrompt[] = "2点目指示    [左クリック：（自由）  右クリック：（点読取り）]";
inline constexpr char kFirstPointPromptCompact[] = "1点目指示    [左クリック（自由）：右クリック（点読取り）]";
inline constexpr char kPointPrompt[] = "点指示    [左クリック：（自由）  右クリック：（点読取り）]";
inline constexpr char kPointPromptShort[] = "点    [左クリック（自由）：右クリック（点読取り）]";
inline constexpr char kStartPointPrompt[] = " 始点指示    [左クリック：（自由）  右クリック：（点読取り）]";
inline constexpr char kSnappedStartPointPrompt[] = "始点指示    [左クリック：右クリック（点読取り）]";
inline constexpr char kSnappedEndPointPrompt[] = "終点指示    [左クリック：右クリック（点読取り）]";
// The first vertex of a polyline or curve, and a further vertex (the
// first one again closes it).
inline constexpr char kFirstVertexPrompt[] = "開始点指示    [左クリック（自由）：右クリック（点読取り）]";
inline constexpr char kNextVertexPrompt[] = "終点指示（開始点）    [左クリック：（自由）  右クリック：（点読取り）]";
inline constexpr char kPlacePointPrompt[] = "作図位置指示    [左クリック（自由）：右クリック（点読取り）]";
inline constexpr char kCopyOrMovePlacePrompt[] = "複写または移動位置を指示";
inline constexpr char kSecondPointCaption[] = "2点目指示";

// Picking lines.
inline constexpr char kLinePrompt[] = "線指示";
inline constexpr char kFirstLinePrompt[] = "1線目指示";
inline constexpr char kSecondLinePrompt[] = "2線目指示";
inline constexpr char kAngleLinePrompt[] = "角度読取線指示    [左クイック：（平行）  右クイック：（左+180）]";

// The range frame's captions: the range taken, or left out.
inline constexpr char kRangeCaption[] = "範    囲";
inline constexpr char kRangeLeftOutCaption[] = "範囲除外";

// A click that found something, or nothing.
inline constexpr char kPointHitCaption[] = "点ﾋｯﾄ";
inline constexpr char kPointHitPrompt[] = "点ヒット";
inline constexpr char kNoFigureMessage[] = "図形がありません";
inline constexpr char kNoLineMessage[] = "線がありません";
inline constexpr char kNoLineExclaimed[] = "線がありません！";
inline constexpr char kNoPointCaption[] = " 点なし ";
inline constexpr char kNoPointShort[] = "点無";
inline constexpr char kNoPointMessage[] = "点無し";
inline constexpr char kNoCircleShort[] = "円無";

// A point that repeats one taken before.
inline constexpr char kSamePointMessage[] = "同一点";
inline constexpr char kSameAsFirstMessage[] = "1点目と同一です";

// Gesture-menu captions that several families offer: the confirm of the
// left and of the right button, and the new selection of a running command.
inline constexpr char kConfirmCaption[] = " 確　 定 ";
inline constexpr char kConfirmSnappedCaption[] = " 確　定  ";
inline constexpr char kReselectCaption[] = " 再選択  ";
