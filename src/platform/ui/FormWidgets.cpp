#include "platform/ui/FormWidgets.h"

#include "platform/core/Twips.h"

namespace vb {

void PlaceTwips(QWidget* control, int left, int top, int width, int height) {
    control->setGeometry(twipsToPx(left), twipsToPx(top), twipsToPx(width), twipsToPx(height));
}

}  // namespace vb
