// showcase.cpp - a tour of the library on ten pages: sprites (keyed, unkeyed,
// stretched, flipped, waved, shaken, tiled in a clip window), primitives and
// fills, text, a scene switch, the nine wipes, story text typed out and
// smoothed, sounds (keys play, the mouse pans, Up and Down change the
// frequency, P pauses, E switches the echo's wandering pan, B beeps),
// joysticks (levers and charge bars), MIDI music (looped, once, stopped)
// and a long sound streamed from a sound pack with a loop point (Left from
// the first page leads there).
// S saves the frame as "screenshot.bmp". Right / Left turn the page, Enter asks to
// go to the second scene (which returns after 10 s, or on Space), Esc asks to
// quit. A sprite glides across the top at 120 pixels a second whatever the
// frame rate; a left click leaves a marker. Needs bmp/block.bmp beside the
// program (the build copies it); without it the marks are drawn by hand.
// The sounds come from wav\*.wav beside the program (tools/make_sounds.py);
// music\theme.wav is packed into "music.pak" at start and streamed from it;
// midi\*.mid is made by tools/make_midi.py.
// Headless: RU_BACKEND=headless RU_MAX_FRAMES=300 build/release/showcase
#include <algorithm>
#include <cmath>

#include "ru.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255), kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 200, 0), kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0), kGrey = RGB(96, 96, 96);
constexpr int kPages = 10;
constexpr int kSwitchPage = 3;  // Enter goes to scene 2 from here
constexpr int kBlinkWait = 1;  // numbered wait for the blinking hint
constexpr int kBackWait = 2;   // numbered wait: scene 2 returns by itself

int Marks = 0;   // the two 40 x 40 marks side by side (80 x 40)
int Ball = 0;    // a 32 x 32 ball made with primitives, black keyed
int Page = 0;
float GlideX = 0;
int Blip = -1, Chord = -1, Sweep = -1;  // sound numbers
int Theme = -1;                         // the streamed sound
constexpr int kThemeLoop = 3 * 11025;   // its loop point: second 3 (8-bit mono 11025 Hz)
int EchoWanders = 0;
bool SoundsLoaded = false;
int HintShown = 1;

// The marks drawn by hand, for when the bitmap is missing.
int MakeMarks() {
  int no = ruDraw::CreateObject(80, 40, 1);
  if (no == 0) return 0;
  ruDraw::ClearScreen();
  ruDraw::Box(0, 0, 40, 40, kRed, kWhite, 2);
  ruDraw::Box(40, 0, 80, 40, kBlue, kWhite, 2);
  ruDraw::GetScreen(no, 0, 0, 80, 40);
  return no;
}

// A yellow ball with a red ring on black (black is transparent when drawn).
int MakeBall() {
  int no = ruDraw::CreateObject(32, 32, 1);
  if (no == 0) return 0;
  ruDraw::ClearScreen();
  POINT ring[12];
  for (int i = 0; i < 12; ++i) {
    double a = i * 6.283185307179586 / 12;
    ring[i] = {16 + static_cast<LONG>(14 * std::cos(a)), 16 + static_cast<LONG>(14 * std::sin(a))};
  }
  ruDraw::Polygon(ring, 12, kRed, kYellow, 2, 1);
  ruDraw::Box(11, 11, 21, 21, kYellow, kYellow, 1);
  ruDraw::GetScreen(no, 0, 0, 32, 32);
  ruDraw::SetObjectColorKey(no, RGB(0, 0, 0));
  return no;
}

void Title(const char* text) {
  ruDraw::SetFont(1, 24, 0, 1, 0, 0);
  ruDraw::SetTextColor(kWhite, 0, 1);
  ruDraw::PutText(20, 36, text);
  ruDraw::ResetFont();
}

void SpritesPage() {
  Title("1. スプライト");
  ruDraw::Box(10, 70, 630, 210, kGrey, kGrey, 1);  // shows where the colour key cuts
  ruDraw::Draw(20, 80, Marks, 0, 0, 80, 40);
  ruDraw::DrawNoKey(120, 80, Marks, 0, 0, 80, 40);
  ruDraw::DrawStretch(220, 80, Marks, 0, 0, 40, 40, 80, 60);
  ruDraw::DrawStretchNoKey(320, 80, Marks, 40, 0, 80, 40, 20, 60);
  for (int mode = 0; mode < 4; ++mode) ruDraw::DrawFlip(20 + 90 * mode, 160, mode, Marks, 0, 0, 80, 40);
  ruDraw::DrawWave(380, 160, 8, 2, 180.0f, Marks, 0, 0, 80, 40, 0);
  ruDraw::DrawShake(480, 160, 3, Marks, 0, 0, 80, 40);
  // A tiled, scrolling field seen through a clip window.
  ruDraw::Box(19, 229, 301, 411, 0, kWhite, 1);
  ruDraw::SetClipWindow(20, 230, 300, 410);
  ruDraw::DrawTile(30.0f, 20.0f, Ball, 0, 0, 32, 32);
  ruDraw::Draw(250, 380, Marks, 0, 0, 80, 40);  // cut by the clip window
  ruDraw::SetClipWindow(0, 0, 640, 480);
  ruDraw::DrawFlip(600, 300, 1, Marks, 0, 0, 80, 40);  // cut by the screen edge
}

void PrimitivesPage() {
  Title("2. 図形と塗り");
  ruDraw::Box(20, 80, 120, 160, kGreen, kWhite, 3);
  ruDraw::Line(140, 80, 260, 160, kYellow, 1);
  ruDraw::Line(140, 160, 260, 80, kRed, 4);
  POINT star[5] = {{340, 80}, {370, 160}, {290, 110}, {390, 110}, {310, 160}};
  ruDraw::Polygon(star, 5, kYellow, 0, 1, 0);
  POINT hatch[4] = {{420, 80}, {520, 80}, {500, 160}, {440, 160}};
  ruDraw::Polygon(hatch, 4, kRed, kBlue, 1, 1);
  POINT curve[7] = {{20, 260}, {80, 180}, {140, 340}, {200, 260},
                    {260, 180}, {320, 340}, {380, 260}};
  ruDraw::Bezier(curve, 7, kWhite, 2);
  ruDraw::FillRect(420, 200, 520, 260, ruDraw::WhiteColor & 0x001F);  // raw pixel: blue bits
  ruDraw::WhiteRect(540, 200, 620, 260);
  ruDraw::ClearRect(560, 220, 600, 240);
  ruDraw::WhiteRect(420, 280, 620, 340);
  ruDraw::FrameRect(425, 285, 615, 335);
  ruDraw::Box(20, 360, 300, 440, kRed, kRed, 1);
  ruDraw::HalfRect(60, 380, 260, 420, ruDraw::WhiteColor);  // pink: red mixed with white
  ruDraw::Box(340, 360, 620, 440, kBlue, kWhite, 1);
  ruDraw::InvertBox(360, 380, 600, 420);
  for (int x = 420; x < 620; x += 4) ruDraw::SetPixel(x, 350, kYellow);
}

void TextPage() {
  Title("3. 文字");
  ruDraw::SetFont(0, 16, 0, 0, 0, 0);
  ruDraw::SetTextColor(kYellow, kGrey, 0);
  ruDraw::PutText(20, 80, "明朝 16: 背景つき");
  ruDraw::ResetFont();
  ruDraw::SetFont(1, 20, 0, 0, 1, 1);
  ruDraw::SetTextColor(kGreen, 0, 1);
  ruDraw::PutText(20, 110, "ゴシック 20: 斜体と下線");
  ruDraw::ResetFont();
  ruDraw::Box(19, 149, 321, 301, kBlue, kWhite, 1);  // outside the text span
  ruDraw::SetFont(1, 16, 0, 0, 0, 0);
  ruDraw::SetTextColor(kWhite, kBlue, 0);
  int h = ruDraw::PutTextBox(20, 150, 320, 300,
                             "箱の中の文章は単語の切れ目で折り返されます。"
                             "Long English words wrap at spaces too.",
                             0);
  ruDraw::ResetFont();
  ruDraw::Printf(20, 320, "PutTextBox の高さ = %d", h);
  ruDraw::Printf(20, 340, "FrameTime = %.3f 秒", ruSystem::FrameTime);
  ruDraw::SetFontName("ＭＳ 明朝", 24, 0, 0, 0, 0);  // a face by its Windows name
  ruDraw::SetTextColor(kWhite, 0, 1);
  ruDraw::PutText(20, 370, "ＭＳ 明朝: 名前で選んだ書体");
  ruDraw::ResetFont();
  ruDraw::SetFont(1, 24, 90, 0, 0, 0);  // turned a quarter to the left (degrees)
  ruDraw::SetTextColor(kYellow, 0, 1);
  ruDraw::PutText(600, 300, "縦書き");
  ruDraw::ResetFont();
}

void SwitchPage() {
  Title("4. 場面の切り替え");
  ruDraw::Print(20, 90, "Enter: 場面 2 へ (確認あり)");
  ruDraw::Print(20, 110, "Esc: 終了");
}

// One joystick's column at x: position, centre, direction, the two levers
// as bars from the middle, the four buttons' states and charge bars.
void JoystickColumn(int id, int x) {
  int px = 0, py = 0, cx = 0, cy = 0, lx = 0, ly = 0;
  ruSystem::GetJoyPos(id, &px, &py);
  ruSystem::GetJoystickCenter(id, &cx, &cy);
  ruSystem::GetJoyLever(id, &lx, &ly);
  int states[4] = {}, charges[4] = {};
  ruSystem::GetJoyButtonStates(id, &states[0], &states[1], &states[2], &states[3]);
  ruSystem::GetJoyCharges(id, &charges[0], &charges[1], &charges[2], &charges[3]);
  ruDraw::Printf(x, 80, "ジョイスティック %d", id);
  ruDraw::Printf(x, 100, "位置 %d, %d  中心 %d, %d", px, py, cx, cy);
  ruDraw::Printf(x, 120, "テンキー %d", ruSystem::GetJoyKeypad(id));
  // Lever X: a horizontal bar; lever Y: a vertical one (up is -100).
  ruDraw::Box(x, 150, x + 201, 170, 0, kWhite, 1);
  const int mx = x + 100, my = 250;  // the bars' zero points
  ruDraw::Box(mx + std::min(lx, 0), 152, mx + 1 + std::max(lx, 0), 168, kGreen, kGreen, 1);
  ruDraw::Box(x + 230, 150, x + 250, 351, 0, kWhite, 1);
  ruDraw::Box(x + 232, my + std::min(ly, 0), x + 248, my + 1 + std::max(ly, 0), kGreen, kGreen, 1);
  for (int b = 0; b < 4; ++b) {
    const int y = 190 + 40 * b;
    ruDraw::Printf(x, y, "%d: 状態 %d", b + 1, states[b]);
    ruDraw::Box(x + 100, y, x + 202, y + 16, 0, kWhite, 1);
    if (charges[b] > 0)
      ruDraw::Box(x + 101, y + 1, x + 101 + charges[b], y + 15, kYellow, kYellow, 1);
  }
}

void JoystickPage() {
  Title("8. ジョイスティック");
  JoystickColumn(0, 20);
  JoystickColumn(1, 330);
  ruDraw::Print(20, 370, "レバー: 速さ 200/秒  溜め: 50/秒 (2 秒で 100)");
}

// Each wipe pattern closes the picture, then the next pattern opens it.
void WipePage() {
  static int pattern = 1;
  if (ruSystem::WipeState == 0) {
    ruDraw::SetWipe(1, pattern, 400.0f, 40);
  } else if (ruSystem::WipeState == -1) {
    pattern = pattern % 9 + 1;
    ruDraw::SetWipe(0, pattern, 400.0f, 40);
  }
  ruDraw::Wipe();
  // The picture is drawn through the clip window the wipe moves.
  ruDraw::DrawTile(40.0f, 25.0f, Ball, 0, 0, 32, 32);
  for (int i = 0; i < 6; ++i) ruDraw::Draw(40 + 100 * i, 220, Marks, 0, 0, 80, 40);
  Title("5. ワイプ");  // text is not clipped
  ruDraw::Printf(20, 80, "パターン %d  %s  WipeState=%d  WipeOpened=%d  WipeClosed=%d",
                 ruDraw::WipePattern, ruDraw::WipeClose ? "閉じる" : "開く",
                 ruSystem::WipeState, ruDraw::WipeOpened, ruDraw::WipeClosed);
}

// Leaves the wipe page with the whole screen visible again.
void EndWipe() {
  ruDraw::SetClipWindow(0, 0, 640, 480);
  ruSystem::WipeState = 0;
}

const char kStory[] =
    "むかしむかし、ある山のふもとに、小さな村がありました。"
    "村の子どもたちは、毎日「まるばつ」をして遊んでいました。\n"
    "ある日、見知らぬ旅人が村を訪れ、こう言いました。「この遊びに勝つ秘訣を教えよう」……";

// A boxed paragraph with a shadow, typed out; then the same smoothed.
void StoryPage(bool entered) {
  static int typed = 0;
  Title("6. 物語の文章");
  ruDraw::Box(20, 70, 620, 250, RGB(0, 0, 96), kWhite, 1);
  ruDraw::Box(20, 270, 620, 450, RGB(0, 0, 96), kWhite, 1);
  ruDraw::SetFont(0, 20, 0, 0, 0, 0);
  ruDraw::SetTextColor(kWhite, kGrey, 1);
  if (entered) {
    ruDraw::BoxTextToSprite(30, 80, 610, 245, kStory, ruDraw::kTextShadow | 4);
    typed = 0;
  }
  if (!typed) typed = ruDraw::TypeText(0.03f);
  else ruDraw::BoxText(30, 80, 610, 245, kStory, ruDraw::kTextShadow | 4);
  ruDraw::ResetFont();
  if (!typed) return;
  ruDraw::SetBufferFont(0, 20);
  ruDraw::SetTextColor(kYellow, kGrey, 1);
  ruDraw::SmoothText(30, 280, 610, 445, kStory, ruDraw::kTextShadow | 8);
  ruDraw::ResetBufferFont();
}

// 1 for a key newly pressed this frame.
bool Pressed(int vk) {
  static int states[256];
  ruSystem::GetKey(vk, &states[vk & 0xFF]);
  return states[vk & 0xFF] == 1;
}

void SoundPage() {
  Title("7. 音");
  ruDraw::SetTextColor(kWhite, 0, 1);
  ruDraw::Print(20, 80, "1: ブリップ (こだま)  2: 和音  3: 声のようなスイープ (繰り返し)");
  ruDraw::Print(20, 100, "X: 止める  P: 一時停止  ↑↓: 周波数  マウス左右: 定位");
  ruDraw::Print(20, 120, "E: こだまの定位を揺らす  V: 音量を下げる  B: ビープ");
  if (!SoundsLoaded) {
    ruDraw::Print(20, 160, "音の出力か音のファイルがありません (無音で動きます)");
    return;
  }
  if (Pressed('1')) ruSound::Play(Blip, -2);
  if (Pressed('2')) ruSound::Play(Chord, -1);
  if (Pressed('3')) ruSound::PlayLoop(Sweep, 0);
  if (Pressed('X')) ruSound::Stop(Sweep, -1);
  if (Pressed('P')) ruSound::Pause(Sweep, -1);
  if (Pressed(VK_UP)) ruSound::AddFrequency(Sweep, 20, 0);
  if (Pressed(VK_DOWN)) ruSound::AddFrequency(Sweep, -20, 0);
  if (Pressed('V')) ruSound::AddVolume(Sweep, -3, 0);
  if (Pressed('E')) EchoWanders = !EchoWanders;
  if (Pressed('B')) ruSound::Beep();
  ruSound::SetPan(Sweep, (ruSystem::MouseX - 320) * 100 / 320, 0);
  if (EchoWanders) ruSound::EchoPan(Blip, 150, 5, 4, 40);
  else ruSound::Echo(Blip, 150, 5, 4);
  const ruSound::SoundObject& s = ruSound::Sounds[Sweep];
  ruDraw::Printf(20, 170, "スイープ: %d Hz  定位 %d  音量 %d  位置 %lu", s.Frequency[0],
                 s.Pan[0], s.Volume[0], static_cast<unsigned long>(ruSound::GetPosition(Sweep)));
  ruDraw::Printf(20, 190, "ブリップのこだま: %d  %s", ruSound::Sounds[Blip].EchoStep,
                 EchoWanders ? "定位が揺れる" : "定位は中央");
  // The pan as a bar following the mouse.
  ruDraw::Box(20, 220, 620, 240, kGrey, kWhite, 1);
  const int x = 320 + s.Pan[0] * 300 / 10000;
  ruDraw::Box(x - 3, 216, x + 4, 244, kYellow, kYellow, 1);
}

void MusicPage() {
  Title("9. 音楽 (MIDI)");
  ruDraw::SetTextColor(kWhite, 0, 1);
  ruDraw::Print(20, 80, "1: 繰り返し演奏  2: 一回だけ演奏  O: この回で終わる  X: 止める");
  if (Pressed('1')) ruSound::PlayMidi("midi\\tune.mid", 1);
  if (Pressed('2')) ruSound::PlayMidi("midi\\tune.mid", 0);
  if (Pressed('O')) ruSound::MidiOnce();
  if (Pressed('X')) ruSound::StopMidi();
  ruDraw::Printf(20, 120, "開いている: %d  繰り返し: %d  終わった (MidiEnded): %d",
                 ruSound::MidiOpen, ruSound::MidiLoop, ruSound::MidiEnded);
  ruDraw::Box(20, 160, 60, 200, kGrey, kWhite, 1);
  if (ruSound::MidiEnded) ruDraw::Box(22, 162, 58, 198, kGreen, kGreen, 1);
}

void StreamPage() {
  Title("10. ストリーム再生");
  ruDraw::SetTextColor(kWhite, 0, 1);
  ruDraw::Print(20, 80, "1: 繰り返し (3 秒目へ戻る)  2: 一回だけ  X: 止める  P: 一時停止");
  if (Theme < 0) {
    ruDraw::Print(20, 160, "音の出力かパックがありません (無音で動きます)");
    return;
  }
  if (Pressed('1')) ruSound::PlayLoop(Theme, -1);
  if (Pressed('2')) ruSound::Play(Theme, -1);
  if (Pressed('X')) ruSound::Stop(Theme, -1);
  if (Pressed('P')) ruSound::Pause(Theme, -1);
  const ruSound::SoundStream& st = ruSound::Sounds[Theme].Stream;
  const DWORD at = ruSound::GetPosition(Theme);
  ruDraw::Printf(20, 120, "読んだ量 %lu / %lu  書く位置 %lu  再生位置 %lu",
                 static_cast<unsigned long>(st.ReadCount), static_cast<unsigned long>(st.Size),
                 static_cast<unsigned long>(st.WritePos), static_cast<unsigned long>(at));
  // The four-second buffer: the piece written last, and the play position.
  ruDraw::Box(20, 160, 620, 190, kGrey, kWhite, 1);
  if (st.BufferSize) {
    const int from = 20 + int(600.0 * st.ChunkStart / st.BufferSize);
    const int to = 20 + int(600.0 * st.WritePos / st.BufferSize);
    if (to > from) ruDraw::Box(from, 164, to, 186, kBlue, kBlue, 1);
    const int x = 20 + int(600.0 * at / st.BufferSize);
    ruDraw::Box(x - 2, 156, x + 3, 194, kYellow, kYellow, 1);
  }
}

// Turns the page on a completed press-and-release of Left or Right.
// True when the page changed.
bool TurnPage() {
  const int before = Page;
  int code = ruSystem::CheckKeyList(VK_RIGHT, VK_LEFT, 0);
  if (code == VK_RIGHT) Page = (Page + 1) % kPages;
  if (code == VK_LEFT) Page = (Page + kPages - 1) % kPages;
  if (Page != before && before == 4) EndWipe();
  return Page != before;
}

// S saves the frame drawn so far; a note shows for two seconds.
void SaveOnKey() {
  static int key = 0;
  static float shown = 0;
  ruSystem::GetKey('S', &key);
  if (key == 1 && ruDraw::SaveScreen("screenshot.bmp", 640, 480)) shown = 2.0f;
  if (shown <= 0) return;
  shown -= ruSystem::FrameTime;
  ruDraw::Print(20, 460, "screenshot.bmp に保存しました");
}

void DrawGlider() {
  GlideX += 120.0f * ruSystem::FrameTime;
  if (GlideX > 640) GlideX -= 680;
  ruDraw::Draw(static_cast<int>(GlideX), 2, Ball, 0, 0, 32, 32);
}

// A cross-hair at the mouse; a left click leaves a marker where it was.
void DrawMouse() {
  static int markX = -100, markY = -100;
  const int x = ruSystem::MouseX, y = ruSystem::MouseY;
  if (ruSystem::LeftClick) markX = x, markY = y;
  ruDraw::Box(markX - 4, markY - 4, markX + 5, markY + 5, kGreen, kWhite, 1);
  ruDraw::Line(x - 8, y, x + 9, y, kWhite, 1);
  ruDraw::Line(x, y - 8, x, y + 9, kWhite, 1);
}

void DrawHint() {
  if (ruSystem::CheckWait(kBlinkWait)) {
    HintShown = !HintShown;
    ruSystem::SetWait(kBlinkWait, 500);
  }
  if (HintShown) ruDraw::Printf(420, 460, "← → ページ %d/%d", Page + 1, kPages);
}

}  // namespace

void GameInit() {
  ruDraw::Screen(640, 480, 1);
  ruDraw::SetColorKey(RGB(0, 0, 0));
  Marks = ruDraw::LoadObject("bmp\\block.bmp", 1);
  if (Marks == 0) {
    ruSystem::ErrorFlag = 0;
    Marks = MakeMarks();
  }
  Ball = MakeBall();
  if (ruSound::SoundReady) {
    Blip = ruSound::LoadObject("wav\\blip.wav", 6);  // six buffers: the blip and its echoes
    Chord = ruSound::LoadObject("wav\\chord.wav", 3);
    Sweep = ruSound::LoadObject("wav\\sweep.wav", -1);
  }
  SoundsLoaded = Blip >= 0 && Chord >= 0 && Sweep >= 0;
  if (ruSound::SoundReady) {
    ruSound::Convert("music.pak", "music", 1);
    ruSound::SelectPack("music.pak");
    Theme = ruSound::LoadStream("theme.wav", kThemeLoop);
  }
  ruSystem::SetWait(kBlinkWait, 500);
  for (int id = 0; id < 2; ++id) ruSystem::SetJoystickSpeed(id, 200.0f, 50.0f);
  ruSystem::SceneNo = 1;
}

void PlayScene() {
  ruDraw::ClearScreen();
  const bool turned = TurnPage() || ruSystem::SceneStart;
  switch (Page) {
    case 0: SpritesPage(); break;
    case 1: PrimitivesPage(); break;
    case 2: TextPage(); break;
    case kSwitchPage: SwitchPage(); break;
    case 4: WipePage(); break;
    case 5: StoryPage(turned); break;
    case 6: SoundPage(); break;
    case 7: JoystickPage(); break;
    case 8: MusicPage(); break;
    default: StreamPage(); break;
  }
  ruSound::Streaming();
  DrawGlider();
  DrawMouse();
  DrawHint();
  ruDraw::PrintFps();
  SaveOnKey();
  static int enter = 0;  // a key's state lives from check to check
  ruSystem::GetKey(VK_RETURN, &enter);
  ruDraw::Present();
  if (enter == 1 && Page == kSwitchPage && ruSystem::Question("場面 2 へ進みますか？"))
    ruSystem::SceneNo = 2;
}

void ResultScene() {
  static int space = 0;
  static float seconds = 0;
  if (ruSystem::SceneStart) {  // the scene's first frame: start its clock
    seconds = 0;
    ruSystem::SetWait(kBackWait, 10000);
  }
  seconds += ruSystem::FrameTime;
  ruDraw::WhiteScreen();
  ruDraw::SetFont(1, 32, 0, 1, 0, 0);
  ruDraw::SetTextColor(kBlue, 0, 1);
  ruDraw::PutText(200, 200, "場面 2");
  ruDraw::ResetFont();
  ruDraw::Printf(200, 260, "Space で戻る (10 秒で自動)  %4.1f 秒", seconds);
  DrawGlider();
  ruDraw::Present();
  ruSystem::GetKey(VK_SPACE, &space);
  if (space == 1) {
    ruSystem::Message("場面 1 に戻ります");
    ruSystem::SceneNo = 1;
  }
  if (ruSystem::CheckWait(kBackWait)) ruSystem::SceneNo = 1;
}
