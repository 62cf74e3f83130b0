#pragma once
// The silent abort that ends a screen's handler chain after a failed check
// has been shown: nothing further is checked, posted or shown, and the
// program-wide error handler lets it pass without a word.
namespace vornex::gui {

struct Abortado {};

// Runs a handler, swallowing the silent abort, so that it never crosses Qt's
// own frames. Every slot of a screen that may abort runs through it.
template <typename F>
void Protegido(F&& f) {
  try {
    f();
  } catch (const Abortado&) {
  }
}

}  // namespace vornex::gui
