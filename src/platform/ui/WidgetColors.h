#pragma once
// Background and text colours of controls, given as Windows RGB values.
#include <cstdint>

class QWidget;

namespace vb {
void SetBackColor(QWidget* w, uint32_t winRgb);
void SetForeColor(QWidget* w, uint32_t winRgb);
}  // namespace vb
