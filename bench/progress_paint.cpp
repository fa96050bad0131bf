// What one step of the installation's progress bar costs. The wizard's bar (smooth, 0..16,
// 420 x 22) in a plain window is moved from one end to the other a number of times; the
// control repaints itself within PBM_SETPOS, so the time of the message is the time of one
// repaint. Then the two drawing operations a themed repaint is made of, into a memory
// bitmap: the visual style's drawing of the bar and its fill, and one stretch of a small
// picture to the bar's size in each stretch mode. Figures as "name value", per operation:
//   steps                      bar steps measured
//   setpos_ms, setpos_cpu_ms   one step: wall time and the thread's processor time
//   theme_draw_ms              DrawThemeBackground of the bar's frame and of its fill
//   halftone_stretch_ms        StretchBlt 12 x 12 -> 420 x 22, HALFTONE mode (processor time
//   plain_stretch_ms           in *_cpu_ms), and the same in COLORONCOLOR mode
// The processor times come from GetThreadTimes, whose clock ticks in steps of 10 ms or more:
// they are averages over many operations.
#include "bench/plain_window.h"
#include "bench/clock.h"
#include <commctrl.h>
#include <stdio.h>
#include <uxtheme.h>

namespace {

// Parts of the progress class in the visual style.
enum { BarPart = 1, ChunkPart = 3 };

constexpr int Rounds = 8;
constexpr int Range = 16;
constexpr int Operations = Rounds * Range;
constexpr int BarWidth = 420, BarHeight = 22;
constexpr int PictureSide = 12;

double ThreadCpuMs() {
  FILETIME created, ended, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
  auto ms = [](const FILETIME& t) {
    return (double)(((unsigned long long)t.dwHighDateTime << 32) | t.dwLowDateTime) / 10000.0;
  };
  return ms(kernel) + ms(user);
}

struct Cost {
  double wallMs, cpuMs;
};

// The cost of one call of operation, over count calls.
template <typename Operation>
Cost Measure(int count, Operation operation) {
  double wall = Now(), cpu = ThreadCpuMs();
  for (int i = 0; i < count; ++i) operation(i);
  return {(Now() - wall) / count, (ThreadCpuMs() - cpu) / count};
}

void Drain() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

// Each round starts from an empty bar, as the installation does, and fills it step by step.
Cost StepCost(HWND bar) {
  return Measure(Operations, [bar](int i) {
    if (i % Range == 0) {
      SendMessageA(bar, PBM_SETPOS, 0, 0);
      Drain();
    }
    SendMessageA(bar, PBM_SETPOS, i % Range + 1, 0);
  });
}

using OpenThemeDataFunction = HTHEME(WINAPI*)(HWND, LPCWSTR);
using DrawThemeBackgroundFunction = HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*,
                                                     const RECT*);
using CloseThemeDataFunction = HRESULT(WINAPI*)(HTHEME);

template <typename Function>
Function ThemeFunction(const char* name) {
  HMODULE uxtheme = LoadLibraryA("uxtheme.dll");
  return uxtheme ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(uxtheme, name)))
                 : nullptr;
}

// A memory bitmap of the bar's size to draw into.
struct Canvas {
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ old;
};

Canvas OpenCanvas(HDC screen, int width, int height) {
  Canvas canvas;
  canvas.dc = CreateCompatibleDC(screen);
  canvas.bitmap = CreateCompatibleBitmap(screen, width, height);
  canvas.old = SelectObject(canvas.dc, canvas.bitmap);
  return canvas;
}

void CloseCanvas(const Canvas& canvas) {
  SelectObject(canvas.dc, canvas.old);
  DeleteObject(canvas.bitmap);
  DeleteDC(canvas.dc);
}

// Wall time of the style's drawing of the bar; -1 when the system has no visual style.
double ThemeDrawCost(HWND window, HDC target) {
  auto open = ThemeFunction<OpenThemeDataFunction>("OpenThemeData");
  auto draw = ThemeFunction<DrawThemeBackgroundFunction>("DrawThemeBackground");
  auto close = ThemeFunction<CloseThemeDataFunction>("CloseThemeData");
  HTHEME theme = open && draw && close ? open(window, L"PROGRESS") : nullptr;
  if (!theme) return -1;
  RECT frame = {0, 0, BarWidth, BarHeight}, fill = {1, 1, BarWidth - 1, BarHeight - 1};
  Cost cost = Measure(Operations, [&](int) {
    draw(theme, target, BarPart, 0, &frame, nullptr);
    draw(theme, target, ChunkPart, 0, &fill, nullptr);
  });
  close(theme);
  return cost.wallMs;
}

Cost StretchCost(HDC target, HDC picture, int mode) {
  SetStretchBltMode(target, mode);
  return Measure(Operations, [&](int) {
    StretchBlt(target, 0, 0, BarWidth, BarHeight, picture, 0, 0, PictureSide, PictureSide,
               SRCCOPY);
  });
}

}  // namespace

int main() {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  HWND window = CreatePlainWindow();
  HWND bar = CreateWindowExA(0, PROGRESS_CLASSA, nullptr, WS_CHILD | WS_VISIBLE | PBS_SMOOTH, 40,
                             58, BarWidth, BarHeight, window, nullptr, GetModuleHandleA(nullptr),
                             nullptr);
  SendMessageA(bar, PBM_SETRANGE32, 0, Range);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  Drain();
  Cost step = StepCost(bar);

  HDC screen = GetDC(window);
  Canvas target = OpenCanvas(screen, BarWidth, BarHeight);
  Canvas picture = OpenCanvas(screen, PictureSide, PictureSide);
  PatBlt(picture.dc, 0, 0, PictureSide, PictureSide, WHITENESS);
  double draw = ThemeDrawCost(window, target.dc);
  Cost halftone = StretchCost(target.dc, picture.dc, HALFTONE);
  Cost plain = StretchCost(target.dc, picture.dc, COLORONCOLOR);
  CloseCanvas(picture);
  CloseCanvas(target);
  ReleaseDC(window, screen);

  printf("steps %d\nsetpos_ms %.3f\nsetpos_cpu_ms %.3f\ntheme_draw_ms %.3f\n"
         "halftone_stretch_ms %.3f\nhalftone_stretch_cpu_ms %.3f\nplain_stretch_ms %.3f\n"
         "plain_stretch_cpu_ms %.3f\n",
         Operations, step.wallMs, step.cpuMs, draw, halftone.wallMs, halftone.cpuMs,
         plain.wallMs, plain.cpuMs);
  fflush(stdout);
  DestroyWindow(window);
  return 0;
}
