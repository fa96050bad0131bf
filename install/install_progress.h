#pragma once
// What an installation run shows while it works: a phase line, a detail line and a bar, and
// the moments at which the window that shows them may handle its messages.
#include <stdint.h>

class InstallProgress {
 public:
  virtual void ShowPhase(const char* text) = 0;
  virtual void ShowDetail(const char* text) = 0;
  virtual void SetPosition(int32_t position) = 0;
  // Lets the window handle one waiting message; whatever it was is dropped.
  virtual void Breathe() = 0;
  // Holds a step on screen long enough to be seen.
  virtual void Pause(int milliseconds) = 0;

 protected:
  ~InstallProgress() = default;
};
